// Painting the skinned frame and cutting the window region.
#include "WinSkinForm.h"

#include "SkinDraw.h"

#include <optional>

namespace {

bool Stacked(TBorderIndex index) {
    return index == bdTop || index == bdBottom;
}

void Blit(HDC dc, const RECT& r, TBitmap* bmp) {
    if (bmp) BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, bmp->MemoryDC(), 0, 0, SRCCOPY);
}

// An icon copy made for drawing, destroyed afterwards.
struct TIconCopy {
    HICON Icon;
    ~TIconCopy() {
        if (Icon) DestroyIcon(Icon);
    }
};

UINT AlignmentFormat(int alignment) {
    static const UINT formats[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    return alignment >= 0 && alignment < 3 ? formats[alignment] : DT_LEFT;
}

} // namespace

bool TWinSkinForm::CanPaint() const {
    bool maxMDIChild = FormStyle == sfsMDIChild && Maximized();
    return (SkinState == 1 || SkinState == 3) && BorderStyle != sbsNone && !maxMDIChild && SkinData &&
           !SkinData->SkinPending;
}

void TWinSkinForm::UpdateNc(HDC dc) {
    if (!CanPaint()) return;
    GetWindowRect(Handle, &ScreenRect);
    std::optional<TWindowDC> own;
    if (!dc) {
        own.emplace(Handle);
        dc = *own;
    }
    // A frame that cannot be drawn completely is left as far as it got.
    try {
        PaintFrame(dc);
    } catch (...) {
    }
    RestButtons();
}

void TWinSkinForm::RestButtons() {
    HotObject = Pressed = nullptr;
    for (auto& b : SysButtons)
        b->State = 1;
    if (MenuBar) MenuBar->RestBtns();
}

void TWinSkinForm::PaintFrame(HDC dc) {
    SIZE size = SizeOf(ScreenRect);
    FrameWidth = size.cx;
    FrameHeight = size.cy;
    if (size.cx <= 0 || size.cy <= 0) return;
    if (Minimized()) {
        ComposeMinimized(size);
        Blit(dc, {0, 0, size.cx, size.cy}, &FrameBitmap);
        return;
    }
    PaintStrips(dc, size);
    ComposeTitle(size);
    Blit(dc, TitleBarRect(size, Frame), &FrameBitmap);
    SetBkMode(dc, OPAQUE);
    RECT menu = MenuStripRect(size, Frame);
    if (Frame.MenuBar <= 0 || IsNegative(menu)) return;
    if (MenuBar)
        MenuBar->DrawMenu(dc, menu);
    else
        FillRect(dc, &menu, SkinData->FaceBrush);
}

TBitmap* TWinSkinForm::Strip(TBorderIndex index, SIZE size) {
    TDataSkinBorder& border = *SkinData->Borders[index];
    int frame = BorderFrameIndex(Active, border.Frame);
    return Strips[index][size_t(frame - 1)].Get(border, Stacked(index), size, frame);
}

void TWinSkinForm::PaintStrips(HDC dc, SIZE size) {
    RECT left = LeftStripRect(size, Frame), right = RightStripRect(size, Frame),
         bottom = BottomStripRect(size, Frame);
    Blit(dc, left, Strip(bdLeft, SizeOf(left)));
    Blit(dc, right, Strip(bdRight, SizeOf(right)));
    Blit(dc, bottom, Strip(bdBottom, SizeOf(bottom)));
}

TWinSkinForm::TTitleKey TWinSkinForm::TitleKey(SIZE size) const {
    return {size.cx, size.cy, Active, Minimized(), WindowState, WindowText(), IconHandle};
}

std::u16string TWinSkinForm::WindowText() const {
    std::u16string text(size_t(GetWindowTextLengthW(Handle)) + 1, u'\0');
    text.resize(size_t(GetWindowTextW(Handle, reinterpret_cast<wchar_t*>(text.data()), int(text.size()))));
    return text;
}

