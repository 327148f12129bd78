// TMediaPlayer: the button strip drawn by the framework, its mode machine and its events.
#include "MPlayer.h"

#include "ControlsPublish.h"

#include <mmsystem.h> // the device notification a command ends with
#include <windowsx.h>

#include <bit>

const TEnumNames MPBtnTypeNames{"btPlay", "btPause", "btStop",   "btNext", "btPrev",
                                "btStep", "btBack",  "btRecord", "btEject"};

namespace {
constexpr TButtonSet Buttons(std::initializer_list<TMPBtnType> buttons) {
    TButtonSet set = 0;
    for (TMPBtnType b : buttons)
        set |= 1u << b;
    return set;
}

// The buttons AutoEnable enables in each mode (by TMPModes).
const TButtonSet ModeButtons[] = {
    0,
    Buttons({btPlay, btNext, btPrev, btStep, btBack, btRecord, btEject}),
    Buttons({btPause, btStop, btNext, btPrev, btStep, btBack, btEject}),
    Buttons({btPause, btStop}),
    Buttons({btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btEject}),
    Buttons({btEject}),
};

// The mode a command leaves an open device in; with the door open only Eject does anything.
TMPModes ModeAfter(TMPBtnType command, TMPModes mode, TMPModes paused) {
    if (mode == mpOpen) return command == btEject ? mpStopped : mpOpen;
    switch (command) {
    case btPlay:
        return mode == mpRecording ? mode : mpPlaying;
    case btPause:
        return mode == mpPaused ? paused : mode == mpStopped ? mode : mpPaused;
    case btStop:
        return mpStopped;
    case btRecord:
        return mode == mpPlaying ? mode : mpRecording;
    case btEject:
        return mpOpen;
    default: // seeking keeps the mode
        return mode;
    }
}

// Glyphs: up to two shapes each (a polygon, or an ellipse given by two corners) on a 12 x 12 grid.
constexpr int GlyphGrid = 12;
struct TGlyphShape {
    bool Round;
    int Count;
    POINT Points[4];
};
struct TGlyph {
    TGlyphShape Shapes[2];
};
const TGlyph Glyphs[] = {
    {{{false, 3, {{3, 1}, {10, 6}, {3, 11}}}}},
    {{{false, 4, {{2, 2}, {4, 2}, {4, 10}, {2, 10}}}, {false, 4, {{7, 2}, {9, 2}, {9, 10}, {7, 10}}}}},
    {{{false, 4, {{2, 2}, {9, 2}, {9, 9}, {2, 9}}}}},
    {{{false, 3, {{1, 1}, {7, 6}, {1, 11}}}, {false, 4, {{8, 1}, {10, 1}, {10, 11}, {8, 11}}}}},
    {{{false, 4, {{1, 1}, {3, 1}, {3, 11}, {1, 11}}}, {false, 3, {{10, 1}, {4, 6}, {10, 11}}}}},
    {{{false, 3, {{0, 2}, {5, 6}, {0, 10}}}, {false, 3, {{6, 2}, {11, 6}, {6, 10}}}}},
    {{{false, 3, {{5, 2}, {0, 6}, {5, 10}}}, {false, 3, {{11, 2}, {6, 6}, {11, 10}}}}},
    {{{true, 2, {{2, 2}, {11, 11}}}}},
    {{{false, 3, {{1, 7}, {6, 2}, {11, 7}}}, {false, 4, {{1, 9}, {11, 9}, {11, 11}, {1, 11}}}}},
};
const TColor GlyphColors[] = {clGreen, clOlive, clMaroon, clNavy, clNavy, clNavy, clNavy, clRed, clTeal};

void DrawGlyph(HDC dc, TMPBtnType button, POINT at, TColor color) {
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
    TSelectObject useBrush(dc, brush), usePen(dc, pen);
    for (const TGlyphShape& shape : Glyphs[button].Shapes) {
        POINT points[4];
        for (int i = 0; i < shape.Count; ++i)
            points[i] = {at.x + shape.Points[i].x, at.y + shape.Points[i].y};
        if (shape.Round)
            Ellipse(dc, points[0].x, points[0].y, points[1].x, points[1].y);
        else if (shape.Count > 0)
            Polygon(dc, points, shape.Count);
    }
}
} // namespace

