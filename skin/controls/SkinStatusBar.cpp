// The status bar: panels and grip composed off-screen and copied in one blit, so nothing flickers.
#include "SkinStatusBar.h"

#include "ComCtrls.h"
#include "SkinDraw.h"
#include "SkinMap.h"
#include "SysUtils.h"

#include <commctrl.h>

namespace {

constexpr int BevelFrame[] = {3, 1, 2}; // by TStatusPanelBevel: none, lowered, raised

UINT PanelAlignment(TAlignment A) {
    static constexpr UINT formats[] = {DT_LEFT, DT_RIGHT, DT_CENTER}; // by TAlignment
    return formats[A];
}

bool PanelRect(HWND Bar, int i, RECT& R) {
    return SendMessageW(Bar, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&R)) != 0;
}

// Without the skin's image: a 1-pixel 3D frame, sunken for lowered, raised for raised.
void DefaultEdges(HDC DC, const TStatusItem& Item) {
    if (Item.Bevel == 3) return;
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    if (Item.Bevel == 2) std::swap(shadow, light);
    const RECT& r = Item.Rect;
    TGdiHandle<HBRUSH> topLeft(CreateSolidBrush(shadow)), bottomRight(CreateSolidBrush(light));
    RECT top{r.left, r.top, r.right, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom};
    RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(DC, &top, topLeft);
    FillRect(DC, &left, topLeft);
    FillRect(DC, &bottom, bottomRight);
    FillRect(DC, &right, bottomRight);
}

} // namespace

RECT SizeGripRect(const RECT& R, int W, int H) {
    return {R.right - 1 - W, R.bottom - 1 - H, R.right - 1, R.bottom - 1};
}

bool TSkinStatusBar::BeforeProc(TMessage& Message) {
    return !PaintWholeFace(Message) && TSkinControl::BeforeProc(Message);
}

TCustomStatusBar* TSkinStatusBar::Bar() const {
    return dynamic_cast<TCustomStatusBar*>(Control);
}

// Simple mode is one lowered item over the whole bar; otherwise one item per panel whose
// rectangle the bar gives, each 2 pixels wider, the last reaching the bar's right edge.
std::vector<TStatusItem> TSkinStatusBar::Items(const RECT& R) const {
    TCustomStatusBar* bar = Bar();
    if (!bar || bar->SimplePanel() || bar->Panels().Count() == 0) {
        bool rtl = GetWindowLongEx(GWL_EXSTYLE) & WS_EX_RTLREADING;
        std::u16string text = bar ? Utf8ToUtf16(bar->SimpleText()) : WindowText();
        return {{R, 1, UINT(rtl ? DT_RIGHT : DT_LEFT), text, true}};
    }
    std::vector<TStatusItem> items;
    const int n = bar->Panels().Count();
    for (int i = 0; i < n; i++) {
        TStatusPanel* p = bar->Panels()[i];
        RECT r;
        if (!PanelRect(Handle, i, r)) continue;
        r.right = i == n - 1 ? R.right : r.right + 2;
        items.push_back({r, BevelFrame[p->Bevel()], PanelAlignment(p->Alignment()), Utf8ToUtf16(p->Text()),
                         p->Style() == psText});
    }
    return items;
}

void TSkinStatusBar::DrawControl(HDC DC, const RECT& R) {
    if (!SkinData) return;
    TBitmap bg;
    bg.SetSize(R.right - R.left, R.bottom - R.top);
    TCanvas& c = bg.Canvas();
    FillBG(c.Handle(), R);
    if (Control) c.Font().Assign(&Control->Font());
    c.Font().SetStyle(0);
    if (SkinData->StatusBarEdges) c.Font().SetColor(SkinData->StatusBarEdges->NormalColour2);
    for (const TStatusItem& item : Items(R))
        DrawItem(c, item);
    DrawSizeGrip(c.Handle(), R);
    BitBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, c.Handle(), 0, 0, SRCCOPY);
    if (auto* bar = Bar()) {
        bar->PaintControls(DC, nullptr);
        DrawOwnerPanels(DC);
    }
}

void TSkinStatusBar::DrawItem(TCanvas& C, const TStatusItem& Item) {
    DrawEdges(C.Handle(), Item);
    if (!Item.HasText) return;
    RECT text = Item.Rect;
    InflateRect(&text, -2, 0);
    DrawCaption(C, text, Item.Text.empty() ? u" " : Item.Text, true, Item.Alignment);
}

void TSkinStatusBar::DrawEdges(HDC DC, const TStatusItem& Item) {
    TDataSkinObject* edges = SkinData->StatusBarEdges.get();
    if (!edges || edges->Image.Empty()) return DefaultEdges(DC, Item);
    DrawRect2(DC, Item.Rect, edges->Image, edges->Margins, Item.Bevel, edges->Frame, false, edges->Tile != 0,
              false);
}

void TSkinStatusBar::DrawSizeGrip(HDC DC, const RECT& R) {
    TDataSkinObject* extra = SkinData->ExtraImages.get();
    if (!(GetWindowLongEx(GWL_STYLE) & SBARS_SIZEGRIP) || !extra || extra->Image.Empty()) return;
    const int w = extra->Image.Width() / 5, h = extra->Image.Height();
    DrawSkinMap2(DC, SizeGripRect(R, w, h), extra->Image, 5, 5);
}

// Owner-drawn panels only, and none in simple mode, where the panels are not shown.
void TSkinStatusBar::DrawOwnerPanels(HDC DC) {
    TCustomStatusBar& bar = *Bar();
    if (!bar.OnDrawPanel || bar.SimplePanel()) return;
    for (int i = 0; i < bar.Panels().Count(); i++) {
        RECT r;
        if (bar.Panels()[i]->Style() != psOwnerDraw || !PanelRect(Handle, i, r)) continue;
        InflateRect(&r, -2, -2);
        TLentCanvas lent(bar.Canvas(), DC);
        bar.Canvas().Font().Assign(&bar.Font());
        bar.OnDrawPanel(&bar, bar.Panels()[i], r);
    }
}
