// The control skinner base: fills and text the skinners share.
#include "WinSubClass.h"

namespace {

int DrawTextU(HDC DC, const std::u16string& Text, RECT& R, UINT Format) {
    std::u16string buffer = Text + std::u16string(4, u'\0'); // room for DT_END_ELLIPSIS
    return DrawTextW(DC, reinterpret_cast<wchar_t*>(buffer.data()), int(Text.size()), &R, Format);
}

SIZE MeasureText(HDC DC, const std::u16string& Text, const RECT& R, UINT Format) {
    RECT m = R;
    DrawTextU(DC, Text, m, Format | DT_CALCRECT | DT_NOCLIP);
    return {m.right - m.left, m.bottom - m.top};
}

} // namespace

RECT PlaceText(HDC DC, const std::u16string& Text, const RECT& R, UINT Format) {
    SIZE s = MeasureText(DC, Text, R, Format);
    RECT t = R;
    t.top = R.top + (R.bottom - R.top - s.cy) / 2;
    t.bottom = t.top + s.cy;
    if (Format & DT_CENTER) {
        t.left = R.left + (R.right - R.left - s.cx) / 2;
        t.right = t.left + s.cx;
    }
    return t;
}

std::u16string StringReplaceW(const std::u16string& Text, const std::u16string& Old,
                              const std::u16string& New) {
    size_t at = Old.empty() ? std::u16string::npos : Text.find(Old);
    if (at == std::u16string::npos) return Text;
    return Text.substr(0, at) + New + Text.substr(at + Old.size());
}

TColor TSkinControl::FaceColor() const {
    return SkinData ? SkinData->Colors[csButtonFace] : clBtnFace;
}

void TSkinControl::FillColor(HDC DC, const RECT& R, TColor Color) {
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color)));
    FillRect(DC, &R, brush);
}

void TSkinControl::FillBG(HDC DC, const RECT& R) const {
    FillColor(DC, R, FaceColor());
}

void TSkinControl::FillParentBG(HDC DC, const RECT& R) const {
    FillColor(DC, R, GetParentColor(FaceColor()));
}

TColor TSkinControl::GetParentColor(TColor Default) const {
    return Control && Control->Parent() ? Control->Parent()->Color() : Default;
}

void TSkinControl::DrawCaption(TCanvas& C, const RECT& R, const std::u16string& Text, bool AEnabled,
                               UINT Alignment) const {
    HDC dc = C.Handle();
    TSaveDC saved(dc);
    SetBkMode(dc, TRANSPARENT);
    if (!AEnabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    UINT format = Alignment | DT_EXPANDTABS;
    RECT t = PlaceText(dc, Text, R, format);
    DrawTextU(dc, Text, t, format);
}

void TSkinControl::MyDrawCaption(TCanvas& C, const RECT& R, const std::u16string& Text, bool AEnabled,
                                 TAlignment Alignment) const {
    static constexpr UINT formats[] = {DT_LEFT, DT_RIGHT, DT_CENTER}; // by TAlignment
    DrawCaption(C, R, Text, AEnabled, formats[Alignment] | DT_SINGLELINE | DT_VCENTER);
}

void TSkinControl::DrawFocus(HDC DC, const std::u16string& Text, const RECT& R, UINT Flags) const {
    SIZE s = MeasureText(DC, Text, R, Flags);
    RECT f = R;
    if (Flags & DT_CENTER) {
        f.left = R.left + (R.right - R.left - s.cx) / 2;
        f.top = R.top + (R.bottom - R.top - s.cy) / 2;
    } else if (Flags & DT_RIGHT) {
        f.left = R.right - s.cx;
    }
    f.right = f.left + s.cx;
    f.bottom = f.top + s.cy;
    InflateRect(&f, 2, 1);
    IntersectRect(&f, &f, &R);
    DrawFocusRect(DC, &f);
}
