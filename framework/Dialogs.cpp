// Message boxes and the input dialog, the latter a form built from the framework's own controls.
#include "Dialogs.h"

#include "Forms.h"
#include "StdCtrls.h"

#include <algorithm>
#include <memory>

namespace {
int Box(const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxW(GetActiveWindow(), WideChars(Utf8ToUtf16(text)), WideChars(Utf8ToUtf16(caption)),
                       flags);
}

constexpr TMsgDlgButtons ButtonSet(std::initializer_list<TMsgDlgBtn> list) {
    TMsgDlgButtons bits = 0;
    for (TMsgDlgBtn b : list)
        bits |= 1u << b;
    return bits;
}

UINT ButtonFlags(TMsgDlgButtons b) {
    static const std::pair<TMsgDlgButtons, UINT> sets[] = {
        {ButtonSet({mbOK, mbCancel}), MB_OKCANCEL},
        {ButtonSet({mbYes, mbNo}), MB_YESNO},
        {ButtonSet({mbYes, mbNo, mbCancel}), MB_YESNOCANCEL},
        {ButtonSet({mbAbort, mbRetry, mbIgnore}), MB_ABORTRETRYIGNORE},
        {ButtonSet({mbRetry, mbCancel}), MB_RETRYCANCEL},
    };
    for (auto [set, flags] : sets)
        if (set == b) return flags;
    return MB_OK;
}

struct TFreeForm {
    void operator()(TForm* f) const { f->Free(); }
};

template <class T> T* Add(TForm& form, int left, int top, const std::string& caption) {
    T* c = new T(&form);
    c->SetParent(&form);
    c->SetBounds(left, top, c->Width(), c->Height());
    c->SetCaption(caption);
    return c;
}
} // namespace

void ShowMessage(const std::string& Msg) {
    Box(Msg, Application->Title(), MB_OK);
}

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    static const UINT icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
    static const char* const captions[] = {"Warning", "Error", "Information", "Confirm", nullptr};
    std::string caption = captions[DlgType] ? captions[DlgType] : Application->Title();
    return Box(Msg, caption, icons[DlgType] | ButtonFlags(Buttons));
}

bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value) {
    std::unique_ptr<TForm, TFreeForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(ACaption);
    auto* prompt = Add<TLabel>(*form, 8, 8, APrompt);
    int width = std::max(prompt->Width() + 16, 260);
    auto* edit = Add<TEdit>(*form, 8, prompt->Top() + prompt->Height() + 6, Value);
    edit->SetWidth(width - 16);
    int buttonsTop = edit->Top() + edit->Height() + 12;
    auto* ok = Add<TButton>(*form, width - 2 * (75 + 8), buttonsTop, "OK");
    ok->ModalResult = mrOk;
    ok->SetDefault(true);
    auto* cancel = Add<TButton>(*form, width - 75 - 8, buttonsTop, "Cancel");
    cancel->ModalResult = mrCancel;
    cancel->Cancel = true;
    form->SetClientWidth(width);
    form->SetClientHeight(buttonsTop + 25 + 8);
    form->SetActiveControl(edit);
    form->HandleNeeded();
    edit->Perform(EM_SETSEL, 0, -1);
    if (form->ShowModal() != mrOk) return false;
    Value = edit->Text();
    return true;
}
