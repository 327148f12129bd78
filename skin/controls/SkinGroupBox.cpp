// Group boxes: the whole box painted by the skinner for framework controls; a bare group-box
// window keeps its own paint and gets the skinned outline over it.
#include "SkinGroupBox.h"

#include "GdiHandles.h"
#include "SkinFlatFrame.h"
#include "SysUtils.h"

RECT GroupBoxOutline(const RECT& R, int TextHeight) {
    return {R.left + 1, R.top + TextHeight / 2, R.right - 1, R.bottom - 1};
}

void TSkinGroupBox::Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) {
    if (Initialized) return;
    TSkinControl::Init(AForm, ASkinData, ACanvas, AParentBK);
    Kind = Control ? 1 : 0;
}

bool TSkinGroupBox::BeforeProc(TMessage& Message) {
    if (Kind == 1 && PaintWholeFace(Message)) return false; // a framework box is painted whole
    return TSkinControl::BeforeProc(Message);
}

void TSkinGroupBox::DrawControl(HDC DC, const RECT& R) {
    if (SkinData) DefaultDraw(DC, R);
}

HFONT TSkinGroupBox::BoxFont() {
    if (Control) return Control->Font().Handle();
    return reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0));
}

void TSkinGroupBox::DefaultDraw(HDC DC, const RECT& R) {
    Caption = WindowText();
    if (Caption.empty() && Control) Caption = Utf8ToUtf16(Control->Caption());
    if (Control) FillBG(DC, R);
    DrawOutline(DC, R);
    if (auto* box = dynamic_cast<TWinControl*>(Control); box && Kind == 1) box->PaintControls(DC, nullptr);
}

void TSkinGroupBox::DrawOutline(HDC DC, const RECT& R) {
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(SkinData->Colors[csButtonShadow])));
    TSaveDC saved(DC);
    if (HFONT font = BoxFont()) SelectObject(DC, font);
    if (Control) SetTextColor(DC, ColorToRGB(Control->Font().Color()));
    SIZE zero{};
    GetTextExtentPoint32W(DC, L"0", 1, &zero);
    if (Kind == 0) { // the system's etched frame goes under the face colour
        RECT etched{R.left, R.top + zero.cy / 2, R.right, R.bottom};
        FrameRing(DC, etched, 0, SkinData->FaceBrush);
        FrameRing(DC, etched, 1, SkinData->FaceBrush);
    }
    RECT outline = GroupBoxOutline(R, zero.cy);
    SelectObject(DC, pen);
    SelectObject(DC, GetStockObject(NULL_BRUSH));
    RoundRect(DC, outline.left, outline.top, outline.right, outline.bottom, 5, 5);
    DrawBoxCaption(DC, R);
}

// Opaque on the face colour, so the caption cuts the outline.
void TSkinGroupBox::DrawBoxCaption(HDC DC, const RECT& R) {
    if (Caption.empty()) return;
    SetBkMode(DC, OPAQUE);
    SetBkColor(DC, ColorToRGB(FaceColor()));
    RECT text{R.left + 8, R.top, R.right, R.bottom};
    DrawTextW(DC, reinterpret_cast<const wchar_t*>(Caption.c_str()), int(Caption.size()), &text,
              DT_EXPANDTABS);
}
