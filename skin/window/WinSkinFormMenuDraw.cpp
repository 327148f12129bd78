// Menu items drawn from the skin (the drop-downs of the menu bar and the skinned system menu), and
// the skinned system menu itself.
#include "WinSkinForm.h"

#include "Forms.h"
#include "MenuRules.h"
#include "SkinDraw.h"

namespace {
constexpr int SysMenuTag = 0x8235;
constexpr WORD CheckBitmap = 32760; // OBM_CHECK, named only under OEMRESOURCE

template <class F> void ForEachBelow(TMenuItem& item, const F& fn) {
    for (int i = 0; i < item.Count(); ++i) {
        fn(*item.Items(i));
        ForEachBelow(*item.Items(i), fn);
    }
}

template <class E> bool IsOurs(const E& event, const TObject* self) {
    return event && event.Data == self;
}

int ImageWidth(const TMenuItem& item) {
    TMenu* menu = item.GetParentMenu();
    return menu && menu->Images() ? menu->Images()->Width : 0;
}

void DrawCheckMark(HDC dc, const RECT& box) {
    TGdiHandle<HBITMAP> check(LoadBitmapW(nullptr, MAKEINTRESOURCEW(CheckBitmap)));
    BITMAP info{};
    if (!check || !GetObjectW(check, sizeof info, &info)) return;
    TMemoryDC src(dc);
    TSelectObject keep(src, check);
    int x = box.left + (box.right - box.left - info.bmWidth) / 2;
    int y = box.top + (box.bottom - box.top - info.bmHeight) / 2;
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, src, 0, 0, SRCAND);
}

// The caption and the shortcut beside it (after a tab, or the item's own shortcut).
std::pair<std::u16string, std::u16string> CaptionParts(const TMenuItem& item) {
    std::u16string text = Utf8ToUtf16(item.Caption());
    size_t tab = text.find(u'\t');
    if (tab != std::u16string::npos) return {text.substr(0, tab), text.substr(tab + 1)};
    return {text, Utf8ToUtf16(ShortCutToText(item.ShortCut()))};
}

void DrawPart(HDC dc, const std::u16string& text, RECT r, UINT format) {
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), int(text.size()), &r,
              format | DT_SINGLELINE | DT_VCENTER);
}
} // namespace

// ---- Owner-drawn items ------------------------------------------------------------------------------

// The bar's own items are drawn by the bar; the application's handlers are never replaced, and
// switching off takes back only what was given here.
void TWinSkinForm::InitMainMenu(bool on) {
    TMainMenu* menu = Form ? Form->Menu() : nullptr;
    if (!menu || (on && !SkinFrame)) return;
    ForEachBelow(*menu->Items(), [this, on](TMenuItem& item) {
        if (item.IsTopLevel()) return;
        if (on) {
            if (!item.OnAdvancedDrawItem) item.OnAdvancedDrawItem.Bind(this, &TWinSkinForm::DrawMenuItem);
            if (!item.OnMeasureItem) item.OnMeasureItem.Bind(this, &TWinSkinForm::MeasureItem);
            return;
        }
        if (IsOurs(item.OnAdvancedDrawItem, this)) item.OnAdvancedDrawItem = {};
        if (IsOurs(item.OnMeasureItem, this)) item.OnMeasureItem = {};
    });
}

// Every framework item of the drop-down and its sub-menus is drawn by its owner while the loop
// runs; an item nobody would draw keeps the system's drawing.
void TWinSkinForm::MakeOwnerDrawn(HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID;
        if (!GetMenuItemInfoW(menu, UINT(i), TRUE, &info)) continue;
        bool framework = info.hSubMenu ? FindMenuItem(reinterpret_cast<UINT_PTR>(info.hSubMenu), fkHandle)
                                       : FindMenuItem(info.wID, fkCommand);
        if (framework && !(info.fType & MFT_OWNERDRAW)) {
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            if (SetMenuItemInfoW(menu, UINT(i), TRUE, &info)) FOwnerDrawn.push_back({menu, UINT(i)});
        }
        if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu);
    }
}

