// Every framework control, menus and an MDI child, to look at: framework_demo [milliseconds until it
// closes]. The frame holds the menus; its MDI child holds every control.
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"

#include <cwchar>

namespace {
class TDemoChild : public TForm {
    QL_CLASS_INFO()
  public:
    using TForm::TForm;
};

const TClassInfo& TDemoChild::StaticClassInfo() {
    static const TClassInfo info{"TDemoChild", &TForm::StaticClassInfo(), {}, {}};
    return info;
}

class TDemoForm : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TDemoForm(TComponent* AOwner) : TForm(AOwner) {
        Handler("New1Click", &TDemoForm::New1Click);
        Handler("Exit1Click", &TDemoForm::Exit1Click);
        Handler("Cascade1Click", &TDemoForm::Cascade1Click);
        Handler("Tile1Click", &TDemoForm::Tile1Click);
        Handler("CloseTimerTimer", &TDemoForm::CloseTimerTimer);
        Field("CloseTimer", CloseTimer);
    }
    TTimer* CloseTimer = nullptr;

    void New1Click(TObject*) {
        TDemoChild* child = nullptr;
        Application->CreateForm(child);
    }
    void Exit1Click(TObject*) { Close(); }
    void Cascade1Click(TObject*) { Cascade(); }
    void Tile1Click(TObject*) { Tile(); }
    void CloseTimerTimer(TObject*) { Close(); }
};

const TClassInfo& TDemoForm::StaticClassInfo() {
    static const TClassInfo info{"TDemoForm", &TForm::StaticClassInfo(), {}, {}};
    return info;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    return RunApplication([commandLine] {
        Application->SetTitle("QUARLINK Config");
        TDemoForm* form = nullptr;
        Application->CreateForm(form);
        form->New1Click(form);
        if (int ms = int(std::wcstol(commandLine, nullptr, 10)); ms > 0) {
            form->CloseTimer->SetInterval(uint32_t(ms));
            form->CloseTimer->SetEnabled(true);
        }
    });
}
