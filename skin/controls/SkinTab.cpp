// Tab and page controls: the face is composed off-screen (tab row, pane frame) and copied in one blit.
#include "SkinTab.h"

#include "ComCtrls.h"
#include "ImgUtil.h"
#include "SkinControlList.h"
#include "SkinDraw.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int CloseTag = 7777;            // page controls with this Tag get close boxes on their tabs
constexpr RECT BorderMargins{4, 5, 4, 4}; // the Tabs "Border" image's fixed margins

int TabCount(HWND Tab) {
    return int(SendMessageW(Tab, TCM_GETITEMCOUNT, 0, 0));
}

bool TabRect(HWND Tab, int i, RECT& R) {
    return SendMessageW(Tab, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&R)) != 0;
}

int TabAt(HWND Tab, POINT P) {
    TCHITTESTINFO hit{P, 0};
    return int(SendMessageW(Tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

POINT MessagePoint(const TMessage& M) {
    return {short(LOWORD(M.LParam)), short(HIWORD(M.LParam))};
}

// The pane image turned the way its tab side faces.
void TurnImage(TBitmap& Image, TSkinTabPosition P) {
    switch (P) {
    case StTop:
        break;
    case Stbottom:
        SpiegelnVertikal(Image);
        break;
    case Stleft:
        Drehen270Grad(Image);
        break;
    case Stright:
        Drehen90Grad(Image);
        break;
    }
}

// The horizontal row turned into its place on a side.
void TurnRow(TBitmap& Row, TSkinTabPosition P) {
    if (P == Stleft) Drehen270Grad(Row);
    if (P == Stright) Drehen90Grad(Row);
}

void CopyImage(TBitmap& Dest, const TBitmap* Source) {
    Dest.Assign(Source && !Source->Empty() ? Source : nullptr);
    if (!Dest.Empty()) Dest.SetPixelFormat(pf24bit);
}

} // namespace

int TabFrame(bool Current, bool Hot, bool Disabled) {
    static constexpr int frames[2][2] = {{1, 3}, {2, 5}}; // [current][hot]
    if (Disabled) return Current ? 2 : 4;
    return frames[Current][Hot];
}

TSkinTabPosition TabPositionOf(LONG_PTR Style) {
    static constexpr TSkinTabPosition positions[2][2] = {{StTop, Stbottom}, {Stleft, Stright}};
    return positions[(Style & TCS_VERTICAL) != 0][(Style & TCS_BOTTOM) != 0]; // TCS_RIGHT is TCS_BOTTOM
}

RECT PaneRect(const RECT& Display, TSkinTabPosition P) {
    RECT r = Display;
    InflateRect(&r, 4, 4);
    switch (P) {
    case StTop:
        r.top += 1;
        break;
    case Stbottom:
        r.bottom -= 1;
        break;
    case Stleft:
        r.left += 1;
        break;
    case Stright:
        r.right -= 1;
        break;
    }
    return r;
}

RECT RowArea(const RECT& R, const RECT& Pane, TSkinTabPosition P) {
    switch (P) {
    case StTop:
        return {R.left, R.top, R.right, Pane.top};
    case Stbottom:
        return {R.left, Pane.bottom, R.right, R.bottom};
    case Stleft:
        return {R.left, R.top, Pane.left, R.bottom};
    case Stright:
        break;
    }
    return {Pane.right, R.top, R.right, R.bottom};
}

SIZE RowSize(const RECT& Row, TSkinTabPosition P) {
    const LONG w = Row.right - Row.left, h = Row.bottom - Row.top;
    return P == StTop || P == Stbottom ? SIZE{w, h} : SIZE{h, w};
}

// A turn to the left puts row (x, y) at window (y, H - 1 - x); a turn to the right at (W - 1 - y, x).
RECT TabInRow(const RECT& Tab, const RECT& Row, TSkinTabPosition P) {
    RECT t = Tab;
    OffsetRect(&t, -Row.left, -Row.top);
    const LONG w = Row.right - Row.left, h = Row.bottom - Row.top;
    switch (P) {
    case StTop:
        return {t.left, t.top + 1, t.right, t.bottom + 1};
    case Stbottom:
        return {t.left, t.top - 1, t.right, t.bottom - 1};
    case Stleft:
        return {h - t.bottom, t.left + 1, h - t.top, t.right + 1};
    case Stright:
        break;
    }
    return {t.top, w - t.right + 1, t.bottom, w - t.left + 1};
}

RECT CloseBoxRect(const RECT& Tab) {
    return {Tab.right - 8, Tab.top + 2, Tab.right - 2, Tab.top + 8};
}

RECT TurnedMargins(const RECT& M, TSkinTabPosition P) {
    switch (P) {
    case StTop:
        return M;
    case Stbottom:
        return {M.left, M.bottom, M.right, M.top};
    case Stleft:
        return {M.top, M.right, M.bottom, M.left};
    case Stright:
        break;
    }
    return {M.bottom, M.left, M.top, M.right};
}

// ---- Attaching ------------------------------------------------------------------------------------

void TSkinTab::Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) {
    if (Initialized) return;
    TSkinControl::Init(AForm, ASkinData, ACanvas, AParentBK);
    if (!Initialized) return; // not owned by a control
    auto* pages = dynamic_cast<TPageControl*>(Control);
    CloseButtons = pages && pages->Tag == CloseTag && pages->TabPosition() == tpTop;
    inittab();
    Invalidate();
}

void TSkinTab::Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) {
    if (Initialized) return;
    TSkinControl::Inithwnd(AHandle, ASkinData, ACanvas, AForm);
    Focused = GetFocus() == Handle;
    inittab();
    Invalidate();
}

