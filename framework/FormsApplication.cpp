// TApplication (message loop, dialog keys, the standard error box) and TScreen.
#include "Forms.h"

#include "Buttons.h"
#include "ComCtrls.h"
#include "ErrorSink.h"
#include "ExtCtrls.h"
#include "MPlayer.h"
#include "StdCtrls.h"

#include <commctrl.h>

#include <algorithm>

namespace {
// Declared in this order so that the forms the application owns leave the screen's list
// before the screen goes.
TScreen TheScreen(nullptr);
TApplication TheApplication(nullptr);

void ReportToApplication(std::exception_ptr error) {
    Application->HandleException(error);
}
} // namespace

TScreen* Screen = &TheScreen;
TApplication* Application = &TheApplication;

const TClassInfo& TScreen::StaticClassInfo() {
    static const TClassInfo info{"TScreen", &TComponent::StaticClassInfo(), {}, {}};
    return info;
}

void TScreen::RemoveForm(TCustomForm* f) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), f), FForms.end());
    if (FActiveForm == f) FActiveForm = nullptr;
}

int TScreen::PixelsPerInch() const {
    TClientDC dc(nullptr);
    return GetDeviceCaps(dc, LOGPIXELSY);
}

const TClassInfo& TApplication::StaticClassInfo() {
    static const TClassInfo info{"TApplication", &TComponent::StaticClassInfo(), {}, {}};
    return info;
}

// Runs before main: nothing here may need a window or the class registry.
TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    SetErrorSink(ReportToApplication);
}

TApplication::~TApplication() {
    DestroyComponents(); // the forms go while the application is whole
    SetErrorSink(nullptr);
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterFrameworkClasses();
}

void TApplication::AddForm(TCustomForm* form) {
    RegisterFrameworkClasses();
    form->ReadDescriptionResource();
    if (!FMainForm) {
        FMainForm = form;
        form->HandleNeeded();
    }
}

void TApplication::DestroyForms() noexcept {
    GuardCallback([this] { DestroyComponents(); });
}

void TApplication::FormDestroyed(TCustomForm* f) {
    if (FMainForm == f) FMainForm = nullptr;
}

std::string TApplication::Title() const {
    if (!FTitle.empty()) return FTitle;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string name = Utf16ToUtf8(reinterpret_cast<const char16_t*>(path));
    name = name.substr(name.find_last_of("\\/") + 1);
    return name.substr(0, name.rfind('.'));
}

// ---- The message loop ---------------------------------------------------------------------------

// The quit message that ended the loop, or that Terminate posted, is this loop's own.
void TApplication::Run() {
    if (!FMainForm) return;
    FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg) && !FTerminated) WaitMessage();
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

// WM_QUIT ends every loop it passes through: it stays queued for the loops further out (a modal
// form, the system's own, Run) and stops the processing here.
bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        PostQuitMessage(int(msg.wParam));
        return false;
    }
    try {
        if (!IsMDIMsg(msg) && !IsShortCutMsg(msg) && !IsDialogCharMsg(msg) && !IsKeyMsg(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    } catch (...) {
        HandleException(std::current_exception());
    }
    return true;
}

void TApplication::Terminate() {
    FTerminated = true;
    PostQuitMessage(0);
}

// Tab, Enter and Escape that the focused control does not want go to its form as CM_DIALOGKEY.
bool TApplication::IsKeyMsg(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam != VK_TAB && msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) return false;
    TControl* control = FindControl(msg.hwnd);
    if (!control) control = FindControl(GetParent(msg.hwnd)); // the edit inside a combo box
    TCustomForm* form = GetParentForm(control);
    if (!form) return false;
    LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
    if (msg.wParam == VK_TAB && (code & DLGC_WANTTAB)) return false;
    return form->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0;
}

// ---- Errors -------------------------------------------------------------------------------------

void TApplication::HandleException(std::exception_ptr error) noexcept {
    if (!error) return;
    try {
        try {
            std::rethrow_exception(error);
        } catch (const Exception& e) {
            Report(e);
        } catch (const std::exception& e) {
            Report(Exception(e.what()));
        } catch (...) {
            Report(Exception("Unknown exception"));
        }
    } catch (...) {
        // the report itself failed; there is nobody left to tell
    }
}

void TApplication::Report(const Exception& E) {
    if (OnException)
        OnException(this, E);
    else
        ShowException(E);
}

// The message gets a full stop when its last character sorts above ".".
void TApplication::ShowException(const Exception& E) {
    std::string text = E.Message();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    MessageBoxW(GetActiveWindow(), WideChars(Utf8ToUtf16(text)), WideChars(Utf8ToUtf16(Title())),
                MB_OK | MB_ICONERROR);
}

int RunApplication(const std::function<void()>& CreateForms) {
    int code = 0;
    try {
        Application->Initialize();
        CreateForms();
        Application->Run();
    } catch (...) {
        Application->HandleException(std::current_exception());
        code = 1;
    }
    Application->DestroyForms();
    return code;
}

void RegisterFrameworkClasses() {
    RegisterGraphicsClasses();
    RegisterCommonControlClasses();
    RegisterMenuClasses();
    for (const TClassInfo* c :
         {&TForm::StaticClassInfo(), &TButton::StaticClassInfo(), &TEdit::StaticClassInfo(),
          &TComboBox::StaticClassInfo(), &TCheckBox::StaticClassInfo(), &TLabel::StaticClassInfo(),
          &TGroupBox::StaticClassInfo(), &TStatusBar::StaticClassInfo(), &TTimer::StaticClassInfo(),
          &TPanel::StaticClassInfo(), &TMemo::StaticClassInfo(), &TListBox::StaticClassInfo(),
          &TScrollBar::StaticClassInfo(), &TRadioButton::StaticClassInfo(), &TRadioGroup::StaticClassInfo(),
          &TBitBtn::StaticClassInfo(), &TSpeedButton::StaticClassInfo(), &TMediaPlayer::StaticClassInfo()})
        RegisterClassInfo(*c);
}