void TWinSkinForm::RestoreOwnerDrawn() {
    for (auto [menu, index] : FOwnerDrawn) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu, index, TRUE, &info)) continue;
        info.fType &= ~UINT(MFT_OWNERDRAW);
        SetMenuItemInfoW(menu, index, TRUE, &info);
    }
    FOwnerDrawn.clear();
}

void TWinSkinForm::MeasureItem(TObject* Sender, TCanvas&, int& width, int&) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!SkinData->MenuItem || !item) return;
    width += int(SkinData->MenuItem->Margins.left) + 10 + (ImageWidth(*item) ? 0 : 25);
}

void TWinSkinForm::MeasureItemPop(TObject* Sender, TCanvas&, int& width, int&) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!SkinData->MenuItem || !item) return;
    width += int(SkinData->MenuItem->Margins.left) + 12 + (ImageWidth(*item) ? 0 : 23);
}

// Composed off-screen over the menu window's skinned background, then drawn in one blit.
void TWinSkinForm::DrawMenuItem(TObject* Sender, TCanvas& canvas, const RECT& rect, TOwnerDrawState state) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    TDataSkinObject* skin = SkinData->MenuItem.get();
    if (!skin) return item->DrawDefault(canvas, rect, state);
    SIZE size = SizeOf(rect);
    if (size.cx <= 0 || size.cy <= 0) return;
    TBitmap scratch;
    scratch.SetSize(size.cx, size.cy);
    HDC dc = scratch.MemoryDC();
    DrawItemBackground(*item, dc, rect);
    RECT local{0, 0, size.cx, size.cy};
    bool selected = state & ODS_SELECTED;
    int frame = MenuItemFrame(item->IsLine(), selected && !item->IsLine());
    DrawRect2(dc, local, skin->Image, skin->Margins, frame, 5, skin->Trans != 0, skin->Tile != 0, false);
    if (!item->IsLine()) DrawItemText(*item, dc, selected, local);
    BitBlt(canvas.Handle(), rect.left, rect.top, size.cx, size.cy, dc, 0, 0, SRCCOPY);
}

void TWinSkinForm::DrawItemBackground(TMenuItem& item, HDC dc, const RECT& rect) {
    SIZE size = SizeOf(rect);
    TMenuItem* parent = item.Parent();
    TWinSkinPopMenu* pop =
        Host && parent && parent->HandleAllocated() ? Host->FindMenuShowing(parent->Handle()) : nullptr;
    TBitmap* bg = pop ? &pop->RenderBackground() : nullptr;
    if (bg && !bg->Empty()) {
        POINT offset = pop->ClientOffset();
        BitBlt(dc, 0, 0, size.cx, size.cy, bg->MemoryDC(), rect.left + offset.x, rect.top + offset.y,
               SRCCOPY);
        return;
    }
    RECT local{0, 0, size.cx, size.cy};
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(SkinData->Colors[csMenubg])));
    FillRect(dc, &local, brush);
}

// The glyph box (image or check mark), the caption 3 pixels right of it and the shortcut at the
// right end.
void TWinSkinForm::DrawItemText(TMenuItem& item, HDC dc, bool selected, const RECT& rect) {
    TMenu* menu = item.GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    int glyph = images ? images->Width : 16;
    if (item.Checked()) glyph = Max(glyph, 16);
    int left = rect.left + 1 + int(SkinData->MenuItem->Margins.left);
    RECT box{left, rect.top + 1, left + glyph, rect.bottom - 1};
    if (images && item.ImageIndex() >= 0) {
        TCanvas canvas(dc);
        int y = rect.top + (rect.bottom - rect.top - images->Height) / 2;
        images->Draw(canvas, left, y, item.ImageIndex(), item.Enabled());
    } else if (item.Checked()) {
        DrawCheckMark(dc, box);
    }
    TSaveDC save(dc);
    SelectObject(dc, MenuFont(item.Default()));
    SetBkMode(dc, TRANSPARENT);
    TColor text = SkinData->Colors[selected ? csHilightText : csMenuText];
    if (!item.Enabled()) {
        TColor shadow = SkinData->Colors[csButtonShadow];
        text = shadow == SkinData->Colors[csMenuText] ? TColor(GetSysColor(COLOR_BTNSHADOW)) : shadow;
    }
    SetTextColor(dc, ColorToRGB(text));
    auto [caption, shortCut] = CaptionParts(item);
    DrawPart(dc, caption, {box.right + 3, rect.top, rect.right - 1, rect.bottom}, DT_LEFT);
    if (!shortCut.empty())
        DrawPart(dc, shortCut, {box.right + 3, rect.top, rect.right - 11, rect.bottom}, DT_RIGHT);
}