void TSkinTab::SkinChange() {
    inittab();
    TSkinControl::SkinChange();
}

// A skin without Tabs (or with empty images) leaves both copies empty: the control then paints itself.
void TSkinTab::inittab() {
    TabPosition = TabPositionOf(GetWindowLongEx(GWL_STYLE));
    WideTabs = IsWindowUnicode(Handle);
    TakeImages();
    TakeLook();
    if (TabPosition == Stbottom && !TabImage.Empty()) SpiegelnVertikal(TabImage);
    if (!PaneImage.Empty()) TurnImage(PaneImage, TabPosition);
}

void TSkinTab::TakeLook() {
    const TDataSkinBorder* tabs = SkinData ? SkinData->Tabs.get() : nullptr;
    if (!tabs) return;
    const TDataSkinObject* pane = SkinData->TabPane.get();
    Look.TabMargins = TabPosition == Stbottom ? TurnedMargins(tabs->Margins, Stbottom) : tabs->Margins;
    Look.PaneMargins = TurnedMargins(tabs->Style == 0 || !pane ? BorderMargins : pane->Margins, TabPosition);
    Look.Frames = tabs->Frame;
    Look.Trans = tabs->Trans == 1;
    Look.Tile = tabs->Tile != 0;
    Look.Normal = tabs->NormalColour2;
    Look.Current = tabs->MouseOverColour2;
}

void TSkinTab::TakeImages() {
    TDataSkinBorder* tabs = SkinData ? SkinData->Tabs.get() : nullptr;
    TDataSkinObject* pane = SkinData ? SkinData->TabPane.get() : nullptr;
    CopyImage(TabImage, tabs ? &tabs->Image : nullptr);
    if (tabs && tabs->Style == 0)
        CopyImage(PaneImage, &tabs->Image2);
    else
        CopyImage(PaneImage, tabs && pane ? &pane->Image : nullptr);
}

// ---- Messages -------------------------------------------------------------------------------------

bool TSkinTab::BeforeProc(TMessage& Message) {
    if (Skinned() && PaintWholeFace(Message)) return false;
    if (Message.Msg == WM_LBUTTONDOWN && CloseButtons && ClickClose(Message)) {
        Message.Result = 0;
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinTab::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        MouseEntered();
        TrackLeave();
        return SetHot(TabAt(Handle, MessagePoint(Message)));
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        MouseLeft();
        return SetHot(-1);
    }
    TSkinControl::AfterProc(Message);
}

