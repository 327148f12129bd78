// Combo boxes: flat frame and skinned drop-down button, drawn on the window DC after the combo's
// own paint, with the text area left out.
#include "SkinComboBox.h"

#include "SkinDraw.h"
#include "SkinFlatFrame.h"
#include "SkinMap.h"

namespace {

bool IsDropDown(LONG_PTR Style) {
    return (Style & 3) != CBS_SIMPLE;
}

bool IsEditWindow(HWND Wnd) {
    wchar_t name[16] = {};
    GetClassNameW(Wnd, name, int(std::size(name)));
    return lstrcmpiW(name, L"Edit") == 0;
}

// The button well of width W at the right (or left) of R.
RECT ButtonRect(const RECT& R, int W, bool Left) {
    return Left ? RECT{R.left, R.top, R.left + W, R.bottom} : RECT{R.right - W, R.top, R.right, R.bottom};
}

// What lies inside the frame and beside the button well: the combo's text area.
RECT TextArea(const RECT& R, int Inset, int ButtonWidth, bool Left) {
    RECT t = R;
    InflateRect(&t, -Inset, -Inset);
    (Left ? t.left : t.right) += Left ? ButtonWidth : -ButtonWidth;
    return t;
}

// Nothing is known on systems without GetComboBoxInfo.
bool ReadComboInfo(HWND Wnd, COMBOBOXINFO& Info) {
    Info = COMBOBOXINFO{};
    Info.cbSize = sizeof(Info);
    return pGetComboBoxInfo && pGetComboBoxInfo(Wnd, &Info);
}

bool ButtonInvisible(HWND Wnd) {
    COMBOBOXINFO info;
    return ReadComboInfo(Wnd, info) && (info.stateButton & STATE_SYSTEM_INVISIBLE);
}

} // namespace

TComboFrame ComboFrameFlat(bool Enabled, bool Focused, TEnumSet<TSkinControlState> State) {
    if (State.Contains(scDown)) return cfPressed;
    if (State.Contains(scMouseIn) || Focused) return cfHot;
    return Enabled ? cfNormal : cfDisabled;
}

TComboFrame ComboFrameFitted(bool Enabled, bool Focused, TEnumSet<TSkinControlState> State) {
    if (!Enabled) return cfDisabled;
    return ComboFrameFlat(true, Focused, State);
}

TSkinComBox::~TSkinComBox() {
    ReleaseEdit();
}

// ---- Attaching ------------------------------------------------------------------------------------

void TSkinComBox::Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) {
    if (Initialized) return;
    TSkinControl::Init(AForm, ASkinData, ACanvas, AParentBK);
    AttachParts();
}

void TSkinComBox::Inithwnd(HWND AHandle, TSkinData* ASkinData, TCanvas* ACanvas, TSkinControlList* AForm) {
    if (Initialized) return;
    TSkinControl::Inithwnd(AHandle, ASkinData, ACanvas, AForm);
    AttachParts();
}

void TSkinComBox::AttachParts() {
    if (!Handle) return;
    ComboStyle = GetWindowLongEx(GWL_STYLE);
    if (IsDropDown(ComboStyle)) FindBtn();
    COMBOBOXINFO info;
    if (!ReadComboInfo(Handle, info)) return;
    if (!IsDropDown(ComboStyle)) ListHandle = info.hwndList;
    AttachList(info.hwndList);
}

// The list's bars, the dropped-down list's included; a part of this skinner, in no form's list.
void TSkinComBox::AttachList(HWND List) {
    if (!List || ListScrollbar) return;
    ListScrollbar = std::make_unique<TSkinScrollbarH>(nullptr);
    ListScrollbar->Inithwnd(List, SkinData, Canvas, nullptr);
}

// A drop-down list has no edit part: only the combo itself is hooked then.
void TSkinComBox::FindBtn() {
    HWND child = GetWindow(Handle, GW_CHILD);
    if (!child || !IsEditWindow(child)) return;
    FEdit.OnMessage.Bind(this, &TSkinComBox::ButtonProc);
    FEdit.Attach(child);
    EditHandle = child;
}

