// The control skinner base: fills and text the skinners share.
#include "WinSubClass.h"

#include "SysUtils.h"

#include <commctrl.h>

#include <algorithm>

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

// The icon's size when it is drawn: a list, an index and an icon narrower than R; else 0 x 0.
SIZE IconSize(HIMAGELIST Images, int Index, const RECT& R) {
    int w = 0, h = 0;
    if (Index == -1 || !Images || !ImageList_GetIconSize(Images, &w, &h) || w >= R.right - R.left)
        return {0, 0};
    return {w, h};
}

} // namespace

int CaptionStart(int Alignment, int W, int IconW, int TextW) {
    const int starts[] = {3, (W - IconW - TextW) / 2, W - IconW - TextW - 2}; // by alignment
    return std::max(1, starts[std::clamp(Alignment, 0, 2)]);
}

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

void TSkinControl::DrawImgCaption(TCanvas& C, const RECT& R, HIMAGELIST Images, int Index,
                                  const std::u16string& Text, int Alignment) const {
    HDC dc = C.Handle();
    TSaveDC saved(dc);
    SetBkMode(dc, TRANSPARENT);
    if (!Enabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    const UINT format = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS;
    const SIZE icon = IconSize(Images, Index, R), text = MeasureText(dc, Text, R, format);
    const int h = R.bottom - R.top;
    int x = R.left + CaptionStart(Alignment, R.right - R.left, icon.cx, text.cx);
    if (icon.cx) {
        ImageList_Draw(Images, Index, dc, x, R.top + (h - icon.cy) / 2, ILD_TRANSPARENT);
        x += icon.cx + 2;
    }
    RECT t{x, R.top + (h - text.cy) / 2, R.right, 0};
    t.bottom = t.top + text.cy;
    IntersectRect(&t, &t, &R);
    DrawTextU(dc, Text, t, format);
}

void TakeWindowFont(TFont& Font, HWND Wnd) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(Wnd, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    if (!font || !GetObjectW(font, sizeof(lf), &lf)) return;
    Font.SetName(Utf16ToUtf8(reinterpret_cast<const char16_t*>(lf.lfFaceName)));
    Font.SetHeight(lf.lfHeight);
    Font.SetCharset(lf.lfCharSet);
    TFontStyles style = 0;
    if (lf.lfWeight >= FW_BOLD) style |= 1u << fsBold;
    if (lf.lfItalic) style |= 1u << fsItalic;
    if (lf.lfUnderline) style |= 1u << fsUnderline;
    if (lf.lfStrikeOut) style |= 1u << fsStrikeOut;
    Font.SetStyle(style);
}
