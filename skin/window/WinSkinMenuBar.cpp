// The skinned menu bar: its items from the window's menu, their layout and painting.
#include "WinSkinMenu.h"

#include "Forms.h"
#include "MenuRules.h"
#include "SkinDraw.h"
#include "WinSkinForm.h"

namespace {
constexpr UINT CaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

std::u16string NativeText(HMENU menu, int index) {
    wchar_t text[80] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 79;
    if (!GetMenuItemInfoW(menu, UINT(index), TRUE, &info)) return {};
    return reinterpret_cast<const char16_t*>(text);
}
} // namespace

namespace {
TGdiHandle<HFONT> CreateMenuFont(bool bold) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    if (bold) ncm.lfMenuFont.lfWeight = FW_BOLD;
    return TGdiHandle<HFONT>(CreateFontIndirectW(&ncm.lfMenuFont));
}
} // namespace

// Made once: every bar and item of the process draws with it.
HFONT MenuFont(bool bold) {
    static const TGdiHandle<HFONT> normal = CreateMenuFont(false), heavy = CreateMenuFont(true);
    return bold ? heavy.get() : normal.get();
}

void TMenuBtn::Draw() {
    if (Form.MenuBar) Form.MenuBar->DrawBtn(*this);
}

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& form, TSkinData* skin)
    : TComponent(nullptr), SkinData(skin), Form(form) {}

bool TWinSkinMenu::RightToLeft() const {
    return GetWindowLongPtrW(Form.Handle, GWL_EXSTYLE) & WS_EX_RTLREADING;
}

void TWinSkinMenu::UpdataBtn(HMENU menu) {
    if (!menu) return;
    MenuHandle = menu;
    Menu = Form.Form ? Form.Form->Menu() : nullptr;
    // The form skinner may point at an item that goes now.
    for (auto& b : Buttons)
        if (Form.HotObject == b.get() || Form.Pressed == b.get()) Form.HotObject = Form.Pressed = nullptr;
    Buttons.clear();
    ItemCount = GetMenuItemCount(menu);
    for (int i = 0; i < ItemCount; ++i)
        AddBtn(i);
}

void TWinSkinMenu::AddBtn(int index) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    auto b = std::make_unique<TMenuBtn>(Form, SkinData);
    b->Index = index;
    b->Visible = true;
    if (GetMenuItemInfoW(MenuHandle, UINT(index), TRUE, &info)) {
        b->SubMenu = info.hSubMenu;
        b->Enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        b->CommandId = info.wID;
    }
    b->Caption = NativeText(MenuHandle, index);
    if (TMenuItem* item = Menu ? Menu->FindItem(b->CommandId, fkCommand) : nullptr) {
        b->Caption = Utf8ToUtf16(item->Caption());
        b->Enabled = item->Enabled();
        b->FrameworkItem = item;
        b->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
    }
    Buttons.push_back(std::move(b));
}

void TWinSkinMenu::SetMenuRect() {
    SIZE window{Form.FrameWidth, Form.FrameHeight};
    RECT strip = MenuStripRect(window, Form.Frame);
    const TDataSkinObject* skin = SkinData->MenuBarSkin.get();
    bool rtl = RightToLeft();
    int startX = BarStartX(strip.right - strip.left, skin != nullptr, skin ? int(skin->Margins.left) : 0,
                           skin ? int(skin->Margins.right) : 0, rtl);
    TMemoryDC dc;
    TSelectObject font(dc, MenuFont());
    std::vector<int> widths;
    for (auto& b : Buttons) {
        RECT r{0, 0, 0, 0};
        if (!b->Caption.empty())
            DrawTextW(dc, reinterpret_cast<const wchar_t*>(b->Caption.c_str()), int(b->Caption.size()), &r,
                      DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
        widths.push_back(b->Visible ? r.right - r.left : -1);
    }
    std::vector<RECT> rects = BarItemRects(widths, strip, startX, rtl);
    for (size_t i = 0; i < Buttons.size(); ++i)
        Buttons[i]->BoundsRect = rects[i];
}

void TWinSkinMenu::DrawMenu(HDC dc, const RECT& strip) {
    SIZE size = SizeOf(strip);
    if (size.cx <= 0 || size.cy <= 0) return;
    Painting = true;
    StripRect = strip;
    SetMenuRect();
    Background.SetSize(size.cx, size.cy);
    HDC bg = Background.MemoryDC();
    RECT local{0, 0, size.cx, size.cy};
    if (TDataSkinObject* skin = SkinData->MenuBarSkin.get()) {
        int frame = Form.Active ? 1 : 2;
        if (skin->Tile == 1) {
            DrawRect2(bg, local, skin->Image, skin->Margins, frame, 2, false, false, true);
        } else {
            TCanvas canvas(bg);
            DrawRectTile(canvas, local, skin->Image, skin->Margins, frame, 2, false, true);
        }
    } else {
        TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(SkinData->Colors[csMenuBar])));
        FillRect(bg, &local, brush);
    }
    for (auto& b : Buttons) {
        RECT r = b->BoundsRect;
        OffsetRect(&r, -strip.left, -strip.top);
        if (b->Visible) DrawCaption(bg, *b, r);
    }
    Form.DrawMDIButtons(bg, strip);
    BitBlt(dc, strip.left, strip.top, size.cx, size.cy, bg, 0, 0, SRCCOPY);
    Painting = false;
}

void TWinSkinMenu::DrawCaption(HDC dc, const TMenuBtn& b, RECT r) {
    TSaveDC save(dc);
    SelectObject(dc, MenuFont());
    SetBkMode(dc, TRANSPARENT);
    TColor color = b.Enabled ? SkinData->Colors[csMenuBarText] : SkinData->Colors[csButtonShadow];
    SetTextColor(dc, ColorToRGB(color));
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(b.Caption.c_str()), int(b.Caption.size()), &r,
              CaptionFormat);
}

TMenuBtn* TWinSkinMenu::FindBtn(POINT p) {
    for (auto& b : Buttons)
        if (b->Visible && !b->Caption.empty() && PtInRect(&b->BoundsRect, p)) return b.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FindBtnFromAccel(WPARAM charCode) {
    for (auto& b : Buttons)
        if (b->Visible && b->Enabled && IsAccel(charCode, Utf16ToUtf8(b->Caption))) return b.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FirstBtn() {
    for (auto& b : Buttons)
        if (b->Visible && !b->Caption.empty()) return b.get();
    return nullptr;
}

// The item's part of the strip as last painted, caption included, framed when pressed or hot.
void TWinSkinMenu::DrawBtn(TMenuBtn& b) {
    if (Background.Empty() || !b.Visible || IsRectEmpty(&b.BoundsRect)) return;
    SIZE size = SizeOf(b.BoundsRect);
    TBitmap scratch;
    scratch.SetSize(size.cx, size.cy);
    HDC dc = scratch.MemoryDC();
    BitBlt(dc, 0, 0, size.cx, size.cy, Background.MemoryDC(), b.BoundsRect.left - StripRect.left,
           b.BoundsRect.top - StripRect.top, SRCCOPY);
    RECT local{0, 0, size.cx, size.cy};
    if (b.State == 2 || b.State == 3) {
        TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(SkinData->Colors[csButtonHilight])));
        FrameRect(dc, &local, brush);
    }
    TWindowDC window(Form.Handle);
    BitBlt(window, b.BoundsRect.left, b.BoundsRect.top, size.cx, size.cy, dc, 0, 0, SRCCOPY);
}

void TWinSkinMenu::RestBtns() {
    for (auto& b : Buttons)
        b->State = 1;
}
