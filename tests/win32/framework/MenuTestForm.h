// Forms with menus read from descriptions: a form with a menu bar, a pop-up menu and images, and an
// MDI frame with its children. Handlers log the names of the items they were called for.
#pragma once

#include "FrameworkTest.h"
#include "TestForm.h"

#include <functional>
#include <string>
#include <vector>

class TMenuForm : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TMenuForm(TComponent* AOwner);

    TEdit* Edit1 = nullptr;
    TButton* Button1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TMenuItem *File1 = nullptr, *Open1 = nullptr, *Exit1 = nullptr, *View1 = nullptr, *Small1 = nullptr,
              *Large1 = nullptr, *Grid1 = nullptr, *Help1 = nullptr, *Cut1 = nullptr, *Paste1 = nullptr;

    std::vector<std::string> Log; // "Open1" for a click, "File1" for a drop-down opening, "popup"
    std::vector<WPARAM> DialogChars;
    int MenuChanges = 0;
    LRESULT DialogCharAnswer = 0;

    void ItemClick(TObject* Sender);
    void PopupMenu1Popup(TObject*) { Log.push_back("popup"); }

  protected:
    void WndProc(TMessage& Message) override;
};

class TMDIFrame : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TMDIFrame(TComponent* AOwner);
    TMainMenu* FrameMenu = nullptr;
    TMenuItem *File1 = nullptr, *New1 = nullptr, *Window1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    int NewClicks = 0;
    void New1Click(TObject*) { ++NewClicks; }
};

class TMDIChild : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TMDIChild(TComponent* AOwner);
    TEdit* Edit1 = nullptr;
    TCloseAction CloseAction = caFree; // what closing does; FormClose takes it
    void FormClose(TObject*, TCloseAction& Action) { Action = CloseAction; }
};

extern const char* const MenuFormText;
TOwned<TMenuForm> ReadMenuForm(const std::string& text = MenuFormText);
// A frame, and children owned by the application (an MDI child frees itself when closed).
TOwned<TMDIFrame> ReadMDIFrame();
TMDIChild* ReadMDIChild(const std::string& caption);

// A frame read from its description, shown or only made, with two children "Child A" and "Child B".
// A test that frees a child sets its pointer to null.
struct TMDIForms {
    explicit TMDIForms(bool show = true);
    TMDIForms(const TMDIForms&) = delete;
    TMDIForms& operator=(const TMDIForms&) = delete;
    ~TMDIForms();
    TOwned<TMDIFrame> Frame;
    TMDIChild* A = nullptr;
    TMDIChild* B = nullptr;
};

// While alive, each menu window the system opens on this thread gets the next list of keys posted
// (a menu loop reads them whichever window they are for). A menu still open after three seconds is
// ended, so that a test cannot hang in a menu loop.
class TMenuAnswer {
  public:
    explicit TMenuAnswer(std::initializer_list<std::initializer_list<WPARAM>> keys);
    TMenuAnswer(const TMenuAnswer&) = delete;
    TMenuAnswer& operator=(const TMenuAnswer&) = delete;
    ~TMenuAnswer();
    int MenusOpened() const { return FOpened; }

  private:
    void Watch(int code, HWND wnd);
    static void CALLBACK Expire(HWND, UINT, UINT_PTR, DWORD);
    std::vector<std::vector<WPARAM>> FKeys; // the next list last
    int FOpened = 0, FOpenNow = 0;
    TCbtHook FHook;
    UINT_PTR FTimer;
};
