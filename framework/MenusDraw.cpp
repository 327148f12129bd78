// The menu messages routed to the items, and the default look of owner-drawn items.
#include "Menus.h"

#include <algorithm>

namespace {
constexpr int kGlyphMin = 16, kGlyphLeft = 2, kTextGap = 6, kShortCutGap = 16, kArrowRoom = 16;
constexpr int kItemPadding = 4, kLineHeight = 8, kBarPadding = 12;

void UseMenuFont(TFont& font, bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const LOGFONTW& menu = metrics.lfMenuFont;
    font.SetName(Utf16ToUtf8(reinterpret_cast<const char16_t*>(menu.lfFaceName)));
    font.SetHeight(menu.lfHeight);
    font.SetCharset(menu.lfCharSet);
    font.SetStyle(bold || menu.lfWeight >= FW_BOLD ? 1u << fsBold : 0);
}

SIZE TextExtent(TCanvas& canvas, const std::string& text, UINT format) {
    RECT r{0, 0, 0, 0};
    canvas.DrawText(Utf8ToUtf16(text.empty() ? " " : text), r, DT_CALCRECT | DT_SINGLELINE | format);
    return {r.right - r.left, r.bottom - r.top};
}

TImageList* ImagesOf(const TMenuItem& item) {
    TMenu* menu = item.GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

// ---- Geometry of a drop-down item: the glyph box (image or check mark) left of the caption --------

SIZE GlyphSize(const TImageList* images) {
    return {std::max(kGlyphMin, images ? images->Width : 0),
            std::max(kGlyphMin, images ? images->Height : 0)};
}

RECT GlyphBox(const RECT& item, SIZE glyph) {
    int top = item.top + (item.bottom - item.top - glyph.cy) / 2;
    return {item.left + kGlyphLeft, top, item.left + kGlyphLeft + glyph.cx, top + glyph.cy};
}

RECT TextBox(const RECT& item, SIZE glyph) {
    return {item.left + kGlyphLeft + glyph.cx + kTextGap, item.top, item.right - kArrowRoom, item.bottom};
}

// ---- Messages -----------------------------------------------------------------------------------

// What the native item is now: a skinner may have made it owner-drawn behind the item's back.
bool NativeOwnerDraw(TMenuItem& item) {
    TMenuItem* parent = item.Parent();
    if (!parent || !parent->HandleAllocated()) return false;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    return GetMenuItemInfoW(parent->Handle(), item.Command(), FALSE, &info) && (info.fType & MFT_OWNERDRAW);
}

// Whole owner-drawn items, or only the image of an item the system draws (HBMMENU_CALLBACK).
bool Measure(MEASUREITEMSTRUCT& measure) {
    TMenuItem* item = measure.CtlType == ODT_MENU ? FindMenuItem(measure.itemID, fkCommand) : nullptr;
    if (!item) return false;
    int width = 0, height = 0;
    if (NativeOwnerDraw(*item)) {
        TClientDC screen(nullptr);
        TCanvas canvas(screen);
        item->MeasureItem(canvas, width, height);
    } else if (const TImageList* images = ImagesOf(*item)) {
        width = images->Width;
        height = images->Height;
    }
    measure.itemWidth = static_cast<UINT>(std::max(width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool Draw(const DRAWITEMSTRUCT& draw) {
    TMenuItem* item = draw.CtlType == ODT_MENU ? FindMenuItem(draw.itemID, fkCommand) : nullptr;
    if (!item) return false;
    TSaveDC keep(draw.hDC);
    TCanvas canvas(draw.hDC);
    if (NativeOwnerDraw(*item))
        item->DrawItem(canvas, draw.rcItem, draw.itemState);
    else
        item->DrawImage(canvas, draw.rcItem, !(draw.itemState & (ODS_GRAYED | ODS_DISABLED)));
    return true;
}
} // namespace

bool DispatchMenuMessage(TMessage& Message) {
    TMenuItem* item = nullptr;
    switch (Message.Msg) {
    case WM_COMMAND:
        if (Message.LParam == 0) item = FindMenuItem(LOWORD(Message.WParam), fkCommand);
        break;
    case WM_INITMENUPOPUP: // not for the system menu
        if (!HIWORD(Message.LParam)) item = FindMenuItem(Message.WParam, fkHandle);
        break;
    case WM_MEASUREITEM:
        Message.Result = TRUE;
        return Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam));
    case WM_DRAWITEM:
        Message.Result = TRUE;
        return Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
    }
    if (!item) return false;
    item->Click();
    Message.Result = 0;
    return true;
}

// ---- Default look -------------------------------------------------------------------------------

void TMenuItem::MeasureItem(TCanvas& ACanvas, int& Width, int& Height) {
    UseMenuFont(ACanvas.Font(), FDefault);
    SIZE text = TextExtent(ACanvas, FCaption, 0);
    SIZE glyph = GlyphSize(Images());
    if (IsLine()) {
        Width = 0;
        Height = kLineHeight;
    } else if (IsTopLevel()) {
        Width = text.cx + kBarPadding;
        Height = text.cy;
    } else {
        int shortCut =
            FShortCut ? kShortCutGap + TextExtent(ACanvas, ShortCutToText(FShortCut), DT_NOPREFIX).cx : 0;
        Width = kGlyphLeft + glyph.cx + kTextGap + text.cx + shortCut + kArrowRoom;
        Height = std::max<int>(text.cy, glyph.cy) + kItemPadding;
    }
    OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DrawItem(TCanvas& ACanvas, const RECT& ARect, TOwnerDrawState State) {
    if (OnAdvancedDrawItem) return OnAdvancedDrawItem(this, ACanvas, ARect, State);
    if (OnDrawItem) return OnDrawItem(this, ACanvas, ARect, (State & ODS_SELECTED) != 0);
    DrawDefault(ACanvas, ARect, State);
}

void TMenuItem::DrawDefault(TCanvas& ACanvas, const RECT& ARect, TOwnerDrawState State) {
    bool selected = State & ODS_SELECTED, enabled = !(State & (ODS_GRAYED | ODS_DISABLED));
    UseMenuFont(ACanvas.Font(), FDefault);
    ACanvas.Brush().SetStyle(bsSolid);
    ACanvas.Brush().SetColor(selected ? clHighlight : clMenu);
    ACanvas.FillRect(ARect);
    if (IsLine()) {
        RECT line{ARect.left, (ARect.top + ARect.bottom) / 2, ARect.right, ARect.bottom};
        DrawEdge(ACanvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    ACanvas.Font().SetColor(!enabled ? clGrayText : selected ? clHighlightText : clMenuText);
    ACanvas.Brush().SetStyle(bsClear);
    UINT prefix = State & ODS_NOACCEL ? DT_HIDEPREFIX : 0;
    RECT box = ARect;
    if (IsTopLevel()) {
        ACanvas.DrawText(Utf8ToUtf16(FCaption), box, DT_SINGLELINE | DT_VCENTER | DT_CENTER | prefix);
        return;
    }
    SIZE glyph = GlyphSize(Images());
    if (!DrawImage(ACanvas, GlyphBox(ARect, glyph), enabled) && FChecked)
        DrawCheck(ACanvas, GlyphBox(ARect, glyph));
    box = TextBox(ARect, glyph);
    ACanvas.DrawText(Utf8ToUtf16(FCaption), box, DT_SINGLELINE | DT_VCENTER | DT_LEFT | prefix);
    if (FShortCut)
        ACanvas.DrawText(Utf8ToUtf16(ShortCutToText(FShortCut)), box,
                         DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
}

bool TMenuItem::DrawImage(TCanvas& ACanvas, const RECT& Box, bool Enabled) {
    TImageList* images = Images();
    if (!images || FImageIndex < 0 || FImageIndex >= images->Count()) return false;
    int x = Box.left + (Box.right - Box.left - images->Width) / 2;
    int y = Box.top + (Box.bottom - Box.top - images->Height) / 2;
    if (FChecked) {
        RECT frame{x - 1, y - 1, x + images->Width + 1, y + images->Height + 1};
        DrawEdge(ACanvas.Handle(), &frame, BDR_SUNKENOUTER, BF_RECT);
    }
    images->Draw(ACanvas, x, y, FImageIndex, Enabled);
    return true;
}

// The check mark or the radio bullet of the symbol font, in the caption's colour.
void TMenuItem::DrawCheck(TCanvas& ACanvas, const RECT& Box) {
    TFont caption;
    caption.Assign(&ACanvas.Font());
    ACanvas.Font().SetName("Marlett");
    ACanvas.Font().SetCharset(SYMBOL_CHARSET);
    ACanvas.Font().SetHeight(-(Box.bottom - Box.top));
    RECT box = Box;
    ACanvas.DrawText(FRadioItem ? u"h" : u"a", box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    ACanvas.Font().Assign(&caption);
}
