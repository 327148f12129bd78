// TCanvas: drawing through font, brush and pen on a DC it does not own.
#include "Graphics.h"

namespace {

const wchar_t* W(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

int RectWidth(const RECT& r) {
    return r.right - r.left;
}
int RectHeight(const RECT& r) {
    return r.bottom - r.top;
}

void StretchCopy(HDC dest, const RECT& d, HDC source, const RECT& s, DWORD rop) {
    SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, d.left, d.top, RectWidth(d), RectHeight(d), source, s.left, s.top, RectWidth(s),
               RectHeight(s), rop);
}

// Mask bits of 1 (the key colour) keep the destination, bits of 0 take the bitmap's pixel.
void DrawMasked(HDC dest, int x, int y, TBitmap& bmp, TColor key) {
    TBitmap mask;
    mask.Assign(&bmp);
    mask.Mask(key);
    constexpr DWORD keepDest = 0x00AA0029;
    MaskBlt(dest, x, y, bmp.Width(), bmp.Height(), bmp.MemoryDC(), 0, 0, mask.Handle(), 0, 0,
            MAKEROP4(keepDest, SRCCOPY));
}

} // namespace

const TClassInfo& TCanvas::StaticClassInfo() {
    static const TClassInfo info{"TCanvas", &TPersistent::StaticClassInfo(), {}, {}};
    return info;
}

TCanvas::TCanvas() {
    FFont.OnChange.Bind(this, &TCanvas::ToolChanged);
    FBrush.OnChange.Bind(this, &TCanvas::ToolChanged);
    FPen.OnChange.Bind(this, &TCanvas::ToolChanged);
}

TCanvas::TCanvas(HDC dc) : TCanvas() {
    FHandle = dc;
}

TCanvas::~TCanvas() {
    DeselectTools();
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == FHandle) return;
    DeselectTools();
    FHandle = dc;
}

HDC TCanvas::DC() {
    if (!FHandle) CreateHandle();
    if (!FHandle) throw EInvalidGraphicOperation("Canvas does not allow drawing");
    return FHandle;
}

HDC TCanvas::Handle() {
    DC();
    RequireTools();
    return FHandle;
}

void TCanvas::RequireTools() {
    if (!FFontSel) {
        FFontSel.emplace(FHandle, FFont.Handle());
        SetTextColor(FHandle, ColorToRGB(FFont.Color()));
    }
    if (!FBrushSel) {
        FBrushSel.emplace(FHandle, FBrush.Handle());
        if (FBrush.Style() == bsSolid) SetBkColor(FHandle, ColorToRGB(FBrush.Color()));
        SetBkMode(FHandle, FBrush.Style() == bsSolid ? OPAQUE : TRANSPARENT);
    }
    if (!FPenSel) FPenSel.emplace(FHandle, FPen.Handle());
}

void TCanvas::DeselectTools() {
    FFontSel.reset();
    FBrushSel.reset();
    FPenSel.reset();
}

// The tool's old GDI object is deleted right after this returns, so it must leave the DC now.
void TCanvas::ToolChanged(TObject* sender) {
    if (sender == &FFont) FFontSel.reset();
    if (sender == &FBrush) FBrushSel.reset();
    if (sender == &FPen) FPenSel.reset();
}

void TCanvas::FillRect(const RECT& r) {
    ::FillRect(Handle(), &r, FBrush.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
    ::FrameRect(Handle(), &r, FBrush.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    ::Rectangle(Handle(), left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(Handle(), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    ::LineTo(Handle(), x, y);
}

void TCanvas::Polyline(const POINT* points, int count) {
    ::Polyline(Handle(), points, count);
}

void TCanvas::TextOut(int x, int y, const std::u16string& text) {
    ::TextOutW(Handle(), x, y, W(text), int(text.size()));
}

int TCanvas::TextWidth(const std::u16string& text) {
    SIZE size{};
    GetTextExtentPoint32W(Handle(), W(text), int(text.size()), &size);
    return size.cx;
}

int TCanvas::TextHeight(const std::u16string& text) {
    SIZE size{};
    GetTextExtentPoint32W(Handle(), W(text), int(text.size()), &size);
    return size.cy;
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::u16string& text) {
    UINT options = ETO_CLIPPED | (FBrush.Style() != bsClear ? ETO_OPAQUE : 0);
    ExtTextOutW(Handle(), x, y, options, &r, W(text), UINT(text.size()), nullptr);
}

int TCanvas::DrawText(const std::u16string& text, RECT& r, UINT format) {
    // DT_MODIFYSTRING and DT_END_ELLIPSIS may write up to four characters past the text.
    std::u16string buffer = text + std::u16string(4, u'\0');
    return ::DrawTextW(Handle(), reinterpret_cast<wchar_t*>(buffer.data()), int(text.size()), &r, format);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& src) {
    StretchCopy(Handle(), dest, source.DC(), src, DWORD(CopyMode));
}

void TCanvas::Draw(int x, int y, TBitmap& bmp) {
    if (bmp.Empty()) return;
    if (bmp.Transparent)
        DrawMasked(DC(), x, y, bmp, bmp.EffectiveTransparentColor());
    else
        BitBlt(DC(), x, y, bmp.Width(), bmp.Height(), bmp.MemoryDC(), 0, 0, DWORD(CopyMode));
}

void TCanvas::StretchDraw(const RECT& r, TBitmap& bmp) {
    if (bmp.Empty()) return;
    RECT whole{0, 0, bmp.Width(), bmp.Height()};
    if (!bmp.Transparent) return StretchCopy(DC(), r, bmp.MemoryDC(), whole, DWORD(CopyMode));
    if (RectWidth(r) <= 0 || RectHeight(r) <= 0) return;
    if (RectWidth(r) == bmp.Width() && RectHeight(r) == bmp.Height()) return Draw(r.left, r.top, bmp);
    // The key is taken before stretching: it names a colour of the original, not a position.
    TColor key = bmp.EffectiveTransparentColor();
    TBitmap stretched;
    stretched.SetPixelFormat(bmp.PixelFormat() == pf32bit ? pf32bit : pf24bit);
    stretched.SetSize(RectWidth(r), RectHeight(r));
    StretchCopy(stretched.MemoryDC(), RECT{0, 0, RectWidth(r), RectHeight(r)}, bmp.MemoryDC(), whole,
                SRCCOPY);
    DrawMasked(DC(), r.left, r.top, stretched, key);
}

TColor TCanvas::Pixel(int x, int y) {
    return GetPixel(DC(), x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    ::SetPixel(DC(), x, y, ColorToRGB(color));
}
