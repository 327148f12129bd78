// A form on screen with the default skin loaded, the control list a form skinner would keep, and
// pixels read back from a control's window to compare with the skin's own bitmaps.
#pragma once

#include "FrameworkTest.h"
#include "SkinControlList.h"
#include "WinSkinData.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

struct TFreeObject {
    void operator()(TObject* o) const { o->Free(); }
};

inline bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b);
}

// What a window shows, its non-client area included.
struct TCapture {
    int W = 0, H = 0;
    std::vector<COLORREF> Pixels;
    COLORREF At(int x, int y) const { return Pixels[size_t(y * W + x)]; }
    bool operator==(const TCapture&) const = default;
};
TCapture Capture(HWND Wnd);
// Repaints the window now, frame and children included.
void Repaint(HWND Wnd);

// The pixel of a skin image strip, as a COLORREF.
COLORREF ImagePixel(TBitmap& Image, int x, int y);
// The share of R's pixels in the capture that equal frame `Frame` of `Count` of the strip
// stretched whole into R (each compared with the source pixel it maps to or a neighbour;
// magenta source pixels count as equal).
double StretchedMatch(const TCapture& C, const RECT& R, TBitmap& Strip, int Frame, int Count);
// The frame of the strip that StretchedMatch finds best, when it matches at least 97%; else 0.
int BestFrame(const TCapture& C, const RECT& R, TBitmap& Strip, int Count);

class TSkinnedFormTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    template <class C> C* Add(int x, int y, int w, int h) {
        auto* c = new C(Form.get());
        c->SetParent(Form.get());
        c->SetBounds(x, y, w, h);
        return c;
    }
    template <class S> S* Skin(TControl* Control, bool ParentBK = false) {
        auto* s = new S(Control);
        s->Init(List.get(), SkinData.get(), &List->ControlCanvas, ParentBK);
        Pump();
        return s;
    }
    // The skinner changes the control's look, and detaching gives the plain look back.
    template <class S> void ExpectPlainLookAfterDetach(TWinControl* Control) {
        Repaint(Control->Handle());
        TCapture plain = Capture(Control->Handle());
        Skin<S>(Control);
        EXPECT_NE(Capture(Control->Handle()), plain);
        List->DeleteControls();
        Repaint(Control->Handle());
        EXPECT_EQ(Capture(Control->Handle()), plain);
    }
    COLORREF SkinColor(TShemeColor c) const { return ColorToRGB(SkinData->Colors[c]); }

    std::unique_ptr<TSkinData, TFreeObject> SkinData;
    std::unique_ptr<TForm, TFreeObject> Form;
    std::unique_ptr<TSkinControlList, TFreeObject> List;
};
