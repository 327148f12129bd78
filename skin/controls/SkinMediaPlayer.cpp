// The media player's button strip.
#include "SkinMediaPlayer.h"

#include "MPlayer.h"
#include "SkinMap.h"

#include <windowsx.h>

bool TSkinMP::BeforeProc(TMessage& Message) {
    return !(Player() && PaintWholeFace(Message)) && TSkinControl::BeforeProc(Message);
}

void TSkinMP::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        if (FHot < 0) TrackLeave();
        if (TMediaPlayer* p = Player()) SetHot(p->ButtonAt(GET_X_LPARAM(Message.LParam)));
        break;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        SetHot(-1);
        break;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinMP::SetHot(int Button) {
    if (Button == FHot) return;
    FHot = Button;
    Invalidate();
}

TMediaPlayer* TSkinMP::Player() const {
    return dynamic_cast<TMediaPlayer*>(Control);
}

// The button mapping, with the player's own enabling, press and key focus per button.
TButtonFrame TSkinMP::FrameOf(const TMediaPlayer& P, int Button) const {
    auto b = TMPBtnType(Button);
    TEnumSet<TSkinControlState> state;
    if (P.PressedButton() == Button) state.Include(scDown);
    if (FHot == Button) state.Include(scMouseIn);
    return ButtonFrame(P.ButtonEnabled(b), Focused && P.FocusButton() == Button, state);
}

void TSkinMP::DrawControl(HDC DC, const RECT& R) {
    TMediaPlayer* player = Player();
    TDataSkinButton* skin = SkinData ? SkinData->Button.get() : nullptr;
    if (!player || !skin) return;
    Focused = GetFocus() == Handle;
    int w = R.right - R.left, h = R.bottom - R.top;
    FFace.SetSize(w, h);
    HDC mem = FFace.MemoryDC();
    FillBG(mem, {0, 0, w, h});
    for (int b = btPlay; b <= btEject; ++b) {
        RECT r = player->ButtonRect(TMPBtnType(b));
        if (IsRectEmpty(&r)) continue;
        TButtonFrame frame = FrameOf(*player, b);
        DrawSkinMap(mem, r, *skin, frame, skin->Frame);
        player->PaintGlyph(mem, TMPBtnType(b), r, frame == bfPressed);
    }
    BitBlt(DC, R.left, R.top, w, h, mem, 0, 0, SRCCOPY);
}
