// The skinner of one pop-up menu window: the menu's border and background from the skin's
// MenuBackground; the items themselves are drawn by their owner.
#include "WinSkinMenu.h"

#include "ErrorSink.h"
#include "SkinDraw.h"
#include "SkinMessages.h"

TWinSkinPopMenu* newskinmenu = nullptr;

namespace {
constexpr int BorderWidth = 3;         // the menu's border, and the items' distance from the window's edge
constexpr DWORD DcxUseStyle = 0x10000; // undocumented: the DC follows the window's clipping styles

// The DC WM_NCPAINT asks for. Region 1 stands for the whole window and gives no DC from GetDCEx:
// the whole window DC serves then, as it does when GetDCEx fails for any other reason.
class TNcPaintDC {
  public:
    TNcPaintDC(HWND wnd, WPARAM region) : FWnd(wnd) {
        if (region > 1)
            FDC = GetDCEx(wnd, reinterpret_cast<HRGN>(region), DCX_WINDOW | DCX_INTERSECTRGN | DcxUseStyle);
        if (!FDC) FDC = GetWindowDC(wnd);
    }
    TNcPaintDC(const TNcPaintDC&) = delete;
    TNcPaintDC& operator=(const TNcPaintDC&) = delete;
    ~TNcPaintDC() {
        if (FDC) ReleaseDC(FWnd, FDC);
    }
    operator HDC() const { return FDC; }

  private:
    HWND FWnd;
    HDC FDC = nullptr;
};

SIZE WindowSize(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}
} // namespace

TWinSkinPopMenu::TWinSkinPopMenu(const bool* managerActive) : FManagerActive(managerActive) {
    FSubclass.OnMessage.Bind(this, &TWinSkinPopMenu::WinWndProc);
}

// Nothing may reach a freed skinner: the window gets its procedure back first, and the pointer to
// the last painted menu goes with it.
TWinSkinPopMenu::~TWinSkinPopMenu() {
    GuardCallback([this] { UnSubClass(); });
    if (newskinmenu == this) newskinmenu = nullptr;
}

void TWinSkinPopMenu::InitSkin(HWND wnd, TSkinData* skin, HMENU menu) {
    Handle = wnd;
    SkinData = skin;
    MenuHandle = menu;
    FSubclass.Attach(wnd);
}

void TWinSkinPopMenu::UnSubClass() {
    if (FSubclass.Attached()) FSubclass.Release();
}

HMENU TWinSkinPopMenu::ShownMenu() {
    if (!MenuHandle && IsWindow(Handle))
        MenuHandle = reinterpret_cast<HMENU>(SendMessageW(Handle, MN_GETHMENU, 0, 0));
    return MenuHandle;
}

POINT TWinSkinPopMenu::ClientOffset() const {
    RECT window{};
    GetWindowRect(Handle, &window);
    POINT origin{0, 0};
    ClientToScreen(Handle, &origin);
    return {origin.x - window.left, origin.y - window.top};
}

void TWinSkinPopMenu::Default(TMessage& m) {
    FSubclass.CallPrevious(m);
}

bool TWinSkinPopMenu::CanPaint() const {
    return SkinData && !SkinData->SkinPending && SkinData->MenuBackground;
}

TBitmap& TWinSkinPopMenu::RenderBackground() {
    SIZE size = WindowSize(Handle);
    if (!CanPaint() || size.cx <= 0 || size.cy <= 0) return Background;
    if (Updated && size.cx == FRendered.cx && size.cy == FRendered.cy) return Background;
    TDataSkinObject& skin = *SkinData->MenuBackground;
    RECT dest{0, 0, size.cx, size.cy};
    std::unique_ptr<TBitmap> map = GetHMap(dest, skin.Image, skin.Margins, 1, 1, skin.Tile != 0, false);
    Background.SetSize(size.cx, size.cy);
    BitBlt(Background.MemoryDC(), 0, 0, size.cx, size.cy, map->MemoryDC(), 0, 0, SRCCOPY);
    FRendered = size;
    Updated = true;
    return Background;
}

void TWinSkinPopMenu::WinWndProc(TMessage& m) {
    if (m.Msg == WM_SKINQUERY) {
        m.Result = 1;
        return;
    }
    if (!*FManagerActive) return Default(m);
    switch (m.Msg) {
    case WM_DESTROY:
        Default(m);
        return UnSubClass();
    case WM_ERASEBKGND:
        return WMEraseBkgnd(m);
    case WM_NCPAINT:
        return NcPaint(m);
    case WM_PAINT:
        // Some systems draw the border inside the client area: it is painted over again.
        Default(m);
        if (CanPaint()) PaintBorder(TWindowDC(Handle));
        return;
    case WM_PRINT:
        return WMPrint(m);
    default:
        return Default(m);
    }
}

void TWinSkinPopMenu::WMEraseBkgnd(TMessage& m) {
    if (!SkinData || !SkinData->Options.Contains(xoMenuBG)) Default(m);
    m.Result = 1;
}

void TWinSkinPopMenu::NcPaint(TMessage& m) {
    if (!CanPaint()) return Default(m);
    newskinmenu = this;
    TNcPaintDC dc(Handle, m.WParam);
    PaintBorder(dc);
    m.Result = 0;
}

// The old procedure prints the items, then the skinned border goes around them.
void TWinSkinPopMenu::WMPrint(TMessage& m) {
    Default(m);
    if (CanPaint()) PaintBorder(reinterpret_cast<HDC>(m.WParam));
}

// The border ring of the rendering, and whatever lies between the window's edge and its client.
void TWinSkinPopMenu::PaintBorder(HDC dc) {
    TBitmap& bg = RenderBackground();
    if (bg.Empty() || !dc) return;
    SIZE size{bg.Width(), bg.Height()};
    POINT offset = ClientOffset();
    int left = Max(BorderWidth, int(offset.x)), top = Max(BorderWidth, int(offset.y));
    HDC src = bg.MemoryDC();
    BitBlt(dc, 0, 0, size.cx, top, src, 0, 0, SRCCOPY);
    BitBlt(dc, 0, size.cy - top, size.cx, top, src, 0, size.cy - top, SRCCOPY);
    BitBlt(dc, 0, 0, left, size.cy, src, 0, 0, SRCCOPY);
    BitBlt(dc, size.cx - left, 0, left, size.cy, src, size.cx - left, 0, SRCCOPY);
}
