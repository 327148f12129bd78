// Push button, check box, edit field, label and group box.
#include "StdCtrls.h"

#include "ControlsPublish.h"
#include "Forms.h"

const TEnumNames CheckBoxStateNames{"cbUnchecked", "cbChecked", "cbGrayed"};
const TEnumNames BorderStyleNames{"bsNone", "bsSingle"};

// ---- Class registry -----------------------------------------------------------------------------

const TClassInfo& TButtonControl::StaticClassInfo() {
    static const TClassInfo info{"TButtonControl", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TButton::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TButton> b("TButton", TButtonControl::StaticClassInfo());
        b.Creatable();
        PublishCaption(b)
            .Bool("Default", &TButton::Default, &TButton::SetDefault)
            .Bool("Cancel", &TButton::Cancel, &TButton::Cancel)
            .Int("ModalResult", &TButton::ModalResult, &TButton::ModalResult);
        PublishTabs(PublishLook(b));
        return PublishOnClick(b).Build();
    }();
    return info;
}

const TClassInfo& TCustomCheckBox::StaticClassInfo() {
    static const TClassInfo info{"TCustomCheckBox", &TButtonControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TCheckBox::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TCheckBox> b("TCheckBox", TCustomCheckBox::StaticClassInfo());
        b.Creatable();
        PublishCaption(b)
            .Enum("Alignment", AlignmentNames, &TCheckBox::Alignment, &TCheckBox::SetAlignment)
            .Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::AllowGrayed)
            .Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
            .Enum("State", CheckBoxStateNames, &TCheckBox::State, &TCheckBox::SetState);
        PublishTabs(PublishLook(b));
        return PublishOnClick(b).Build();
    }();
    return info;
}

const TClassInfo& TCustomEdit::StaticClassInfo() {
    static const TClassInfo info{"TCustomEdit", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TEdit::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TEdit> b("TEdit", TCustomEdit::StaticClassInfo());
        b.Creatable()
            .Int("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength)
            .Bool("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly)
            .Enum("BorderStyle", BorderStyleNames, &TEdit::BorderStyle, &TEdit::SetBorderStyle);
        PublishText(b);
        PublishTabs(PublishLook(b));
        PublishOnClick(b).Event("OnChange", static_cast<TNotifyEvent TEdit::*>(&TEdit::OnChange));
        return b.Build();
    }();
    return info;
}

const TClassInfo& TCustomLabel::StaticClassInfo() {
    static const TClassInfo info{"TCustomLabel", &TGraphicControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TLabel::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TLabel> b("TLabel", TCustomLabel::StaticClassInfo());
        b.Creatable()
            .Enum("Alignment", AlignmentNames, &TLabel::Alignment, &TLabel::SetAlignment)
            .Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
        PublishCaption(b).Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
        PublishLook(b);
        return PublishOnClick(b).Build();
    }();
    return info;
}

const TClassInfo& TCustomGroupBox::StaticClassInfo() {
    static const TClassInfo info{"TCustomGroupBox", &TCustomControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TGroupBox::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TGroupBox> b("TGroupBox", TCustomGroupBox::StaticClassInfo());
        b.Creatable();
        PublishCaption(b);
        PublishTabs(PublishLook(b));
        return PublishOnClick(b).Build();
    }();
    return info;
}

// ---- TButton ------------------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    SetColor(clBtnFace); // what the usual parent has: a description need not say it
    SetParentColor(true);
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
    StoreBounds({0, 0, 75, 25});
}

void TButton::SetDefault(bool v) {
    FDefault = v;
    if (HandleAllocated()) Perform(BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& Params) {
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this); form && ModalResult != mrNone)
        form->SetModalResult(ModalResult);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == BN_CLICKED) Click();
        return;
    }
    if (Message.Msg == CM_DIALOGKEY) {
        bool mine = (Message.WParam == VK_RETURN && FDefault) || (Message.WParam == VK_ESCAPE && Cancel);
        if (mine && CanFocus()) {
            Click();
            Message.Result = 1;
        }
        return;
    }
    TButtonControl::WndProc(Message);
}

// ---- TCheckBox ----------------------------------------------------------------------------------

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    StoreBounds({0, 0, 97, 17});
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
    if (v == FState) return;
    FState = v;
    if (HandleAllocated()) Perform(BM_SETCHECK, v);
    if (!Loading()) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment v) {
    SetWindowValue(*this, FAlignment, v);
}