// ---- The system menu ----------------------------------------------------------------------------

// Built from the window's real system menu each time, with the skin's menu glyphs when there are any.
void TWinSkinForm::CreateSysmenu2() {
    HMENU sys = SysMenuHandle ? SysMenuHandle : GetSystemMenu(Handle, FALSE);
    SysMenu = std::make_unique<TPopupMenu>(nullptr);
    SysMenu->Tag = SysMenuTag;
    TImageList* images = SkinData->MenuImages.get();
    if (images && images->Count() > 0) SysMenu->SetImages(images);
    int count = sys ? GetMenuItemCount(sys) : 0;
    for (int i = 0; i < count; ++i)
        AddSysMenuItem(sys, i);
}

namespace {
struct TSysEntryRule {
    UINT Command;
    int Image;
};
constexpr TSysEntryRule SysEntryImages[] = {
    {SC_MINIMIZE, 2}, {SC_MAXIMIZE, 1}, {SC_CLOSE, 3}, {SC_RESTORE, 0}};

int SysEntryImage(UINT command) {
    for (const TSysEntryRule& r : SysEntryImages)
        if (r.Command == command) return r.Image;
    return -1;
}
} // namespace

void TWinSkinForm::AddSysMenuItem(HMENU sys, int index) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
    info.dwTypeData = text;
    info.cch = 127;
    if (!GetMenuItemInfoW(sys, UINT(index), TRUE, &info)) return;
    auto* item = new TMenuItem(nullptr); // freed by its parent, the menu's root
    std::string caption = Utf16ToUtf8(reinterpret_cast<const char16_t*>(text));
    item->SetCaption(caption.empty() || (info.fType & MFT_SEPARATOR) ? "-" : caption);
    item->Tag = int(info.wID);
    bool enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
    switch (info.wID & 0xFFF0) {
    case SC_SIZE: // the system updates its own menu only when it shows it
        enabled = enabled && !Maximized() && Sizeable;
        break;
    case SC_MOVE:
        enabled = enabled && !Maximized();
        break;
    case SC_MINIMIZE:
        enabled = !Minimized() && BorderIcons.Contains(sbiMin);
        break;
    case SC_MAXIMIZE:
        enabled = !Maximized() && BorderIcons.Contains(sbiMax);
        break;
    case SC_RESTORE:
        enabled = WindowState != swsNormal;
        break;
    }
    item->SetEnabled(enabled);
    item->SetChecked(info.fState & MFS_CHECKED);
    if (SysMenu->Images()) item->SetImageIndex(SysEntryImage(info.wID & 0xFFF0));
    item->OnClick.Bind(this, &TWinSkinForm::DoSysMenu2);
    item->OnAdvancedDrawItem.Bind(this, &TWinSkinForm::DrawMenuItem);
    item->OnMeasureItem.Bind(this, &TWinSkinForm::MeasureItemPop);
    SysMenu->Items()->Add(item);
}

void TWinSkinForm::DoSysMenu2(TObject* Sender) {
    if (auto* item = dynamic_cast<TMenuItem*>(Sender))
        PostMessageW(Handle, WM_SYSCOMMAND, WPARAM(item->Tag), 0);
}
