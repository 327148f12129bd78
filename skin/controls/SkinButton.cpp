// Push buttons and bit buttons: the whole face painted off-screen from the Buttons strip.
#include "SkinButton.h"

#include "Buttons.h"
#include "SkinDraw.h"
#include "SkinMap.h"
#include "SysUtils.h"

namespace {

constexpr int TransparentTag = 5555;

bool WantsTransparent(const TSkinData* Skin, const TControl* Control) {
    return (Control && Control->Tag == TransparentTag) || (Skin && Skin->Options.Contains(xoTransparent));
}

// Switches redraw back on however the click handling ends.
class TRedrawOff {
  public:
    explicit TRedrawOff(std::function<void(bool)> set) : FSet(std::move(set)) { FSet(false); }
    TRedrawOff(const TRedrawOff&) = delete;
    TRedrawOff& operator=(const TRedrawOff&) = delete;
    ~TRedrawOff() { FSet(true); }

  private:
    std::function<void(bool)> FSet;
};

} // namespace

TButtonFrame ButtonFrame(bool Enabled, bool Focused, TEnumSet<TSkinControlState> State) {
    if (!Enabled) return bfDisabled;
    if (State.Contains(scDown)) return bfPressed;
    if (State.Contains(scMouseIn)) return bfHot;
    return Focused ? bfFocused : bfNormal;
}

TSkinButton::~TSkinButton() {
    SetRedraw(true);
}

void TSkinButton::Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) {
    TSkinControl::Init(AForm, ASkinData, ACanvas, AParentBK);
    TransparentBK = WantsTransparent(SkinData, Control);
}

void TSkinButton::Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) {
    TSkinControl::Inithwnd(AHandle, ASkinData, ACanvas, AForm);
    TransparentBK = WantsTransparent(SkinData, nullptr);
}

void TSkinButton::Unsubclass() {
    SetRedraw(true);
    TSkinControl::Unsubclass();
}

// ---- Messages -------------------------------------------------------------------------------------

bool TSkinButton::BeforeProc(TMessage& Message) {
    if (PaintWholeFace(Message)) return false;
    switch (Message.Msg) {
    case WM_TIMER:
        if (Message.WParam != RedrawTimerId) break;
        SetRedraw(true);
        return false;
    case WM_SHOWWINDOW:
    case WM_WINDOWPOSCHANGING:
        HideRequested(Message);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        if (MouseMessage(Message)) return false;
        break;
    }
    return TSkinControl::BeforeProc(Message);
}

// Press and release repaint at once, so the pressed face shows before the click action runs.
bool TSkinButton::MouseMessage(TMessage& Message) {
    if (Message.Msg != WM_LBUTTONUP) {
        if (GetFocus() != Handle) SetFocus(Handle);
        State.Include(scDown);
        if (Click(Message)) PaintControl(nullptr);
        return true;
    }
    if (!State.Contains(scDown)) return false;
    State.Exclude(scDown);
    if (Click(Message) && IsWindowVisible(Handle)) Invalidate();
    return true;
}

// False when the click's handler freed the skinner; its destructor gave the visibility back.
bool TSkinButton::Click(TMessage& Message) {
    std::shared_ptr<const bool> alive = AliveToken();
    TRedrawOff off([this, alive](bool on) {
        if (*alive) SetRedraw(on);
    });
    return DefaultSurvived(Message);
}

void TSkinButton::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    // The system's button draws itself at once on these, outside any paint message.
    case WM_SETTEXT:
    case BM_SETSTYLE:
    case BM_SETSTATE:
    case WM_UPDATEUISTATE:
        return PaintControl(nullptr);
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (Message.WParam != VK_SPACE) break;
        if (Message.Msg == WM_KEYDOWN)
            State.Include(scDown);
        else
            State.Exclude(scDown);
        return Invalidate();
    case WM_MOUSEMOVE:
    case CM_MOUSEENTER:
        if (!Enabled || State.Contains(scMouseIn)) return;
        MouseEntered();
        Invalidate();
        if (Message.Msg == WM_MOUSEMOVE) TrackLeave();
        return;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        MouseLeft();
        return Invalidate();
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED:
        return Invalidate();
    }
    TSkinControl::AfterProc(Message);
}

// ---- Redraw ---------------------------------------------------------------------------------------

void TSkinButton::SetRedraw(bool On) {
    if (!Handle || !IsWindow(Handle)) return;
    KillTimer(Handle, RedrawTimerId);
    LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
    if (On) {
        bool keepHidden = Control && !Control->Visible();
        if (std::exchange(FHidden, false) && !keepHidden)
            SetWindowLongPtrW(Handle, GWL_STYLE, style | WS_VISIBLE);
        return;
    }
    SetTimer(Handle, RedrawTimerId, 100, nullptr);
    if (!(style & WS_VISIBLE)) return;
    SetWindowLongPtrW(Handle, GWL_STYLE, style & ~LONG_PTR(WS_VISIBLE));
    FHidden = true;
}

// Hiding the window while its redraw is off: it stays hidden when redraw comes back.
void TSkinButton::HideRequested(const TMessage& Message) {
    if (!FHidden) return;
    auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    bool hide = Message.Msg == WM_SHOWWINDOW ? !Message.WParam : pos && (pos->flags & SWP_HIDEWINDOW);
    if (hide) FHidden = false;
}

// ---- Painting -------------------------------------------------------------------------------------

