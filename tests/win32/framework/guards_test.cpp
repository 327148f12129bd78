// The public guards (a canvas lent a DC, a variable set for a block), the group box's named
// geometry, and one paint reaching a control's WindowProc once.
#include "ErrorSink.h"
#include "FrameworkTest.h"
#include "Guards.h"
#include "TestForm.h"

#include <gtest/gtest.h>

namespace {
SIZE TextSize(TFont& font, const std::u16string& text) {
    TClientDC dc(nullptr);
    TSelectObject selected(dc, font.Handle());
    SIZE size{};
    GetTextExtentPoint32W(dc, WideChars(text), int(text.size()), &size);
    return size;
}
} // namespace

TEST(Guards, LentCanvasAndRestoredValueComeBackWhenDrawingThrows) {
    TMemoryDC outer(nullptr), inner(nullptr);
    TCanvas canvas;
    bool busy = false;
    {
        TLentCanvas lent(canvas, outer);
        try {
            TRestore flag(busy, true);
            TLentCanvas nested(canvas, inner);
            EXPECT_TRUE(busy);
            EXPECT_EQ(canvas.Handle(), inner.get());
            throw Exception("drawing failed");
        } catch (const Exception&) {
        }
        EXPECT_FALSE(busy);
        EXPECT_EQ(canvas.Handle(), outer.get()); // the DC it had before, not none
    }
    EXPECT_FALSE(canvas.HandleAllocated());

    auto form = ReadTestForm();
    form->Show();
    TStatusBar* bar = form->StatusBar1;
    bar->Panels()[0]->SetStyle(psOwnerDraw);
    int drawn = 0;
    bar->OnDrawPanel.Code = [&](TCustomStatusBar*, TStatusPanel*, const RECT&) {
        ++drawn;
        EXPECT_TRUE(bar->Canvas().HandleAllocated());
        throw Exception("panel");
    };
    TErrorSink old = SetErrorSink([](std::exception_ptr) {});
    bar->Repaint();
    SetErrorSink(old);
    EXPECT_GE(drawn, 1);
    EXPECT_FALSE(bar->Canvas().HandleAllocated()); // given back although the handler threw
}

TEST(GroupBox, FrameAndCaptionComeFromNamedGeometry) {
    auto same = [](const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; };
    EXPECT_TRUE(same(GroupBoxFrameRect({0, 0, 300, 120}, 13), {0, 6, 300, 120}));
    EXPECT_TRUE(same(GroupBoxCaptionRect({0, 0, 300, 120}, {50, 13}), {8, 0, 60, 13}));
    EXPECT_TRUE(same(GroupBoxCaptionRect({4, 2, 300, 120}, {50, 13}), {12, 2, 64, 15}));

    auto form = ReadTestForm();
    TGroupBox* box = form->GroupBox1;
    form->Show();
    RECT client = box->ClientRect();
    int h = TextSize(box->Font(), u"0").cy;
    RECT frame = GroupBoxFrameRect(client, h);
    RECT caption = GroupBoxCaptionRect(client, TextSize(box->Font(), Utf8ToUtf16(box->Caption())));
    TMemoryDC dc(nullptr);
    TGdiHandle<HBITMAP> bmp(CreateCompatibleBitmap(TClientDC(nullptr), client.right, client.bottom));
    TSelectObject selected(dc, bmp);
    box->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()));
    box->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.get()));
    COLORREF face = ColorToRGB(box->Color());
    EXPECT_EQ(GetPixel(dc, 250, frame.top), GetSysColor(COLOR_BTNSHADOW)); // the etched frame's top
    EXPECT_EQ(GetPixel(dc, 250, frame.top - 1), face);
    EXPECT_EQ(GetPixel(dc, caption.right - 1, frame.top), face); // cut by the caption box
    EXPECT_EQ(GetPixel(dc, caption.right + 1, frame.top), GetSysColor(COLOR_BTNSHADOW));
}

TEST(Paint, OnePaintReachesWindowProcOnce) {
    auto form = ReadTestForm();
    form->Show();
    Pump();
    TGroupBox* box = form->GroupBox1;
    int paints = 0;
    TWndMethod own = box->WindowProc;
    box->WindowProc.Code = [&](TMessage& m) {
        if (m.Msg == WM_PAINT) ++paints;
        own(m);
    };
    form->Label1->SetColor(clRed);
    box->Invalidate();
    UpdateWindow(box->Handle());
    box->WindowProc = own;
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(ScreenPixel(box->Handle(), form->Label1->Left() + 1, form->Label1->Top() + 1), RGB(255, 0, 0));
}