// The edit part gets its procedure back only while ours is on top and the window lives; the
// subclass lets go once either way.
void TSkinComBox::ReleaseEdit() {
    FEdit.Release();
    EditHandle = nullptr;
}

void TSkinComBox::Unsubclass() {
    TSkinControl::Unsubclass();
    ReleaseEdit();
    ListScrollbar.reset();
}

// ---- Messages -------------------------------------------------------------------------------------

void TSkinComBox::ButtonProc(TMessage& Message) {
    FEdit.CallPrevious(Message);
    switch (Message.Msg) {
    case WM_PAINT:
        return PaintControl(nullptr);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return Pressed(true);
    case WM_LBUTTONUP:
        return Pressed(false);
    case WM_NCDESTROY:
        EditHandle = nullptr;
        break;
    }
}

void TSkinComBox::Pressed(bool Down) {
    if (Down)
        State.Include(scDown);
    else
        State.Exclude(scDown);
    Invalidate();
}

void TSkinComBox::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_DRAWITEM:
    case WM_NCPAINT:
        return Invalidate();
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return Pressed(true);
    case WM_LBUTTONUP:
        return Pressed(false);
    case CM_MOUSEENTER:
        if (Enabled) MouseEntered(); // shows at the next paint
        return;
    case CM_MOUSELEAVE:
        if (!Enabled) return;
        MouseLeft();
        return Invalidate();
    }
    TSkinControl::AfterProc(Message);
}

// ---- Drawing --------------------------------------------------------------------------------------

// The focus sits in the edit part of a drop-down combo.
void TSkinComBox::RefreshState() {
    ComboStyle = GetWindowLongEx(GWL_STYLE);
    ComboExStyle = GetWindowLongEx(GWL_EXSTYLE);
    Enabled = !(ComboStyle & WS_DISABLED);
    HWND focus = GetFocus();
    Focused = focus && (focus == Handle || focus == EditHandle);
}

void TSkinComBox::DrawControl(HDC DC, const RECT& R) {
    TDataSkinBorder* button = SkinData ? SkinData->ComboButton.get() : nullptr;
    if (!button || button->Image.Empty() || ButtonInvisible(Handle)) return;
    RefreshState();
    if (button->Style == 1) return DrawControl1(DC, R);
    if (button->Style == 2) return DrawFitted(DC, R);
    // Other styles need a SunkEdge, and a skin with one is loaded as style 2.
}

void TSkinComBox::DrawControl1(HDC DC, const RECT& R) {
    TDataSkinBorder& button = *SkinData->ComboButton;
    const int w = button.Image.Width() / button.Frame, h = button.Image.Height();
    const int thumb = GetSystemMetrics(SM_CYVTHUMB);
    RECT inner = R;
    InflateRect(&inner, -2, -2);
    TExcludeInner text(DC, TextArea(R, 2, thumb, ButtonLeft()));
    auto field = static_cast<HBRUSH>(GetCurrentObject(DC, OBJ_BRUSH));
    FrameRing(DC, R, 1, field);
    RECT well = ButtonRect(inner, thumb, ButtonLeft());
    FillRect(DC, &well, field);
    FrameRing(DC, R, 0, SkinData->Colors[csButtonShadow]);
    RECT face = ButtonRect(inner, w, ButtonLeft());
    if (h < thumb) face.bottom = face.top + h;
    DrawSkinMap2(DC, face, button.Image, ComboFrameFlat(Enabled, Focused, State), button.Frame);
}

// The whole face one fitted frame (the SunkEdge's with the button at the left).
void TSkinComBox::DrawFitted(HDC DC, const RECT& R) {
    TDataSkinObject* face = ButtonLeft() ? SkinData->SunkEdge.get() : SkinData->ComboButton.get();
    if (!face) return;
    const int b = GetSystemMetrics(SM_CXHSCROLL);
    TExcludeInner text(DC, TextArea(R, 2, b + 2, ButtonLeft()));
    DrawRect2(DC, R, face->Image, face->Margins, ComboFrameFitted(Enabled, Focused, State), face->Frame, true,
              face->Tile != 0, false);
}