// The title bar is composed off-screen and put on screen in one blit; it is composed again only
// when something it shows changed.
void TWinSkinForm::ComposeTitle(SIZE size) {
    SetSysbtnRect();
    TTitleKey key = TitleKey(size);
    if (FTitleValid && key == FTitleKey) return;
    FrameBitmap.SetSize(size.cx, Frame.Top);
    HDC dc = FrameBitmap.MemoryDC();
    RECT left = LeftStripRect(size, Frame), right = RightStripRect(size, Frame),
         top = TopStripRect(size, Frame);
    // The side strips' top rows are the title bar's corners.
    if (TBitmap* l = Strip(bdLeft, SizeOf(left)))
        BitBlt(dc, 0, 0, Frame.Left, Frame.Top, l->MemoryDC(), 0, 0, SRCCOPY);
    if (TBitmap* r = Strip(bdRight, SizeOf(right)))
        BitBlt(dc, right.left, 0, Frame.Right, Frame.Top, r->MemoryDC(), 0, 0, SRCCOPY);
    Blit(dc, top, Strip(bdTop, SizeOf(top)));
    DrawCaption(dc, size);
    DrawAllSysbtn(dc);
    FTitleKey = key;
    FTitleValid = true;
    ++TitleCompositions;
}

void TWinSkinForm::ComposeMinimized(SIZE size) {
    SetSysbtnRect();
    FTitleValid = false;
    FrameBitmap.SetSize(size.cx, size.cy);
    HDC dc = FrameBitmap.MemoryDC();
    RECT all{0, 0, size.cx, size.cy};
    FillRect(dc, &all, SkinData->FaceBrush);
    RECT top{0, 0, size.cx, Frame.Top};
    Blit(dc, top, Strip(bdTop, SizeOf(top)));
    DrawCaption(dc, size);
    DrawAllSysbtn(dc);
}

// Between the buttons at the left end and those at the right end, shifted and clipped by the
// title's margins (TextShift, TextShiftVert, TextRightClip).
RECT TWinSkinForm::CaptionTextRect(SIZE size) const {
    int freeLeft = Frame.Left, freeRight = size.cx - Frame.Right;
    for (auto& b : SysButtons) {
        if (!b->Visible || b->Def.Visibility == 100) continue;
        const RECT& r = b->BoundsRect;
        if (r.left + r.right < size.cx)
            freeLeft = Max(freeLeft, r.right);
        else
            freeRight = Min(freeRight, r.left);
    }
    const RECT& m = SkinData->Title->Margins;
    return {freeLeft + m.left, m.top, freeRight - m.right, Frame.Top};
}

void TWinSkinForm::DrawCaption(HDC dc, SIZE size) {
    std::u16string text = WindowText();
    RECT r = CaptionTextRect(size);
    if (text.empty() || r.right <= r.left) return;
    const TDataSkinTitle& title = *SkinData->Title;
    TColor own = Active ? title.ActiveText : title.InActiveText;
    TColor color = own != clNone ? own : SkinData->Colors[Active ? csTitleTextActive : csTitleTextNoActive];
    TSaveDC save(dc);
    if (FCaptionFont) SelectObject(dc, FCaptionFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(color));
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), int(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                  AlignmentFormat(title.TextAlignment));
}

void TWinSkinForm::DrawAllSysbtn(HDC dc) {
    for (auto& b : SysButtons) {
        if (!b->Visible || b->Def.Visibility == 100) continue;
        if (DrawsIconImage(b->Def.Action))
            DrawIcon(dc, b->BoundsRect);
        else
            DrawButtonFrame(dc, b->BoundsRect, *b, RestingButtonFrame(Active, b->Def.Frame));
    }
}

void TWinSkinForm::DrawButtonFrame(HDC dc, const RECT& r, TWinSysButton& b, int frame) {
    if (!b.Def.Image.Empty()) DrawRect1(dc, r, b.Def.Image, frame, b.Def.Frame, true);
}

// One button in its state, straight on the window: composed over the title bar's pixels beneath
// it, then one blit.
void TWinSkinForm::DrawSysbtn(TWinSysButton& b) {
    if (!CanPaint() || !b.Visible || Minimized()) return;
    try {
        SIZE size = SizeOf(b.BoundsRect);
        TBitmap scratch;
        scratch.SetSize(size.cx, size.cy);
        HDC dc = scratch.MemoryDC();
        ButtonBackground(dc, b, size);
        RECT local{0, 0, size.cx, size.cy};
        if (DrawsIconImage(b.Def.Action))
            DrawIcon(dc, local);
        else
            DrawButtonFrame(dc, local, b, StateButtonFrame(b.State, b.Def.Visibility));
        TWindowDC window(Handle);
        Blit(window, b.BoundsRect, &scratch);
    } catch (...) {
    }
}

