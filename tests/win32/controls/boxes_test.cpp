// Group boxes, panels, dialogs and the status bar skinned: outline and panel frames are the
// skin's, the colours come back on detach, and the panel-draw event sees owner-drawn panels only.
#include "ComCtrls.h"
#include "SkinnedFormTest.h"
#include "ExtCtrls.h"
#include "SkinBox.h"
#include "SkinGroupBox.h"
#include "SkinStatusBar.h"
#include "StdCtrls.h"

#include <commctrl.h>

namespace {

class TBoxesTest : public TSkinnedFormTest {
  protected:
    void SetUp() override {
        TSkinnedFormTest::SetUp();
        Box = Add<TGroupBox>(10, 10, 200, 120);
        Box->SetCaption("Net");
        Label = new TLabel(Form.get());
        Label->SetParent(Box);
        Label->SetBounds(20, 40, 40, 15);
        Label->SetTransparent(false);
        Label->SetColor(clRed);
        Bar = Add<TStatusBar>(0, 0, 0, 22);
        for (int w : {100, 100, 50})
            Bar->Panels().Add()->SetWidth(w);
        Form->Show();
        Pump();
    }
    int TextHeight() {
        TClientDC dc(Box->Handle());
        SelectObject(dc, Box->Font().Handle());
        SIZE s{};
        GetTextExtentPoint32W(dc, L"0", 1, &s);
        return s.cy;
    }
    RECT PanelRect(int i) {
        RECT r{};
        SendMessageW(Bar->Handle(), SB_GETRECT, i, LPARAM(&r));
        r.right = i == Bar->Panels().Count() - 1 ? Bar->Width() : r.right + 2;
        return r;
    }
    // The top-left and top-right margin corners of the panel equal StatusBarEdges frame `frame` 1:1.
    bool PanelCornersAre(const TCapture& c, int i, int frame) {
        TDataSkinObject& e = *SkinData->StatusBarEdges;
        const RECT r = PanelRect(i), m = e.Margins;
        const int fw = e.Image.Width() / e.Frame, x0 = fw * (frame - 1);
        for (int y = 0; y < m.top; y++) {
            for (int x = 0; x < m.left; x++)
                if (c.At(r.left + x, r.top + y) != ImagePixel(e.Image, x0 + x, y)) return false;
            for (int x = 0; x < m.right; x++)
                if (c.At(r.right - m.right + x, r.top + y) != ImagePixel(e.Image, x0 + fw - m.right + x, y))
                    return false;
        }
        return true;
    }

    TGroupBox* Box = nullptr;
    TLabel* Label = nullptr;
    TStatusBar* Bar = nullptr;
};

TEST_F(TBoxesTest, AGroupBoxIsARoundedShadowOutlineOnTheFace) {
    Skin<TSkinGroupBox>(Box);
    for (const char* caption : {"Net", ""}) {
        Box->SetCaption(caption);
        Pump();
        TCapture c = Capture(Box->Handle());
        const int top = TextHeight() / 2;
        EXPECT_EQ(c.At(1, c.H / 2), SkinColor(csButtonShadow)) << caption;
        EXPECT_EQ(c.At(c.W - 2, c.H / 2), SkinColor(csButtonShadow)) << caption;
        EXPECT_EQ(c.At(c.W / 2, c.H - 2), SkinColor(csButtonShadow)) << caption;
        EXPECT_EQ(c.At(c.W - 20, top), SkinColor(csButtonShadow)) << caption;
        EXPECT_EQ(c.At(c.W / 2, top - 1), SkinColor(csButtonFace)) << caption;
        EXPECT_EQ(c.At(c.W - 20, c.H / 2), SkinColor(csButtonFace)) << caption;
        EXPECT_EQ(c.At(25, 45), RGB(255, 0, 0)) << "the label stays visible";
    }
}

TEST_F(TBoxesTest, ABoxThatPaintsItsBackgroundAnswersTheEraseWithOne) {
    Skin<TSkinGroupBox>(Box);
    TClientDC dc(Box->Handle());
    EXPECT_EQ(SendMessageW(Box->Handle(), WM_ERASEBKGND, WPARAM(HDC(dc)), 0), 1);

    HWND dialog =
        CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr, nullptr, nullptr);
    auto* h = new TSkinBoxH(List.get());
    h->Inithwnd(dialog, SkinData.get(), &List->ControlCanvas, List.get());
    TBitmap bmp;
    bmp.SetSize(50, 40);
    EXPECT_EQ(SendMessageW(dialog, WM_ERASEBKGND, WPARAM(bmp.MemoryDC()), 0), 1);
    EXPECT_EQ(GetPixel(bmp.MemoryDC(), 25, 20), SkinColor(csButtonFace));
    EXPECT_EQ(SendMessageW(dialog, 0x3523, 0, 0), 1);
    DestroyWindow(dialog);
}

