// TControl: bounds, parent, visibility, text, font and colour, and the message path through WindowProc.
#include "Controls.h"

#include "Forms.h"
#include "Guards.h"
#include "Menus.h"

#include <windowsx.h>

#include <algorithm>

const TEnumNames AlignNames{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
const TEnumNames AlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};

const TClassInfo& TControl::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TControl>("TControl", TComponent::StaticClassInfo())
            .Int("Left", &TControl::Left, &TControl::SetLeft)
            .Int("Top", &TControl::Top, &TControl::SetTop)
            .Int("Width", &TControl::Width, &TControl::SetWidth)
            .Int("Height", &TControl::Height, &TControl::SetHeight)
            .Str("Hint", &TControl::Hint, &TControl::Hint)
            .Obj<TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
            .Build();
    return info;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    WindowProc.Bind(this, &TControl::WndProc);
    FFont.OnChange.Bind(this, &TControl::FontChanged);
}

TControl::~TControl() {
    if (FParent) FParent->RemoveControl(this);
}

void TControl::BeforeDestruction() {
    TComponent::BeforeDestruction();
    if (FParent) FParent->RemoveControl(this);
}

// ---- Parent -------------------------------------------------------------------------------------

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == FParent) return;
    for (TControl* p = AParent; p; p = p->FParent)
        if (p == this) throw Exception(Format("Control '%s' cannot be its own parent", Name().c_str()));
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* AParent) {
    if (auto* parent = dynamic_cast<TWinControl*>(AParent)) return SetParent(parent);
    if (dynamic_cast<TControl*>(AParent))
        throw Exception(Format("Control '%s' cannot hold other controls", AParent->Name().c_str()));
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

// ---- Bounds -------------------------------------------------------------------------------------

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    Invalidate();
    StoreBounds({ALeft, ATop, ALeft + AWidth, ATop + AHeight});
    Invalidate();
    RequestAlign();
}

void TControl::StoreBounds(const RECT& r) {
    FLeft = r.left;
    FTop = r.top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
}

RECT TControl::ClientRect() const {
    return {0, 0, FWidth, FHeight};
}

void TControl::SetAlign(TAlign v) {
    if (v == FAlign) return;
    FAlign = v;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (FAlign != alNone && FParent) FParent->Realign();
}

// ---- State --------------------------------------------------------------------------------------

void TControl::SetVisible(bool v) {
    if (v == FVisible) return;
    FVisible = v;
    Invalidate();
    Perform(CM_VISIBLECHANGED, v);
    RequestAlign();
}

void TControl::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
    FParentColor = v;
    if (v) TakeParentColor();
}

void TControl::TakeParentColor() {
    if (!FParent || FParent->FColor == FColor) return;
    FColor = FParent->FColor;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentFont(bool v) {
    FParentFont = v;
    if (v) TakeParentFont();
}

void TControl::TakeParentFont() {
    if (!FParent) return;
    TRestore taking(FTakingParentFont, true);
    FFont.Assign(&FParent->FFont);
}

void TControl::FontChanged(TObject*) {
    if (!FTakingParentFont) FParentFont = false;
    Perform(CM_FONTCHANGED);
}

// ---- Text ---------------------------------------------------------------------------------------

std::string TControl::GetText() const {
    auto* self = const_cast<TControl*>(this);
    LRESULT length = self->Perform(WM_GETTEXTLENGTH);
    std::u16string buffer(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, u'\0');
    LRESULT got = self->Perform(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, length)));
    return Utf16ToUtf8(buffer);
}

void TControl::SetText(const std::string& v) {
    if (v == GetText()) return;
    std::u16string wide = Utf8ToUtf16(v);
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    Perform(CM_TEXTCHANGED);
}

// ---- Messages -----------------------------------------------------------------------------------

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    GuardSkinNotice(m);
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        MouseButton(Message);
        break;
    case WM_CONTEXTMENU:
        if (ContextPopup(Message)) return;
        break;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        break;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor) TakeParentColor();
        break;
    case CM_PARENTFONTCHANGED:
        if (FParentFont) TakeParentFont();
        break;
    }
    DefaultHandler(Message);
}

void TControl::MouseButton(TMessage& Message) {
    if (!ClickOnMouseUp) return;
    if (Message.Msg != WM_LBUTTONUP) {
        FMouseDown = true;
        return;
    }
    bool wasDown = std::exchange(FMouseDown, false);
    POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    RECT r = ClientRect();
    if (wasDown && PtInRect(&r, p)) Click();
}

// Without a window the text lives in the object.
void TControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETTEXTLENGTH:
        Message.Result = static_cast<LRESULT>(Utf8ToUtf16(FText).size());
        break;
    case WM_GETTEXT: {
        std::u16string wide = Utf8ToUtf16(FText);
        size_t room = Message.WParam;
        if (room == 0 || !Message.LParam) break;
        size_t n = std::min(wide.size(), room - 1);
        auto* out = reinterpret_cast<char16_t*>(Message.LParam);
        std::copy_n(wide.begin(), n, out);
        out[n] = u'\0';
        Message.Result = static_cast<LRESULT>(n);
        break;
    }
    case WM_SETTEXT:
        FText =
            Message.LParam ? Utf16ToUtf8(reinterpret_cast<const char16_t*>(Message.LParam)) : std::string();
        Message.Result = TRUE;
        break;
    }
}

// ---- Painting -----------------------------------------------------------------------------------

void TControl::Invalidate() {
    if (!FParent || !FParent->HandleAllocated()) return;
    RECT r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, TRUE);
}

void TControl::Update() {
    if (FParent && FParent->HandleAllocated()) UpdateWindow(FParent->Handle());
}

// ---- Lookup -------------------------------------------------------------------------------------

const wchar_t* ControlPropName() {
    static wchar_t name[32];
    if (!name[0]) {
        std::u16string text =
            Utf8ToUtf16(Format("ControlOfs%.8X%.8X",
                               static_cast<unsigned>(reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr))),
                               static_cast<unsigned>(GetCurrentThreadId())));
        std::copy(text.begin(), text.end(), name);
    }
    return name;
}

TControl* FindControl(HWND wnd) {
    if (!wnd) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    return static_cast<TControl*>(GetPropW(wnd, ControlPropName()));
}

TCustomForm* GetParentForm(const TControl* Control) {
    if (!Control) return nullptr;
    while (Control->Parent())
        Control = Control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(Control));
}