void TSkinTab::SetHot(int Tab) {
    if (Tab == HotTab) return;
    HotTab = Tab;
    Invalidate();
}

// Only boxes of tabs that still exist count: tabs may have gone since the boxes were painted.
bool TSkinTab::ClickClose(TMessage& Message) {
    const POINT p = MessagePoint(Message);
    const int n = std::min(int(CloseRects.size()), TabCount(Handle));
    for (int i = 0; i < n; i++) {
        if (!PtInRect(&CloseRects[size_t(i)], p)) continue;
        HWND form = GetAncestor(Handle, GA_ROOT);
        if (SendMessageW(form, WM_SKINTABCLOSE, WPARAM(Handle), LPARAM(i)) == 0) FreePage(i);
        return true;
    }
    return false;
}

// The page behind the tab: tab and page numbers differ when a page hides its tab.
void TSkinTab::FreePage(int Tab) {
    auto* pages = dynamic_cast<TPageControl*>(Control);
    for (int i = 0; pages && i < pages->PageCount(); i++)
        if (pages->Pages(i)->TabIndex() == Tab) return pages->Pages(i)->Free();
}

// ---- Painting -------------------------------------------------------------------------------------

void TSkinTab::DrawControl(HDC DC, const RECT& R) {
    if (!Skinned()) return;
    Enabled = !(GetWindowLongEx(GWL_STYLE) & WS_DISABLED);
    RECT display = R;
    SendMessageW(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const RECT pane = PaneRect(display, TabPosition);
    TBitmap face;
    face.SetSize(R.right - R.left, R.bottom - R.top);
    FillBG(face.Canvas().Handle(), R);
    DrawRow(face.Canvas(), RowArea(R, pane, TabPosition));
    DrawPane(face.MemoryDC(), pane);
    {
        TSaveDC saved(DC);
        ClipUpdown(DC);
        BitBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, face.MemoryDC(), 0, 0, SRCCOPY);
    }
    if (auto* win = dynamic_cast<TWinControl*>(Control); win && Kind == 2) win->PaintControls(DC, nullptr);
}

void TSkinTab::DrawRow(TCanvas& Face, const RECT& Row) {
    const SIZE s = RowSize(Row, TabPosition);
    if (s.cx <= 0 || s.cy <= 0) return;
    TBitmap row;
    row.SetSize(s.cx, s.cy);
    FillBG(row.Canvas().Handle(), {0, 0, s.cx, s.cy});
    if (Control)
        row.Canvas().Font().Assign(&Control->Font());
    else
        TakeWindowFont(row.Canvas().Font(), Handle);
    DrawTabs(row.Canvas(), Row);
    TurnRow(row, TabPosition);
    BitBlt(Face.Handle(), Row.left, Row.top, Row.right - Row.left, Row.bottom - Row.top, row.MemoryDC(), 0, 0,
           SRCCOPY);
}

void TSkinTab::DrawTabs(TCanvas& C, const RECT& Row) {
    const int n = TabCount(Handle);
    const int current = int(SendMessageW(Handle, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, TCM_GETIMAGELIST, 0, 0));
    CloseRects.resize(size_t(std::max(n, 0)));
    for (int i = 0; i < n; i++) {
        RECT tab;
        if (!TabRect(Handle, i, tab)) continue; // its close box keeps its last place
        RECT inRow = TabInRow(tab, Row, TabPosition);
        Drawitem(C, inRow, i, current, images);
        if (CloseButtons) drawCloseBtn(C, inRow, i);
    }
}

void TSkinTab::Drawitem(TCanvas& C, const RECT& Tab, int Index, int Current, HIMAGELIST Images) {
    const bool current = Index == Current;
    DrawRect2(C.Handle(), Tab, TabImage, Look.TabMargins, TabFrame(current, Index == HotTab, !Enabled),
              Look.Frames, Look.Trans, Look.Tile, false);
    int image = -1;
    std::u16string text = TabText(Index, image);
    C.Font().SetColor(current ? Look.Current : Look.Normal);
    DrawImgCaption(C, Tab, Images, image, text, 1);
}

