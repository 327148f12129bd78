// A form holding every common control, read from a description with its handlers bound by name; the
// handlers write what they hear into Log.
#pragma once

#include "FrameworkTest.h"
#include "TestForm.h"

#include <string>
#include <vector>

class TComCtrlsForm : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TComCtrlsForm(TComponent* AOwner);

    TToolBar* ToolBar1 = nullptr;
    TToolButton *ToolButtonRead = nullptr, *ToolButtonLock = nullptr, *ToolButtonGap = nullptr;
    THeaderControl* HeaderControl1 = nullptr;
    TTrackBar *TrackBar1 = nullptr, *TrackBar2 = nullptr;
    TProgressBar *ProgressBar1 = nullptr, *ProgressBar2 = nullptr;
    TEdit* Edit1 = nullptr;
    TUpDown* UpDown1 = nullptr;
    TDateTimePicker *DateTimePicker1 = nullptr, *DateTimePicker2 = nullptr;
    TListView* ListView1 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet *TabSheet1 = nullptr, *TabSheet2 = nullptr, *TabSheet3 = nullptr;
    TTabControl *TabTop = nullptr, *TabBottom = nullptr, *TabLeft = nullptr, *TabRight = nullptr;
    TImageList* ImageList1 = nullptr;

    std::vector<std::string> Log;
    bool Refuse = false; // what the OnChanging handlers answer

    void Changed(TObject* Sender);
    void Changing(TObject* Sender, bool& AllowChange);
    void ToolButtonClick(TObject* Sender);
    void UpDown1Click(TObject* Sender, TUDBtnType Button);
    void ListView1ColumnClick(TObject* Sender, TListColumn* Column);
    void ListView1SelectItem(TObject* Sender, TListItem* Item, bool Selected);
    void HeaderSection(TObject* Sender, THeaderSection* Section);

  private:
    void Note(TObject* Sender, const std::string& what);
};

extern const char* const ComCtrlsText;
// The form read from `text`, its image list filled with two 16 x 16 images.
TOwned<TComCtrlsForm> ReadComCtrlsForm(const std::string& text = ComCtrlsText);
// The form read and shown.
TOwned<TComCtrlsForm> ShownComCtrlsForm();

// The user's input as the window gets it: a left click at a client point, a key press.
void ClickAt(HWND wnd, POINT p);
void PressKey(HWND wnd, UINT key);
POINT Centre(const RECT& r);