void TWinSkinForm::DrawIcon(HDC dc, const RECT& r) {
    if (IconHandle)
        DrawIconEx(dc, r.left, r.top, IconHandle, IconSize, IconSize, 0, nullptr, DI_NORMAL);
    else if (!IconBitmap.Empty())
        DrawTranmap(dc, r, IconBitmap, SkinTransColor);
}

// The window's own icon, else its class's.
void TWinSkinForm::GetIcon() {
    IconSize = GetSystemMetrics(SM_CXSMICON);
    int cy = GetSystemMetrics(SM_CYSMICON);
    HICON icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle, GCLP_HICON));
    IconHandle = icon;
    IconBitmap.SetSize(IconSize, cy);
    RECT all{0, 0, IconSize, cy};
    TGdiHandle<HBRUSH> magenta(CreateSolidBrush(SkinTransColor));
    FillRect(IconBitmap.MemoryDC(), &all, magenta);
    if (!icon) return;
    TIconCopy copy{static_cast<HICON>(CopyImage(icon, IMAGE_ICON, IconSize, cy, LR_COPYFROMRESOURCE))};
    if (copy.Icon) DrawIconEx(IconBitmap.MemoryDC(), 0, 0, copy.Icon, IconSize, cy, 0, nullptr, DI_NORMAL);
}

// ---- The window region ---------------------------------------------------------------------------

void TWinSkinForm::Cropwindow(bool redraw) {
    RECT window{};
    GetWindowRect(Handle, &window);
    CropTo(SizeOf(window), redraw);
}

void TWinSkinForm::CropTo(SIZE size, bool redraw) {
    if (SkinState == 6 || !SkinFrame || SkinData->SkinPending) return;
    if (size.cx <= 0 || size.cy <= 0) return;
    if (FormStyle == sfsMDIChild && WindowState != swsNormal) return;
    bool same = size.cx == RegionWidth && size.cy == RegionHeight;
    if (FormStyle != sfsMDIChild && same && SkinState != 3) return;
    TGdiHandle<HRGN> region = BuildRegion(size);
    RegionWidth = size.cx;
    RegionHeight = size.cy;
    // Once set, the region belongs to the system: ours is deleted only when setting it failed.
    if (SetWindowRgn(Handle, region.get(), redraw)) region.release();
}

void TWinSkinForm::Uncropwindow() {
    SetWindowRgn(Handle, nullptr, FormStyle == sfsMDIChild);
    RegionWidth = RegionHeight = 0;
}

TGdiHandle<HRGN> TWinSkinForm::BuildRegion(SIZE size) {
    bool anyTrans = false;
    for (auto& border : SkinData->Borders)
        anyTrans = anyTrans || border->Trans;
    if (!anyTrans) return TGdiHandle<HRGN>(CreateRectRgn(0, 0, size.cx, size.cy));
    TGdiHandle<HRGN> region(
        CreateRectRgn(Frame.Left, Frame.Top, size.cx - Frame.Right, size.cy - Frame.Bottom));
    if (BorderStyle == sbsNone) return region;
    AddSideRegion(region, bdLeft, LeftStripRect(size, Frame));
    AddSideRegion(region, bdRight, RightStripRect(size, Frame));
    AddSideRegion(region, bdBottom, BottomStripRect(size, Frame));
    AddSideRegion(region, bdTop, TopStripRect(size, Frame));
    return region;
}

// A side with transparency adds its strip's opaque pixels, any other side its whole rectangle.
void TWinSkinForm::AddSideRegion(HRGN region, TBorderIndex index, const RECT& r) {
    SIZE size = SizeOf(r);
    if (size.cx <= 0 || size.cy <= 0) return;
    int across = index == bdTop || index == bdBottom ? size.cy : size.cx;
    bool cut = SkinData->Borders[index]->Trans == 1 && (index == bdBottom || across > 1);
    TBitmap* strip = cut ? Strip(index, size) : nullptr;
    TGdiHandle<HRGN> part(strip ? BitmapToRegion(*strip, r.left, r.top, SkinTransColor, 0, 0, 0).release()
                                : CreateRectRgnIndirect(&r));
    if (part) CombineRgn(region, region, part, RGN_OR);
}