void TSkinButton::DrawControl(HDC DC, const RECT& R) {
    TDataSkinButton* skin = SkinData ? SkinData->Button.get() : nullptr;
    if (!skin || skin->Image.Empty()) return;
    ReadState();
    TButtonFrame frame = FaceFrame();
    int w = R.right - R.left, h = R.bottom - R.top;
    FaceBitmap.SetSize(w, h);
    RECT face{0, 0, w, h};
    PaintBackground(FaceBitmap.MemoryDC(), face);
    DrawSkinMap(FaceBitmap.MemoryDC(), face, *skin, frame, skin->Frame);
    TCanvas& c = FaceBitmap.Canvas();
    SetFaceFont(c, frame);
    DrawFace(c, face, frame);
    BitBlt(DC, R.left, R.top, w, h, FaceBitmap.MemoryDC(), 0, 0, SRCCOPY);
}

void TSkinButton::ReadState() {
    Focused = Handle && GetFocus() == Handle;
    Enabled = !(GetWindowLongEx(GWL_STYLE) & WS_DISABLED);
    Caption = Control ? GetStringProp(Control, "Caption") : WindowText();
}

TButtonFrame TSkinButton::FaceFrame() const {
    return ButtonFrame(Enabled, Focused, State);
}

void TSkinButton::PaintBackground(HDC DC, const RECT& R) {
    if (TransparentBK && Control)
        DrawParentImage(Control, DC, true);
    else
        FillBG(DC, R);
}

void TSkinButton::SetFaceFont(TCanvas& C, TButtonFrame Frame) {
    TColor color;
    if (Control) {
        C.Font().Assign(&Control->Font());
        color = Control->Font().Color();
    } else {
        TakeWindowFont(C.Font(), Handle);
        color = SkinData->Colors[csButtonText];
    }
    C.Font().SetColor(Enabled ? StateTextColor(Frame, color) : clBtnShadow);
}

// The skin's text colour of a state, used only where the skin gives one.
TColor TSkinButton::StateTextColor(TButtonFrame Frame, TColor Default) const {
    struct TStateColor {
        TButtonFrame Frame;
        bool TDataSkinButton::*Given;
        TColor TDataSkinObject::*Color;
    };
    static constexpr TStateColor colors[] = {
        {bfNormal, &TDataSkinButton::HasNormalColour2, &TDataSkinObject::NormalColour2},
        {bfHot, &TDataSkinButton::HasMouseOverColour2, &TDataSkinObject::MouseOverColour2},
        {bfPressed, &TDataSkinButton::HasPressedColour2, &TDataSkinObject::PressedColour2},
    };
    const TDataSkinButton& b = *SkinData->Button;
    for (const TStateColor& c : colors)
        if (c.Frame == Frame && b.*c.Given) return b.*c.Color;
    return Default;
}

void TSkinButton::DrawFace(TCanvas& C, const RECT& R, TButtonFrame) {
    DrawBtnText(C, R, DT_CENTER);
}

void TSkinButton::DrawBtnText(TCanvas& C, const RECT& R, UINT Alignment) {
    Caption = StringReplaceW(Caption, u"||", u"\r\n");
    RECT r = R;
    InflateRect(&r, -2, -2);
    HDC dc = C.Handle();
    SetBkMode(dc, TRANSPARENT);
    UINT format = Alignment | DT_WORDBREAK | DT_EXPANDTABS;
    RECT t = PlaceText(dc, Caption, r, format);
    C.DrawText(Caption, t, format);
    SetBkMode(dc, OPAQUE);
    if (!Focused || Caption.empty() || SkinData->Options.Contains(xoNoFocusRect)) return;
    InflateRect(&t, 2, 2);
    DrawFocusRect(dc, &t);
}

// ---- Bit buttons ----------------------------------------------------------------------------------

namespace {

TButtonGlyph* GlyphOf(TControl* Control) {
    if (auto* bit = dynamic_cast<TBitBtn*>(Control)) return &bit->ButtonGlyph();
    if (auto* speed = dynamic_cast<TSpeedButton*>(Control)) return &speed->ButtonGlyph();
    return nullptr;
}

} // namespace

// The control's glyph and caption placed by its own layout; without a glyph, the push-button text.
void TSkinBitButton::DrawFace(TCanvas& C, const RECT& R, TButtonFrame Frame) {
    TButtonGlyph* glyph = GlyphOf(Control);
    if (!glyph || glyph->Glyph().Empty()) return TSkinButton::DrawFace(C, R, Frame);
    TButtonState state = Frame == bfPressed ? bsDown : Frame == bfDisabled ? bsDisabled : bsUp;
    glyph->Draw(C, R, Caption, state);
}

// ---- Menu buttons ---------------------------------------------------------------------------------

namespace {

// A filled triangle pointing down, apex 12 pixels left of the right edge and 2 below the middle.
void DrawDropMark(TCanvas& C, const RECT& R, bool Enabled) {
    int x = R.right - 12, y = (R.top + R.bottom) / 2 + 2;
    const POINT mark[] = {{x - 3, y - 3}, {x + 3, y - 3}, {x, y}};
    TColor color = Enabled ? clWindowText : clBtnShadow;
    C.Brush().SetColor(color);
    C.Pen().SetColor(color);
    Polygon(C.Handle(), mark, 3);
}

} // namespace

void TSkinMenuButton::DrawFace(TCanvas& C, const RECT& R, TButtonFrame) {
    DrawBtnText(C, {R.left, R.top, R.right - 16, R.bottom}, DT_CENTER);
    DrawDropMark(C, R, Enabled);
}
