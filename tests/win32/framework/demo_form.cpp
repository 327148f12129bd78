// A form with every standard control, to look at: framework_demo [milliseconds until it closes].
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

#include <cwchar>

namespace {
class TDemoForm : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TDemoForm(TComponent* AOwner) : TForm(AOwner) {
        Handler("ButtonReadClick", &TDemoForm::ButtonReadClick);
        Handler("CheckBoxCustomClick", &TDemoForm::CheckBoxCustomClick);
        Handler("CloseTimerTimer", &TDemoForm::CloseTimerTimer);
        Field("CheckBoxCustom", CheckBoxCustom);
        Field("EditArbitration", EditArbitration);
        Field("ComboBoxArbitration", ComboBoxArbitration);
        Field("CloseTimer", CloseTimer);
    }
    TCheckBox* CheckBoxCustom = nullptr;
    TEdit* EditArbitration = nullptr;
    TComboBox* ComboBoxArbitration = nullptr;
    TTimer* CloseTimer = nullptr;

    void ButtonReadClick(TObject*) { ShowMessage("请先连接！"); }
    void CheckBoxCustomClick(TObject*) {
        EditArbitration->SetEnabled(CheckBoxCustom->Checked());
        ComboBoxArbitration->SetEnabled(!CheckBoxCustom->Checked());
    }
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
        if (int ms = int(std::wcstol(commandLine, nullptr, 10)); ms > 0) {
            form->CloseTimer->SetInterval(uint32_t(ms));
            form->CloseTimer->SetEnabled(true);
        }
    });
}