TEST_F(TBoxesTest, APanelTakesTheFaceColourAndASecondInitKeepsItsOwn) {
    auto* panel = Add<TPanel>(220, 10, 100, 60);
    panel->SetColor(clAqua);
    Pump();
    TWndMethod proc = panel->WindowProc;
    auto* s = Skin<TSkinBox>(panel, true);
    EXPECT_EQ(panel->Color(), SkinData->Colors[csButtonFace]);
    EXPECT_EQ(panel->WindowProc.Data, proc.Data) << "not hooked";
    s->Init(List.get(), SkinData.get(), &List->ControlCanvas, true);
    EXPECT_EQ(s->SavedColor, clAqua);
    s->Unsubclass();
    EXPECT_EQ(panel->Color(), clAqua);
    EXPECT_EQ(s->Status, ssDetached);
}

TEST_F(TBoxesTest, EachPanelIsItsBevelsFrameOfTheStatusBarEdges) {
    Bar->Panels()[1]->SetBevel(pbRaised);
    Bar->Panels()[2]->SetBevel(pbNone);
    Skin<TSkinStatusBar>(Bar);
    TCapture c = Capture(Bar->Handle());
    EXPECT_TRUE(PanelCornersAre(c, 0, 1));
    EXPECT_TRUE(PanelCornersAre(c, 1, 2));
    EXPECT_TRUE(PanelCornersAre(c, 2, 3));
    EXPECT_EQ(PanelRect(2).right, c.W) << "the last reaches the right edge";
}

TEST_F(TBoxesTest, TheSizeGripIsFrameFiveOfExtraImages) {
    ASSERT_TRUE(GetWindowLongPtrW(Bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
    Skin<TSkinStatusBar>(Bar);
    TCapture c = Capture(Bar->Handle());
    TBitmap& img = SkinData->ExtraImages->Image;
    const int w = img.Width() / 5, h = img.Height();
    RECT g = SizeGripRect({0, 0, c.W, c.H}, w, h);
    int compared = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            COLORREF want = ImagePixel(img, 4 * w + x, y);
            if (want == RGB(255, 0, 255)) continue;
            ++compared;
            ASSERT_EQ(c.At(g.left + x, g.top + y), want) << x << "," << y;
        }
    EXPECT_GT(compared, 0);
}

TEST_F(TBoxesTest, ThePanelDrawEventSeesOwnerDrawnPanelsOnlyAndNoneInSimpleMode) {
    Bar->Panels()[1]->SetStyle(psOwnerDraw);
    Bar->Panels()[0]->SetText("text");
    std::vector<int> drawn;
    struct THandler : TObject {
        std::vector<int>* Out = nullptr;
        void Draw(TCustomStatusBar*, TStatusPanel* p, const RECT&) { Out->push_back(p->Index()); }
    } handler;
    handler.Out = &drawn;
    Bar->OnDrawPanel.Bind(&handler, &THandler::Draw);
    Skin<TSkinStatusBar>(Bar);
    drawn.clear();
    Repaint(Bar->Handle());
    EXPECT_EQ(drawn, std::vector<int>{1});
    Bar->SetSimplePanel(true);
    Pump();
    drawn.clear();
    Repaint(Bar->Handle());
    EXPECT_TRUE(drawn.empty());
}

TEST_F(TBoxesTest, DetachingGivesBackThePlainLook) {
    TCapture box = Capture(Box->Handle()), bar = Capture(Bar->Handle());
    Skin<TSkinGroupBox>(Box);
    Skin<TSkinStatusBar>(Bar);
    ASSERT_NE(Capture(Bar->Handle()), bar);
    List->DeleteControls();
    Repaint(Form->Handle());
    EXPECT_EQ(Capture(Box->Handle()), box);
    EXPECT_EQ(Capture(Bar->Handle()), bar);
}

TEST_F(TBoxesTest, FiveHundredAttachDetachCyclesLeaveNothing) {
    auto* panel = Add<TPanel>(220, 10, 100, 60);
    Pump();
    ExpectFlatCounts([&] {
        Skin<TSkinGroupBox>(Box);
        Skin<TSkinStatusBar>(Bar);
        Skin<TSkinBox>(panel, true);
        Repaint(Form->Handle());
        List->DeleteControls();
    });
}

} // namespace
