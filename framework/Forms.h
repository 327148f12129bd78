// Forms, the application object (message loop, error box) and the screen (the list of forms).
#pragma once

#include "Controls.h"
#include "Menus.h"
#include "WindowOwner.h"

#include <exception>
#include <map>

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = uint32_t; // bit (1 << TBorderIcon) per icon
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TEvent<TObject*, TCloseAction&>;
extern const TEnumNames FormBorderStyleNames, BorderIconNames, PositionNames;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
extern const TEnumNames FormStyleNames, WindowStateNames;

class TCustomForm : public TCustomControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomForm(TComponent* AOwner);
    void BeforeDestruction() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    bool AutoScroll = false; // stored only: forms do not scroll

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* c);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }

    void SetVisible(bool v) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    RECT ClientRect() const override;
    void Close();
    void Release(); // frees the form once the current message is handled
    TModalResult ShowModal();
    bool Modal() const { return FModal; }

    // Reads the description stored as an RCDATA resource named after the class in upper case
    // ("TMAINFORM"), then runs OnCreate. EResNotFound when there is none.
    void ReadDescriptionResource();
    void DoCreate();

    // Focus bookkeeping: a control of the form got the keyboard focus, or a control leaves it.
    void SetFocusedControl(TWinControl* c);
    void ControlRemoved(TControl* c);
    // Moves the focus to the next (or previous) tab stop after `current`; false when there is none.
    bool SelectNext(TWinControl* current, bool forward);

    TMethod MethodAddress(const std::string& name) const override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnCreate, OnDestroy;
    TCloseEvent OnClose;

    // ---- Menus (FormsMenus.cpp) ----
    // The menu bar; every menu message the window gets goes to the framework items it concerns.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* v);
    // Clicks the item of the menu bar (an MDI child: of its frame's) with that shortcut.
    bool IsShortCut(TShortCut shortCut);

    // ---- MDI (FormsMDI.cpp) ----
    // fsMDIForm: a frame with an MDI client window; fsMDIChild: a form inside the frame's client,
    // always shown (hiding raises) and minimized on closing. A change makes the window anew.
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState v);
    // The frame's menu item whose drop-down lists the MDI children.
    TMenuItem* WindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* v);
    HWND ClientHandle() const { return FClient.get(); }
    // Itself for a frame, its frame for an MDI child with a window, otherwise null.
    TCustomForm* MDIFrame();
    TCustomForm* ActiveMDIChild();
    int MDIChildCount();
    TCustomForm* MDIChildren(int i); // in z-order, topmost first
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void Next();
    void Previous();

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    HWND CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWindowHandle() override;
    void ControlsAligned(const RECT& Rest) override;
    void DefaultHandler(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void SetClientSize(int AWidth, int AHeight) override;
    void Loaded() override;

    // The handler table that stored handler names are bound through.
    template <class C, class... A> void Handler(const std::string& name, void (C::*method)(A...)) {
        TEvent<A...> e;
        e.Bind(static_cast<C*>(this), method);
        e.Name = name;
        FHandlers[LowerCase(name)] = ToMethod(e);
    }
    // A field that receives the component of that name once the description is read.
    template <class C> void Field(const std::string& name, C*& field) {
        FFields.push_back({name, [&field](TComponent* c) { field = dynamic_cast<C*>(c); }});
    }

  private:
    struct TField {
        std::string Name;
        std::function<void(TComponent*)> Set;
    };
    DWORD FrameStyle(DWORD& exStyle) const;
    SIZE FrameSize() const;
    void PlaceOnScreen(TCreateParams& Params) const;
    void UpdateFrame();
    void FocusActiveControl();
    bool DialogKey(TMessage& Message);
    void CloseModal();
    bool MenuMessage(TMessage& Message);
    void AttachMenu();
    void DetachMenu();
    void ForgetMenus(TComponent* AComponent);
    bool MDIMessage(TMessage& Message);
    void CreateClient();
    std::vector<HWND> MDIChildWindows() const;
    void DestroyChildren();
    TCloseAction DefaultCloseAction() const;
    void ApplyWindowState();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = 1u << biSystemMenu | 1u << biMinimize | 1u << biMaximize;
    TPosition FPosition = poDesigned;
    TWinControl* FActiveControl = nullptr;
    TModalResult FModalResult = mrNone;
    bool FModal = false, FShowAfterLoading = false;
    int FClientWidth = -1, FClientHeight = -1; // asked for before the window exists
    std::map<std::string, TMethod> FHandlers;
    std::vector<TField> FFields;
    TMainMenu* FMenu = nullptr;
    TMenuItem* FWindowMenu = nullptr;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal; // asked for before the window shows
    TWindowOwner FClient;                 // the MDI client; the system takes it down with the frame
};

class TForm : public TCustomForm {
    QL_CLASS_INFO()
  public:
    using TCustomForm::TCustomForm;
};

class TScreen : public TComponent {
    QL_CLASS_INFO()
  public:
    using TComponent::TComponent;
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int i) const { return FForms.at(static_cast<size_t>(i)); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    int PixelsPerInch() const;

    void AddForm(TCustomForm* f) { FForms.push_back(f); }
    void RemoveForm(TCustomForm* f);
    void SetActiveForm(TCustomForm* f) { FActiveForm = f; }

  private:
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
};

using TExceptionEvent = TEvent<TObject*, const Exception&>;

class TApplication : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize();
    // Creates a form owned by the application from its stored description; the first one
    // created is the main form, whose closing ends Run.
    template <class T> void CreateForm(T*& Reference) {
        T* form = new T(this);
        Reference = form;
        try {
            AddForm(form);
        } catch (...) {
            Reference = nullptr;
            form->Free();
            throw;
        }
    }
    TCustomForm* MainForm() const { return FMainForm; }
    void Run();
    void HandleMessage();   // one message, or waits for one
    void ProcessMessages(); // every pending message, up to a quit message, which stays queued
    void Terminate();
    bool Terminated() const { return FTerminated; }

    std::string Title() const;
    void SetTitle(const std::string& v) { FTitle = v; }

    // The standard error box, or OnException when assigned. Never throws.
    void HandleException(std::exception_ptr error) noexcept;
    void ShowException(const Exception& E);
    TExceptionEvent OnException;

    void FormDestroyed(TCustomForm* f);
    // Frees the forms and whatever else the application owns; errors go to the error box.
    void DestroyForms() noexcept;

  private:
    void AddForm(TCustomForm* form);
    void Report(const Exception& E);
    bool ProcessMessage(MSG& msg);
    bool IsKeyMsg(const MSG& msg);
    // Before dispatching (FormsMenuKeys.cpp): MDI system keys, menu shortcuts, dialog characters.
    bool IsMDIMsg(MSG& msg);
    bool IsShortCutMsg(const MSG& msg);
    bool IsDialogCharMsg(const MSG& msg);

    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    std::string FTitle;
};

extern TApplication* Application;
extern TScreen* Screen;

// The program's life for wWinMain: Initialize, CreateForms, Run, errors shown in the error box;
// then the forms are freed, before any global object goes (the skin manager calls back from their
// destructors). 0, or 1 when an error ended the program.
int RunApplication(const std::function<void()>& CreateForms);

// Makes every creatable framework class known to the description reader.
void RegisterFrameworkClasses();
