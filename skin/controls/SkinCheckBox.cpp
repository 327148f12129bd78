// Check boxes and radio buttons.
#include "SkinCheckBox.h"

#include "SkinDraw.h"
#include "SkinMap.h"
#include "SysUtils.h"

namespace {

constexpr int TransparentTag = 5555;
constexpr UINT CM_DATAFIELDCHANGED = 0xB0D0; // data-bound check boxes repaint on it

bool Contains(const std::string& Text, const char* Part) {
    return LowerCase(Text).find(Part) != std::string::npos;
}

// 4-frame numbers in the larger strips: the unchecked, checked and disabled rows lie further in.
int Remap(int Frame, int Count, int Larger) {
    static constexpr int remap[] = {0, 1, 5, 4, 8};
    return Count == Larger && Frame >= 1 && Frame <= 4 ? remap[Frame] : Frame;
}

// The glyph at the left edge, centred vertically; with the text on its left (BS_LEFTTEXT) at the
// right edge, `Inset` pixels inside it.
RECT GlyphBox(const RECT& R, SIZE Glyph, bool LeftText, int Inset) {
    int x = LeftText ? R.right - Inset - Glyph.cx : R.left;
    int y = R.top + (R.bottom - R.top - Glyph.cy) / 2;
    return {x, y, x + Glyph.cx, y + Glyph.cy};
}

// The rest of R beside the glyph, 2 pixels away from it.
RECT TextArea(const RECT& R, const RECT& Glyph, bool LeftText) {
    return LeftText ? RECT{R.left, R.top, Glyph.left - 2, R.bottom}
                    : RECT{Glyph.right + 2, R.top, R.right, R.bottom};
}

} // namespace

int CheckBoxFrame(int Checked, bool Disabled, bool Indeterminate, int Count) {
    if (Indeterminate && Count == 12) return Disabled ? 12 : 9;
    int frame = Indeterminate ? 4 : Checked + (Disabled ? 2 : 0);
    return Remap(frame, Count, 12);
}

int RadioButtonFrame(bool Checked, bool Disabled, int Count) {
    return Remap((Checked ? 2 : 1) + (Disabled ? 2 : 0), Count, 8);
}

// ---- Shared ---------------------------------------------------------------------------------------

void TSkinGlyphButton::Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) {
    bool first = !Initialized;
    TSkinControl::Init(AForm, ASkinData, ACanvas, AParentBK);
    if (!first) return;
    Kind = Control ? 1 : 0;
    TransparentBK = (Control && Control->Tag == TransparentTag) || SkinData->Options.Contains(xoTransparent);
}

void TSkinGlyphButton::Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas,
                                TSkinControlList* AForm) {
    TSkinControl::Inithwnd(AHandle, ASkinData, ACanvas, AForm);
    Kind = 0;
    TransparentBK = SkinData->Options.Contains(xoTransparent);
}

bool TSkinGlyphButton::BeforeProc(TMessage& Message) {
    bool pass = TSkinControl::BeforeProc(Message);
    switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (Kind != 1) break;
        WMPaint(Message);
        return false;
    case WM_ERASEBKGND: // a face painted whole needs no erasing first
        if (TransparentBK)
            WMERASEBKGND(Message);
        else if (Kind == 1)
            Message.Result = 1;
        else
            break;
        return false;
    }
    return pass;
}

void TSkinGlyphButton::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case CM_DATAFIELDCHANGED:
        return Invalidate();
    }
    TSkinControl::AfterProc(Message);
}

// ---- Painting -------------------------------------------------------------------------------------

void TSkinGlyphButton::DrawControl(HDC DC, const RECT& R) {
    TGlyphStrip s = Strip();
    if (!s.Image || s.Image->Empty()) {
        Kind = 0; // for good: the control paints itself from now on
        return;
    }
    Focused = GetFocus() == Handle;
    Enabled = !(GetWindowLongEx(GWL_STYLE) & WS_DISABLED);
    if (Kind != 1) return DrawFace(DC, R, s);
    int w = R.right - R.left, h = R.bottom - R.top;
    FFaceBitmap.SetSize(w, h);
    RECT face{0, 0, w, h};
    HDC mem = FFaceBitmap.MemoryDC();
    if (TransparentBK)
        DrawParentImage(Control, mem, true);
    else
        FillBG(mem, face);
    DrawFace(mem, face, s);
    BitBlt(DC, R.left, R.top, w, h, mem, 0, 0, SRCCOPY);
}

