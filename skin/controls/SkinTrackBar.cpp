// Track bars: channel and thumb from the skin, through custom draw or painted over.
#include "SkinTrackBar.h"

#include "SkinDraw.h"
#include "SkinMap.h"

#include <windowsx.h>

namespace {

constexpr int ThumbFrames = 5;

POINT PointOf(const TMessage& Message) {
    return {GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
}

} // namespace

RECT UprightChannel(const RECT& Channel) {
    if (Channel.right - Channel.left <= Channel.bottom - Channel.top) return Channel;
    return {Channel.top, Channel.left, Channel.bottom, Channel.right};
}

RECT ChannelImageRect(const RECT& Channel, SIZE Image, bool Vertical) {
    if (Vertical) {
        int x = CentredStart(Channel.left, Channel.right - Channel.left, Image.cx);
        return {x, Channel.top, x + Image.cx, Channel.bottom};
    }
    int y = CentredStart(Channel.top, Channel.bottom - Channel.top, Image.cy);
    return {Channel.left, y, Channel.right, y + Image.cy};
}

// ---- Messages -------------------------------------------------------------------------------------

bool TSkinTrackBar::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NOTIFY:
    case CN_NOTIFY:
        return !Notification(Message) && TSkinControl::BeforeProc(Message);
    case WM_PAINT:
        if (Control) break; // a framework track bar is drawn through custom draw
        PaintOver(Message);
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}

// The engine's end-of-skinning notice has the number of a reflected notification; its lParam is
// the tag, never a header, and it is left to the control.
bool TSkinTrackBar::Notification(TMessage& Message) {
    if (Message.LParam == SkinMessageTag || !Message.LParam) return false;
    const auto& header = *reinterpret_cast<const NMHDR*>(Message.LParam);
    if (header.code != UINT(NM_CUSTOMDRAW) || header.hwndFrom != Handle) return false;
    Message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(Message.LParam));
    return true;
}

void TSkinTrackBar::AfterProc(TMessage& Message) {
    TrackMouse(Message);
    TSkinControl::AfterProc(Message);
}

// Hot while the mouse is over the thumb, pressed while a press that began on it lasts.
void TSkinTrackBar::TrackMouse(const TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEMOVE: {
        RECT thumb = ThumbRect();
        bool hot = PtInRect(&thumb, PointOf(Message)) || FPressed;
        if (hot && !FHot) TrackLeave();
        return SetThumbState(hot, FPressed);
    }
    case WM_LBUTTONDOWN: {
        RECT thumb = ThumbRect();
        bool onThumb = GetCapture() == Handle && PtInRect(&thumb, PointOf(Message));
        return SetThumbState(FHot || onThumb, onThumb);
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        return SetThumbState(FHot, false);
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        return SetThumbState(false, FPressed && GetCapture() == Handle);
    }
}

void TSkinTrackBar::SetThumbState(bool Hot, bool Pressed) {
    if (Hot == FHot && Pressed == FPressed) return;
    FHot = Hot;
    FPressed = Pressed;
    Invalidate();
}

// ---- Geometry -------------------------------------------------------------------------------------

bool TSkinTrackBar::Vertical() const {
    return GetWindowLongEx(GWL_STYLE) & TBS_VERT;
}

RECT TSkinTrackBar::ThumbRect() const {
    RECT r{};
    SendMessageW(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

TDataSkinObject* TSkinTrackBar::ChannelImage() const {
    TDataSkinObject* image = Vertical() ? SkinData->TrackVert.get() : SkinData->Track.get();
    return image && !image->Image.Empty() ? image : nullptr;
}

TDataSkinObject* TSkinTrackBar::ThumbImage() const {
    TDataSkinObject* vert = SkinData->TrackbarThumbVert.get();
    TDataSkinObject* image =
        Vertical() && vert && !vert->Image.Empty() ? vert : SkinData->TrackbarThumbHorz.get();
    return image && !image->Image.Empty() ? image : nullptr;
}

// ---- Painting -------------------------------------------------------------------------------------

// Without a channel image the control keeps its own channel: a bar without one would show none.
LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& Info) {
    if (Info.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (Info.dwDrawStage != CDDS_ITEMPREPAINT || !SkinData) return CDRF_DODEFAULT;
    if (Info.dwItemSpec == TBCD_THUMB) {
        Drawthumb(Info.hdc);
        return CDRF_SKIPDEFAULT;
    }
    if (Info.dwItemSpec == TBCD_CHANNEL && ChannelImage()) {
        DrawTrack(Info.hdc);
        return CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

// The image at its own thickness; along the channel its two caps 1:1 and the middle stretched.
void TSkinTrackBar::DrawTrack(HDC DC) {
    TDataSkinObject* image = ChannelImage();
    if (!image) return;
    RECT channel{};
    SendMessageW(Handle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    bool vertical = Vertical();
    if (vertical) channel = UprightChannel(channel);
    const int frames = Max(1, image->Frame);
    SIZE size{image->Image.Width() / frames, image->Image.Height()};
    const RECT& m = image->Margins;
    RECT caps = vertical ? RECT{0, m.top, 0, m.bottom} : RECT{m.left, 0, m.right, 0};
    DrawRect2(DC, ChannelImageRect(channel, size, vertical), image->Image, caps, 1, frames, false, false,
              false);
}

void TSkinTrackBar::Drawthumb(HDC DC) {
    if (!IsWindow(Handle)) return;
    RECT r = ThumbRect();
    TDataSkinObject* image = ThumbImage();
    if (!image) { // an outline in the skin's shadow colour
        TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(SkinData->Colors[csButtonShadow])));
        TSelectObject usePen(DC, pen);
        Rectangle(DC, r.left, r.top, r.right, r.bottom);
        return;
    }
    Enabled = !(GetWindowLongEx(GWL_STYLE) & WS_DISABLED);
    Focused = GetFocus() == Handle;
    DrawSkinMap2(DC, r, image->Image, ThumbFrame(ThumbState(Enabled, Focused, FHot, FPressed)), ThumbFrames);
}

void TSkinTrackBar::PaintOver(TMessage& Message) {
    RECT client;
    GetClientRect(Handle, &client);
    if (HDC dc = reinterpret_cast<HDC>(Message.WParam)) return ComposeOver(dc, client);
    TPaintDC dc(Handle);
    ComposeOver(dc, client);
}

// The control paints off-screen first (ticks and background), then channel and thumb are redone.
void TSkinTrackBar::ComposeOver(HDC DC, const RECT& Client) {
    TBitmap buffer;
    buffer.SetSize(Client.right, Client.bottom);
    HDC mem = buffer.MemoryDC();
    TMessage own{WM_PAINT, reinterpret_cast<WPARAM>(mem), 0, 0};
    if (!DefaultSurvived(own)) return;
    if (SkinData) {
        RECT channel{};
        SendMessageW(Handle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        if (ChannelImage()) ClearUnder(mem, Vertical() ? UprightChannel(channel) : channel);
        ClearUnder(mem, ThumbRect());
        DrawTrack(mem);
        Drawthumb(mem);
    }
    BitBlt(DC, 0, 0, Client.right, Client.bottom, mem, 0, 0, SRCCOPY);
}

// The control's own background: the brush its parent gives it, as the control itself asks.
void TSkinTrackBar::ClearUnder(HDC DC, const RECT& Part) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(Handle), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(DC),
                                                       reinterpret_cast<LPARAM>(Handle)));
    FillRect(DC, &Part, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}
