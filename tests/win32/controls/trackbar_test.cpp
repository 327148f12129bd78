// Track bars skinned: channel and thumb are the skin's images, the thumb shows its state, and the
// control's own dragging, keys and notices work as without the skin.
#include "ComCtrls.h"
#include "ImgUtil.h"
#include "SkinTrackBar.h"
#include "SkinnedFormTest.h"
#include "StdCtrls.h"

#include <commctrl.h>

namespace {

constexpr COLORREF CapA = RGB(200, 0, 0), Middle = RGB(0, 150, 0), CapB = RGB(0, 0, 210);

// A one-frame strip of Cap pixels at both ends (5 each) and Middle between, along the bar.
std::unique_ptr<TDataSkinObject> Channel(int along, int across, bool vertical) {
    auto o = std::make_unique<TDataSkinObject>();
    int w = vertical ? across : along, h = vertical ? along : across;
    o->Image.SetSize(w, h);
    HDC dc = o->Image.MemoryDC();
    for (int i = 0; i < along; i++) {
        COLORREF c = i < 5 ? CapA : i >= along - 5 ? CapB : Middle;
        for (int j = 0; j < across; j++)
            SetPixel(dc, vertical ? j : i, vertical ? i : j, c);
    }
    o->Margins = vertical ? RECT{0, 5, 0, 5} : RECT{5, 0, 5, 0};
    return o;
}

HWND BareTrackBar(HWND parent, DWORD style) {
    return CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | style, 10, 120, 200, 45, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

class TTrackBarTest : public TSkinnedFormTest {
  protected:
    void SetUp() override {
        TSkinnedFormTest::SetUp();
        SkinData->Track = Channel(30, 6, false);
        SkinData->TrackVert = Channel(30, 6, true);
        Bar = Add<TTrackBar>(10, 10, 200, 45);
        Bar->SetPosition(5);
        Bar->OnChange.Code = [this](TObject*) { ++Changes; };
        Upright = Add<TTrackBar>(230, 10, 200, 45);
        Upright->SetOrientation(trVertical);
        Upright->SetPosition(5);
        Other = Add<TButton>(10, 250, 60, 25);
        Form->Show();
        Pump();
        SetFocus(Other->Handle());
        Pump();
    }
    static RECT ThumbOf(HWND w) {
        RECT r{};
        SendMessageW(w, TBM_GETTHUMBRECT, 0, LPARAM(&r));
        return r;
    }
    static RECT ChannelOf(HWND w, bool vertical) {
        RECT r{};
        SendMessageW(w, TBM_GETCHANNELRECT, 0, LPARAM(&r));
        return vertical ? UprightChannel(r) : r;
    }
    int ThumbFrameShown(HWND w) {
        TDataSkinObject& t = *SkinData->TrackbarThumbHorz;
        return BestFrame(Capture(w), ThumbOf(w), t.Image, 5);
    }
    static LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }
    static POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    // The colours along the channel image's middle line, away from the thumb: caps and middle.
    void ExpectChannel(HWND w, bool vertical) {
        TCapture c = Capture(w);
        RECT ch = ChannelOf(w, vertical);
        RECT img = ChannelImageRect(ch, vertical ? SIZE{6, 30} : SIZE{30, 6}, vertical);
        auto px = [&](int along) {
            return vertical ? c.At(img.left + 3, img.top + along) : c.At(img.left + along, img.top + 3);
        };
        int length = vertical ? img.bottom - img.top : img.right - img.left;
        EXPECT_EQ(px(1), CapA);
        EXPECT_EQ(px(length / 5), Middle);
        EXPECT_EQ(px(length - 2), CapB);
    }

    TTrackBar* Bar = nullptr;
    TTrackBar* Upright = nullptr;
    TButton* Other = nullptr;
    int Changes = 0;
};

TEST(TrackGeometry, TheChannelImageIsCentredAcrossWhenThinnerAndTakesTheWholeLength) {
    EXPECT_EQ(ChannelImageRect({8, 20, 192, 24}, {30, 6}, false), (RECT{8, 20, 192, 26}));
    EXPECT_EQ(ChannelImageRect({8, 20, 192, 30}, {30, 6}, false), (RECT{8, 22, 192, 28}));
    EXPECT_EQ(ChannelImageRect({20, 8, 30, 192}, {6, 30}, true), (RECT{22, 8, 28, 192}));
    EXPECT_EQ(ChannelImageRect({20, 8, 24, 192}, {6, 30}, true), (RECT{20, 8, 26, 192}));
    // a vertical channel given lying down is stood up; one given upright stays
    EXPECT_EQ(UprightChannel({8, 20, 192, 24}), (RECT{20, 8, 24, 192}));
    EXPECT_EQ(UprightChannel({20, 8, 24, 192}), (RECT{20, 8, 24, 192}));
}

TEST_F(TTrackBarTest, ChannelAndThumbAreTheSkinsImagesInBothOrientations) {
    Skin<TSkinTrackBar>(Bar);
    Skin<TSkinTrackBar>(Upright);
    ExpectChannel(Bar->Handle(), false);
    ExpectChannel(Upright->Handle(), true);
    EXPECT_EQ(ThumbFrameShown(Bar->Handle()), 2);
    EXPECT_EQ(ThumbFrameShown(Upright->Handle()), 2) << "no vertical strip: the horizontal one";

    // a vertical strip of its own wins for vertical bars
    auto vert = std::make_unique<TDataSkinObject>();
    vert->Image.Assign(&SkinData->TrackbarThumbHorz->Image);
    SpiegelnHorizontal(vert->Image);
    SkinData->TrackbarThumbVert = std::move(vert);
    Repaint(Upright->Handle());
    TCapture c = Capture(Upright->Handle());
    EXPECT_EQ(BestFrame(c, ThumbOf(Upright->Handle()), SkinData->TrackbarThumbHorz->Image, 5), 4)
        << "frame 2 of the mirrored strip is the original's frame 4";
}

TEST_F(TTrackBarTest, TheThumbIsHotUnderTheMousePressedWhileHeldDisabledAndFocused) {
    Skin<TSkinTrackBar>(Bar);
    HWND w = Bar->Handle();
    POINT thumb = Centre(ThumbOf(w));
    SendMessageW(w, WM_MOUSEMOVE, 0, At(thumb));
    EXPECT_EQ(ThumbFrameShown(w), 1);
    SendMessageW(w, WM_MOUSEMOVE, 0, At({2, 2}));
    EXPECT_EQ(ThumbFrameShown(w), 2);
    SendMessageW(w, WM_MOUSEMOVE, 0, At(thumb));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(thumb));
    EXPECT_EQ(ThumbFrameShown(w), 3);
    SendMessageW(w, WM_LBUTTONUP, 0, At(thumb));
    EXPECT_EQ(ThumbFrameShown(w), 1);
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ThumbFrameShown(w), 5) << "the press gave it the focus";
    Bar->SetEnabled(false);
    Pump();
    EXPECT_EQ(ThumbFrameShown(w), 4);
}