void TSkinGlyphButton::DrawFace(HDC DC, const RECT& R, const TGlyphStrip& S) {
    bool leftText = GetWindowLongEx(GWL_STYLE) & BS_LEFTTEXT;
    RECT glyph = GlyphBox(R, {S.Image->Width() / S.Count, S.Image->Height()}, leftText, RightInset());
    DrawSkinMap2(DC, glyph, *S.Image, GlyphFrame(S.Count), S.Count);
    if (Kind != 1) return;
    RECT area = TextArea(R, glyph, leftText);
    DrawText(FFaceBitmap.Canvas(), area, DT_WORDBREAK | DT_EXPANDTABS | DT_LEFT); // DC is its memory DC
}

void TSkinGlyphButton::DrawText(TCanvas& C, const RECT& Area, UINT Format) {
    Caption = GetStringProp(Control, "Caption");
    C.Font().Assign(&Control->Font());
    if (!Enabled) C.Font().SetColor(clBtnShadow);
    HDC dc = C.Handle();
    TSaveDC saved(dc);
    SetBkMode(dc, TRANSPARENT);
    RECT t = PlaceText(dc, Caption, Area, Format);
    if (Focused && !Caption.empty()) DrawFocus(dc, Caption, t, Format);
    C.DrawText(Caption, t, Format);
}

// ---- Check box ------------------------------------------------------------------------------------

void TSkinCheckBox::AfterProc(TMessage& Message) {
    if (Message.Msg == BM_SETCHECK) CheckState = int32_t(Message.WParam) + 1;
    TSkinGlyphButton::AfterProc(Message);
}

TSkinGlyphButton::TGlyphStrip TSkinCheckBox::Strip() const {
    TDataSkinButton* b = SkinData ? SkinData->Button.get() : nullptr;
    return b ? TGlyphStrip{&b->CheckImage, Max(1, b->CheckButtonFrame)} : TGlyphStrip{nullptr, 1};
}

int TSkinCheckBox::GlyphFrame(int Count) {
    LRESULT state = SendMessageW(Handle, BM_GETSTATE, 0, 0);
    bool disabled = GetWindowLongEx(GWL_STYLE) & WS_DISABLED;
    int checked = Control ? CheckedFrame() : (state & BST_CHECKED ? 2 : 1);
    return CheckBoxFrame(checked, disabled, (state & BST_INDETERMINATE) || checked == 4, Count);
}

// A framework check box says its state through its published properties, data-bound ones through
// the last state set.
int TSkinCheckBox::CheckedFrame() const {
    if (GetPropInfo(Control, "DataBinding")) return 1;
    if (GetPropInfo(Control, "DataField") && CheckState) return CheckState == 3 ? 4 : CheckState;
    std::string state = GetEnumProperty(Control, "State");
    if (!state.empty())
        return Contains(state, "uncheck") ? 1
               : Contains(state, "check") ? 2
               : Contains(state, "gray")  ? 4
                                          : 1;
    return SameText(GetEnumProperty(Control, "Checked"), "True") ? 2 : 1;
}

// ---- Radio button ---------------------------------------------------------------------------------

TSkinGlyphButton::TGlyphStrip TSkinRadioButton::Strip() const {
    TDataSkinButton* b = SkinData ? SkinData->Button.get() : nullptr;
    return b ? TGlyphStrip{&b->RadioImage, Max(1, b->RadioButtonFrame)} : TGlyphStrip{nullptr, 1};
}

int TSkinRadioButton::GlyphFrame(int Count) {
    bool checked = Control ? SameText(GetEnumProperty(Control, "Checked"), "True")
                           : SendMessageW(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return RadioButtonFrame(checked, GetWindowLongEx(GWL_STYLE) & WS_DISABLED, Count);
}