const TClassInfo& TMediaPlayer::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TMediaPlayer> b("TMediaPlayer", TCustomControl::StaticClassInfo());
        b.Creatable()
            .Bool("AutoEnable", &TMediaPlayer::AutoEnable, &TMediaPlayer::SetAutoEnable)
            .Bool("AutoOpen", &TMediaPlayer::AutoOpen, &TMediaPlayer::AutoOpen)
            .Set("ColoredButtons", MPBtnTypeNames, &TMediaPlayer::ColoredButtons,
                 &TMediaPlayer::SetColoredButtons)
            .Set("EnabledButtons", MPBtnTypeNames, &TMediaPlayer::EnabledButtons,
                 &TMediaPlayer::SetEnabledButtons)
            .Set("VisibleButtons", MPBtnTypeNames, &TMediaPlayer::VisibleButtons,
                 &TMediaPlayer::SetVisibleButtons);
        PublishTabs(PublishLook(b));
        b.Event("OnClick", &TMediaPlayer::OnClick).Event("OnNotify", &TMediaPlayer::OnNotify);
        return b.Build();
    }();
    return info;
}

TMediaPlayer::TMediaPlayer(TComponent* AOwner) : TCustomControl(AOwner) {
    StoreBounds({0, 0, 253, 30});
    SetColor(clBtnFace);
    SetParentColor(true);
    SetTabStop(true);
    ClickOnMouseUp = false; // a click belongs to a button, not to the whole strip
}

void TMediaPlayer::Loaded() {
    TCustomControl::Loaded();
    if (AutoOpen) Open();
}

// ---- Buttons ------------------------------------------------------------------------------------

void TMediaPlayer::SetVisibleButtons(TButtonSet v) {
    FVisibleButtons = v & AllMPButtons;
    Invalidate();
}

TButtonSet TMediaPlayer::EnabledButtons() const {
    return FAutoEnable ? ModeButtons[FMode] : FEnabledButtons;
}

void TMediaPlayer::SetEnabledButtons(TButtonSet v) {
    FEnabledButtons = v & AllMPButtons;
    Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet v) {
    FColoredButtons = v & AllMPButtons;
    Invalidate();
}

void TMediaPlayer::SetAutoEnable(bool v) {
    FAutoEnable = v;
    Invalidate();
}

bool TMediaPlayer::IsEnabled(int button) const {
    return Enabled() && button >= 0 && (EnabledButtons() & (1u << button));
}

int TMediaPlayer::VisibleCount() const {
    return std::popcount(FVisibleButtons);
}

RECT TMediaPlayer::ButtonRect(TMPBtnType button) const {
    if (!(FVisibleButtons & (1u << button))) return {0, 0, 0, 0};
    int before = std::popcount(FVisibleButtons & ((1u << button) - 1));
    int width = ClientWidth() / VisibleCount();
    return {before * width, 0, (before + 1) * width, ClientHeight()};
}

int TMediaPlayer::ButtonAt(int x) const {
    for (int b = btPlay; b <= btEject; ++b) {
        RECT r = ButtonRect(TMPBtnType(b));
        if (x >= r.left && x < r.right) return b;
    }
    return -1;
}

// ---- Commands -----------------------------------------------------------------------------------

void TMediaPlayer::ClickButton(TMPBtnType button) {
    bool doDefault = true;
    OnClick(this, button, doDefault);
    if (!doDefault) return;
    Notify = true;
    Run(button);
}

void TMediaPlayer::Run(TMPBtnType command) {
    if (FMode == mpNotReady) throw Exception("The media player is not open");
    TMPModes next = ModeAfter(command, FMode, FPausedMode);
    if (next == mpPaused && FMode != mpPaused) FPausedMode = FMode;
    SetMode(next);
}