TEST_F(TTrackBarTest, DraggingAndArrowKeysStillMoveThePosition) {
    Skin<TSkinTrackBar>(Bar);
    HWND w = Bar->Handle();
    RECT ch = ChannelOf(w, false);
    POINT thumb = Centre(ThumbOf(w));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(thumb));
    SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At({ch.right + 30, thumb.y}));
    SendMessageW(w, WM_LBUTTONUP, 0, At({ch.right + 30, thumb.y}));
    Pump();
    EXPECT_EQ(Bar->Position(), 10);
    EXPECT_GT(Changes, 0);
    EXPECT_EQ(ThumbFrameShown(w), 1) << "redrawn where it went, still under the mouse";

    Changes = 0;
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    for (int i = 0; i < 3; i++)
        SendMessageW(w, WM_KEYDOWN, VK_LEFT, 0);
    Pump();
    EXPECT_EQ(Bar->Position(), 7);
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(ThumbFrameShown(w), 5);
}

// The notice has the number of a reflected notification: read as one, its tag would be a header.
TEST_F(TTrackBarTest, TheEndOfSkinningNoticeIsNoNotificationForFrameworkOrBareBars) {
    Skin<TSkinTrackBar>(Bar);
    SendMessageW(Bar->Handle(), WM_SKINDONE, 0, SkinMessageTag);
    Bar->Perform(WM_SKINDONE, 0, SkinMessageTag);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Bar->Position(), 5);

    HWND bare = BareTrackBar(Form->Handle(), TBS_HORZ);
    auto* skinner = new TSkinTrackBar(List.get());
    skinner->Inithwnd(bare, SkinData.get(), &List->ControlCanvas, List.get());
    SendMessageW(bare, TBM_SETPOS, TRUE, 3);
    EXPECT_EQ(SendMessageW(bare, WM_SKINDONE, 0, SkinMessageTag), 0);
    EXPECT_EQ(SendMessageW(bare, TBM_GETPOS, 0, 0), 3);
}

TEST_F(TTrackBarTest, ABareTrackBarIsPaintedOverWithTheSkinsChannelAndThumb) {
    HWND bare = BareTrackBar(Form->Handle(), TBS_HORZ | TBS_AUTOTICKS);
    SendMessageW(bare, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageW(bare, TBM_SETPOS, TRUE, 5);
    auto* skinner = new TSkinTrackBar(List.get());
    skinner->Inithwnd(bare, SkinData.get(), &List->ControlCanvas, List.get());
    Repaint(bare);
    ExpectChannel(bare, false);
    EXPECT_EQ(ThumbFrameShown(bare), 2);
    SendMessageW(bare, WM_MOUSEMOVE, 0, At(Centre(ThumbOf(bare))));
    EXPECT_EQ(ThumbFrameShown(bare), 1);
}

} // namespace
