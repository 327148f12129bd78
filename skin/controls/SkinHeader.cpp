// Header controls: sections and the space after them composed off-screen and copied in one blit.
#include "SkinHeader.h"

#include "SkinControlList.h"
#include "SkinDraw.h"

#include <commctrl.h>

#include <algorithm>

namespace {

POINT MessagePoint(const TMessage& M) {
    return {short(LOWORD(M.LParam)), short(HIWORD(M.LParam))};
}

// The section's text, format and image (HDM_GETITEMW).
struct THeaderItem {
    std::u16string Text;
    int Format = 0, Image = -1;
};

THeaderItem ReadItem(HWND Header, int Index) {
    wchar_t text[200]{};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = int(std::size(text));
    SendMessageW(Header, HDM_GETITEMW, WPARAM(Index), reinterpret_cast<LPARAM>(&item));
    const bool withImage = item.fmt & (HDF_IMAGE | HDF_OWNERDRAW);
    return {reinterpret_cast<const char16_t*>(text), item.fmt, withImage ? item.iImage : -1};
}

} // namespace

int HeaderFrame(bool Hot, bool Pressed, int Count) {
    if (Pressed) return Count >= 3 ? 3 : 2;
    return Hot ? 2 : 1;
}

int HeaderAlignment(int Format) {
    switch (Format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT:
        return 2;
    case HDF_CENTER:
        return 1;
    }
    return 0;
}

RECT HeaderHitRect(const RECT& Section) {
    return {Section.left + 3, Section.top, Section.right - 3, Section.bottom};
}

// ---- Messages -------------------------------------------------------------------------------------

// Without a Headerbar image (a skin that has none) the header paints itself.
bool TSkinHeader::Skinned() const {
    return SkinData && SkinData->Headerbar && !SkinData->Headerbar->Image.Empty();
}

bool TSkinHeader::BeforeProc(TMessage& Message) {
    if (Skinned() && PaintWholeFace(Message)) return false;
    return TSkinControl::BeforeProc(Message);
}

void TSkinHeader::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        return WMMouseMove(Message);
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        MouseLeft();
        return SetItem(HotItem, -1);
    case WM_LBUTTONDOWN:
        if (GetWindowLongEx(GWL_STYLE) & HDS_BUTTONS) SetItem(PressedItem, ItemAt(MessagePoint(Message)));
        return;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        return SetItem(PressedItem, -1);
    }
    TSkinControl::AfterProc(Message);
}

// Between sections (on a divider) the lit section stays lit.
void TSkinHeader::WMMouseMove(TMessage& Message) {
    MouseEntered();
    if (int i = ItemAt(MessagePoint(Message)); i >= 0) SetItem(HotItem, i);
    TrackLeave();
}

int TSkinHeader::ItemAt(POINT P) const {
    auto it =
        std::find_if(ItemRects.begin(), ItemRects.end(), [&](const RECT& r) { return PtInRect(&r, P); });
    return it == ItemRects.end() ? -1 : int(it - ItemRects.begin());
}

void TSkinHeader::SetItem(int& Item, int Value) {
    if (Item == Value) return;
    Item = Value;
    Invalidate();
}

// ---- Painting -------------------------------------------------------------------------------------

void TSkinHeader::DrawControl(HDC DC, const RECT& R) {
    if (!Skinned()) return;
    TBitmap work;
    work.SetSize(R.right - R.left, R.bottom - R.top);
    TCanvas& c = work.Canvas();
    FillBG(c.Handle(), R);
    if (Control)
        c.Font().Assign(&Control->Font());
    else
        TakeWindowFont(c.Font(), Handle);
    Enabled = true;
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, HDM_GETIMAGELIST, 0, 0));
    const int n = std::max(0, int(SendMessageW(Handle, HDM_GETITEMCOUNT, 0, 0)));
    ItemRects.assign(size_t(n), RECT{});
    LONG right = R.left;
    for (int i = 0; i < n; i++) {
        RECT r;
        if (!SendMessageW(Handle, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
        DrawItem(images, c, i, r);
        ItemRects[size_t(i)] = HeaderHitRect(r);
        right = std::max(right, r.right);
    }
    if (right < R.right) DrawRest(c.Handle(), {right, R.top, R.right, R.bottom});
    BitBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, work.MemoryDC(), 0, 0, SRCCOPY);
}

void TSkinHeader::DrawItem(HIMAGELIST Images, TCanvas& C, int Index, const RECT& R) {
    TDataSkinObject& bar = *SkinData->Headerbar;
    const int frame = HeaderFrame(Index == HotItem, Index == PressedItem, bar.Frame);
    DrawRect2(C.Handle(), R, bar.Image, bar.Margins, frame, bar.Frame, bar.Trans == 1, bar.Tile != 0, false);
    THeaderItem item = ReadItem(Handle, Index);
    if (!item.Text.empty()) DrawImgCaption(C, R, Images, item.Image, item.Text, HeaderAlignment(item.Format));
}

void TSkinHeader::DrawRest(HDC DC, const RECT& Rest) {
    TDataSkinObject& bar = *SkinData->Headerbar;
    DrawRect2(DC, Rest, bar.Image, bar.Margins, 1, bar.Frame, false, bar.Tile != 0, false);
}

TSkinControl* AttachListViewHeader(TControl& ListView, TSkinControlList& List, bool) {
    auto* win = dynamic_cast<TWinControl*>(&ListView);
    HWND header = win ? reinterpret_cast<HWND>(SendMessageW(win->Handle(), LVM_GETHEADER, 0, 0)) : nullptr;
    if (!header || List.FindSkinner(header)) return nullptr;
    auto* s = new TSkinHeader(&ListView);
    s->Inithwnd(header, List.SkinData, &List.ControlCanvas, &List);
    return s;
}