// The end of a command is posted as a device would post it.
void TMediaPlayer::SetMode(TMPModes mode) {
    FMode = mode;
    if (std::exchange(Notify, false)) {
        if (HandleAllocated())
            PostMessageW(Handle(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
        else
            NotifyDone(MCI_NOTIFY_SUCCESSFUL);
    }
    Invalidate();
}

void TMediaPlayer::NotifyDone(WPARAM flags) {
    static const std::pair<WPARAM, TMPNotifyValues> values[] = {{MCI_NOTIFY_SUCCESSFUL, nvSuccessful},
                                                                {MCI_NOTIFY_SUPERSEDED, nvSuperseded},
                                                                {MCI_NOTIFY_ABORTED, nvAborted}};
    FNotifyValue = nvFailure;
    for (auto [flag, value] : values)
        if (flags == flag) FNotifyValue = value;
    OnNotify(this);
}

void TMediaPlayer::Open() {
    SetMode(FMode == mpNotReady ? mpStopped : FMode);
}
void TMediaPlayer::Close() {
    SetMode(mpNotReady);
}
void TMediaPlayer::Play() {
    Run(btPlay);
}
void TMediaPlayer::Pause() {
    Run(btPause);
}
void TMediaPlayer::Stop() {
    Run(btStop);
}
void TMediaPlayer::Next() {
    Run(btNext);
}
void TMediaPlayer::Previous() {
    Run(btPrev);
}
void TMediaPlayer::Step() {
    Run(btStep);
}
void TMediaPlayer::Back() {
    Run(btBack);
}
void TMediaPlayer::StartRecording() {
    Run(btRecord);
}
void TMediaPlayer::Eject() {
    Run(btEject);
}

// ---- Input --------------------------------------------------------------------------------------

void TMediaPlayer::SetPressed(int button) {
    FPressed = button;
    FPressedShown = true;
    Invalidate();
}

void TMediaPlayer::MouseDown(int x) {
    int button = ButtonAt(x);
    if (!IsEnabled(button)) return;
    if (CanFocus()) SetFocus();
    FFocusButton = button;
    SetCapture(Handle());
    SetPressed(button);
}

void TMediaPlayer::MouseMove(int x) {
    if (FPressed < 0 || (ButtonAt(x) == FPressed) == FPressedShown) return;
    FPressedShown = !FPressedShown;
    Invalidate();
}

// Released over another button (or outside) it does nothing.
void TMediaPlayer::MouseUp(int x) {
    if (FPressed < 0) return;
    int button = std::exchange(FPressed, -1);
    if (GetCapture() == Handle()) ReleaseCapture();
    Invalidate();
    if (ButtonAt(x) == button) ClickButton(TMPBtnType(button));
}

void TMediaPlayer::KeyDown(WPARAM key) {
    if (key == VK_LEFT || key == VK_RIGHT) return MoveFocus(key == VK_LEFT ? -1 : 1);
    if (key == VK_SPACE && FPressed < 0 && IsEnabled(FFocusButton)) SetPressed(FFocusButton);
}

void TMediaPlayer::SpaceUp() {
    if (FPressed < 0 || FPressed != FFocusButton) return;
    FPressed = -1;
    Invalidate();
    ClickButton(TMPBtnType(FFocusButton));
}

// To the next visible, enabled button that way; at the end the focus stays.
void TMediaPlayer::MoveFocus(int step) {
    for (int b = FFocusButton + step; b >= btPlay && b <= btEject; b += step) {
        if ((FVisibleButtons & (1u << b)) && IsEnabled(b)) {
            FFocusButton = b;
            return Invalidate();
        }
    }
}

void TMediaPlayer::WndProc(TMessage& Message) {
    int x = GET_X_LPARAM(Message.LParam);
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(x);
        break;
    case WM_MOUSEMOVE:
        MouseMove(x);
        break;
    case WM_LBUTTONUP:
        MouseUp(x);
        break;
    case WM_KEYDOWN:
        KeyDown(Message.WParam);
        break;
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE) SpaceUp();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case MM_MCINOTIFY:
        return NotifyDone(Message.WParam);
    }
    TCustomControl::WndProc(Message);
}

// ---- Painting -----------------------------------------------------------------------------------

void TMediaPlayer::Paint() {
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    c.FillRect(r);
    for (int b = btPlay; b <= btEject; ++b)
        if (FVisibleButtons & (1u << b)) DrawButton(c, TMPBtnType(b));
}

void TMediaPlayer::DrawButton(TCanvas& canvas, TMPBtnType button) {
    RECT r = ButtonRect(button);
    bool pressed = PressedButton() == button;
    HDC dc = canvas.Handle();
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    PaintGlyph(dc, button, r, pressed);
    if (!Focused() || button != FFocusButton) return;
    InflateRect(&r, -3, -3);
    DrawFocusRect(dc, &r);
}

// A disabled glyph is embossed: highlight below right, shadow on top.
void TMediaPlayer::PaintGlyph(HDC DC, TMPBtnType button, const RECT& R, bool pressed) const {
    int shift = pressed ? 1 : 0;
    POINT at{(R.left + R.right - GlyphGrid) / 2 + shift, (R.top + R.bottom - GlyphGrid) / 2 + shift};
    if (!IsEnabled(button)) {
        DrawGlyph(DC, button, {at.x + 1, at.y + 1}, clBtnHighlight);
        DrawGlyph(DC, button, at, clBtnShadow);
    } else {
        DrawGlyph(DC, button, at, FColoredButtons & (1u << button) ? GlyphColors[button] : clBtnText);
    }
}