std::u16string TSkinTab::TabText(int Index, int& Image) const {
    wchar_t text[80]{};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = int(std::size(text));
    if (WideTabs) {
        SendMessageW(Handle, TCM_GETITEMW, WPARAM(Index), reinterpret_cast<LPARAM>(&item));
        Image = item.iImage;
        return reinterpret_cast<const char16_t*>(text);
    }
    char narrow[80]{};
    TCITEMA a{};
    a.mask = TCIF_TEXT | TCIF_IMAGE;
    a.pszText = narrow;
    a.cchTextMax = int(std::size(narrow));
    SendMessageA(Handle, TCM_GETITEMA, WPARAM(Index), reinterpret_cast<LPARAM>(&a));
    Image = a.iImage;
    MultiByteToWideChar(CP_ACP, 0, narrow, -1, text, int(std::size(text)));
    return reinterpret_cast<const char16_t*>(text);
}

// Close boxes exist only on top tabs, where the row is the window's own top strip.
void TSkinTab::drawCloseBtn(TCanvas& C, const RECT& Tab, int Index) {
    const RECT box = CloseBoxRect(Tab);
    C.Pen().SetColor(C.Font().Color());
    C.Brush().SetStyle(bsClear);
    C.Rectangle(box.left, box.top, box.right, box.bottom);
    C.MoveTo(box.left, box.top);
    C.LineTo(box.right, box.bottom);
    C.MoveTo(box.right - 1, box.top);
    C.LineTo(box.left - 1, box.bottom);
    CloseRects[size_t(Index)] = box;
}

// Without a pane image the page area gets a plain raised edge.
void TSkinTab::DrawPane(HDC DC, const RECT& Pane) {
    if (PaneImage.Empty()) {
        RECT r = Pane;
        DrawEdge(DC, &r, EDGE_RAISED, BF_RECT);
        return;
    }
    DrawRect2(DC, Pane, PaneImage, Look.PaneMargins, 1, 1, false, false, false);
}

bool TSkinTab::FindScroll() const {
    HWND arrows = FindWindowExW(Handle, nullptr, UPDOWN_CLASSW, nullptr);
    return arrows && (GetWindowLongPtrW(arrows, GWL_STYLE) & WS_VISIBLE);
}

// The control's scroll arrows stay on top of the row.
void TSkinTab::ClipUpdown(HDC DC) const {
    if (!FindScroll()) return;
    HWND arrows = FindWindowExW(Handle, nullptr, UPDOWN_CLASSW, nullptr);
    RECT r;
    GetWindowRect(arrows, &r);
    MapWindowPoints(HWND_DESKTOP, Handle, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(DC, r.left, r.top, r.right, r.bottom);
}

// ---- Pages ----------------------------------------------------------------------------------------

bool TSkinTabSheet::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        WMPaint(Message);
        return false;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(Handle, &r);
        FillBG(reinterpret_cast<HDC>(Message.WParam), r);
        Message.Result = 1;
        return false;
    }
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinTabSheet::DrawControl(HDC DC, const RECT& R) {
    FillBG(DC, R);
    if (auto* page = dynamic_cast<TWinControl*>(Control)) page->PaintControls(DC, nullptr);
}

TSkinControl* AttachTabControl(TControl& Tabs, TSkinControlList& List, bool ParentBK) {
    auto* pages = dynamic_cast<TPageControl*>(&Tabs);
    if (pages && pages->Style() != tsTabs) return nullptr;
    auto* s = new TSkinTab(&Tabs);
    s->Kind = pages ? 0 : 2;
    s->Init(&List, List.SkinData, &List.ControlCanvas, ParentBK);
    return s;
}

bool TabGate(const TSkinData& Skin) {
    return Skin.SkinControls.Contains(xcTab) && Skin.Tabs;
}
