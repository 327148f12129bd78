// Colours and the drawing tools: font, brush, pen.
#include "Graphics.h"

#include "ImgList.h"

#include <algorithm>

COLORREF ColorToRGB(TColor c) {
    if (c & clSystemColor) return GetSysColor(int(c & 0xFF));
    return c & 0xFFFFFF;
}

// ---- TGraphicsObject --------------------------------------------------------------------------------

const TClassInfo& TGraphicsObject::StaticClassInfo() {
    static const TClassInfo info{"TGraphicsObject", &TPersistent::StaticClassInfo(), {}, {}};
    return info;
}

void TGraphicsObject::Changed() {
    TGdiHandle<HGDIOBJ> old = std::move(FHandle);
    OnChange(this);
}

HGDIOBJ TGraphicsObject::ObjectHandle() {
    if (!FHandle) {
        FHandle.reset(CreateObject());
        if (!FHandle) throw EOutOfResources("Out of system resources");
    }
    return FHandle.get();
}

// ---- TFont ----------------------------------------------------------------------------------------

const TEnumNames FontStyleNames{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

const TClassInfo& TFont::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TFont>("TFont", TGraphicsObject::StaticClassInfo())
                                       .Int("Charset", &TFont::Charset, &TFont::SetCharset)
                                       .Int("Color", &TFont::Color, &TFont::SetColor)
                                       .Int("Height", &TFont::Height, &TFont::SetHeight)
                                       .Str("Name", &TFont::Name, &TFont::SetName)
                                       .Int("Size", &TFont::Size, &TFont::SetSize)
                                       .Set("Style", FontStyleNames, &TFont::Style, &TFont::SetStyle)
                                       .Build();
    return info;
}

void TFont::SetName(const std::string& name) {
    if (name == FName) return;
    FName = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, 96);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, 96, 72));
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TFont::SetCharset(uint8_t charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

void TFont::Assign(const TPersistent* Source) {
    auto* src = dynamic_cast<const TFont*>(Source);
    if (!src) return TPersistent::Assign(Source);
    FName = src->FName;
    FHeight = src->FHeight;
    FStyle = src->FStyle;
    FColor = src->FColor;
    FCharset = src->FCharset;
    Changed();
}

HGDIOBJ TFont::CreateObject() const {
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = FStyle & (1u << fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (FStyle & (1u << fsItalic)) != 0;
    lf.lfUnderline = (FStyle & (1u << fsUnderline)) != 0;
    lf.lfStrikeOut = (FStyle & (1u << fsStrikeOut)) != 0;
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    std::u16string face = Utf8ToUtf16(FName);
    size_t n = std::min(face.size(), size_t(LF_FACESIZE - 1));
    std::copy_n(face.begin(), n, lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

// ---- TBrush -----------------------------------------------------------------------------------------

namespace {
const TEnumNames BrushStyleNames{"bsSolid", "bsClear"};
const TEnumNames PenStyleNames{"psSolid", "psDash", "psDot", "psClear"};
} // namespace

const TClassInfo& TBrush::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TBrush>("TBrush", TGraphicsObject::StaticClassInfo())
                                       .Int("Color", &TBrush::Color, &TBrush::SetColor)
                                       .Enum("Style", BrushStyleNames, &TBrush::Style, &TBrush::SetStyle)
                                       .Build();
    return info;
}

void TBrush::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TBrush::Assign(const TPersistent* Source) {
    auto* src = dynamic_cast<const TBrush*>(Source);
    if (!src) return TPersistent::Assign(Source);
    FColor = src->FColor;
    FStyle = src->FStyle;
    Changed();
}

HGDIOBJ TBrush::CreateObject() const {
    LOGBRUSH lb{};
    lb.lbStyle = FStyle == bsClear ? BS_HOLLOW : BS_SOLID;
    lb.lbColor = ColorToRGB(FColor);
    return CreateBrushIndirect(&lb);
}

// ---- TPen -------------------------------------------------------------------------------------------

const TClassInfo& TPen::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TPen>("TPen", TGraphicsObject::StaticClassInfo())
                                       .Int("Color", &TPen::Color, &TPen::SetColor)
                                       .Enum("Style", PenStyleNames, &TPen::Style, &TPen::SetStyle)
                                       .Int("Width", &TPen::Width, &TPen::SetWidth)
                                       .Build();
    return info;
}

void TPen::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width == FWidth) return;
    FWidth = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TPen::Assign(const TPersistent* Source) {
    auto* src = dynamic_cast<const TPen*>(Source);
    if (!src) return TPersistent::Assign(Source);
    FColor = src->FColor;
    FWidth = src->FWidth;
    FStyle = src->FStyle;
    Changed();
}

HGDIOBJ TPen::CreateObject() const {
    static constexpr int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_NULL};
    int style = FStyle >= psSolid && FStyle <= psClear ? styles[FStyle] : PS_SOLID;
    return CreatePen(style, FWidth, ColorToRGB(FColor));
}

void RegisterGraphicsClasses() {
    RegisterClassInfo(TImageList::StaticClassInfo());
}