void TCustomCheckBox::Toggle() {
    static const TCheckBoxState next[] = {cbChecked, cbUnchecked, cbChecked};
    SetState(FState == cbUnchecked && AllowGrayed ? cbGrayed : next[FState]);
}

// The box does not tick itself: the state is the object's, so every change goes through SetState.
void TCustomCheckBox::CreateParams(TCreateParams& Params) {
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= BS_3STATE | (FAlignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCustomCheckBox::CreateWnd() {
    TButtonControl::CreateWnd();
    Perform(BM_SETCHECK, FState);
}

void TCustomCheckBox::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
        return;
    }
    TButtonControl::WndProc(Message);
}

// ---- TEdit --------------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    StoreBounds({0, 0, 121, 21});
    SetTabStop(true);
}

void TCustomEdit::SetMaxLength(int v) {
    FMaxLength = std::max(v, 0);
    if (HandleAllocated()) Perform(EM_LIMITTEXT, FMaxLength);
}

void TCustomEdit::SetReadOnly(bool v) {
    FReadOnly = v;
    if (HandleAllocated()) Perform(EM_SETREADONLY, v);
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
    SetWindowValue(*this, FBorderStyle, v);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"EDIT");
    Params.Style |= ES_AUTOHSCROLL | ES_LEFT | (FReadOnly ? ES_READONLY : 0);
    if (FBorderStyle == TBorderStyle::bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    Perform(EM_LIMITTEXT, FMaxLength);
}

void TCustomEdit::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == EN_CHANGE) Change();
        return;
    }
    TWinControl::WndProc(Message);
}

// ---- TLabel -------------------------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    StoreBounds({0, 0, 65, 13});
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TCustomLabel::SetAutoSize(bool v) {
    FAutoSize = v;
    AdjustBounds();
}

void TCustomLabel::SetTransparent(bool v) {
    FTransparent = v;
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment v) {
    FAlignment = v;
    Invalidate();
}

UINT TCustomLabel::TextFlags() const {
    static const UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    return DT_EXPANDTABS | DT_SINGLELINE | align[FAlignment];
}

// The right edge stays put for right-aligned text, the left edge otherwise.
void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || Loading()) return;
    std::string caption = Caption();
    std::u16string text = caption.empty() ? std::u16string(1, u' ') : Utf8ToUtf16(caption);
    TClientDC dc(nullptr);
    TSelectObject font(dc, Font().Handle());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, WideChars(text), -1, &r, TextFlags() | DT_CALCRECT);
    int left = FAlignment == taRightJustify ? Left() + Width() - r.right : Left();
    SetBounds(left, Top(), r.right, r.bottom);
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& Message) {
    TGraphicControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_FONTCHANGED) {
        AdjustBounds();
        Invalidate();
    }
}

void TCustomLabel::Paint() {
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    if (!FTransparent) c.FillRect(r);
    c.Brush().SetStyle(bsClear);
    if (!Enabled()) c.Font().SetColor(clGrayText);
    c.DrawText(Utf8ToUtf16(Caption()), r, TextFlags());
}

// ---- TGroupBox ----------------------------------------------------------------------------------

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    StoreBounds({0, 0, 185, 105});
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TCustomGroupBox::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

void TCustomGroupBox::WndProc(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED) Invalidate();
}

RECT GroupBoxFrameRect(const RECT& client, int textHeight) {
    RECT r = client;
    r.top += textHeight / 2;
    return r;
}

RECT GroupBoxCaptionRect(const RECT& client, SIZE text) {
    constexpr int indent = 8;
    return {client.left + indent, client.top, client.left + indent + text.cx + 2, client.top + text.cy};
}

void TCustomGroupBox::Paint() {
    TCanvas& c = Canvas();
    std::u16string caption = Utf8ToUtf16(Caption());
    int h = c.TextHeight(u"0");
    RECT frame = GroupBoxFrameRect(ClientRect(), h);
    DrawEdge(c.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    if (caption.empty()) return;
    RECT text = GroupBoxCaptionRect(ClientRect(), {c.TextWidth(caption), h});
    c.FillRect(text);
    c.Brush().SetStyle(bsClear);
    if (!Enabled()) c.Font().SetColor(clGrayText);
    OffsetRect(&text, 1, 0);
    c.DrawText(caption, text, DT_SINGLELINE | DT_LEFT | DT_NOCLIP);
}
