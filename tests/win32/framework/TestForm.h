// A form holding one control of every kind, read from a description with its handlers bound by name.
#pragma once

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "FormReader.h"
#include "Forms.h"
#include "StdCtrls.h"

#include <memory>

class TTestForm : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TTestForm(TComponent* AOwner);

    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TButton* Button1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TTimer* Timer1 = nullptr;

    int Clicks = 0, Changes = 0, CheckClicks = 0, Ticks = 0, Closes = 0;
    std::function<void()> OnButton; // what Button1Click does besides counting

    void Button1Click(TObject*);
    void Edit1Change(TObject*) { ++Changes; }
    void CheckBox1Click(TObject*) { ++CheckClicks; }
    void Timer1Timer(TObject*) { ++Ticks; }
    void FormClose(TObject*, TCloseAction&) { ++Closes; }
};

// The form of the resource TRESFORM (resform.dfm), in the programs that carry it.
class TResForm : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TResForm(TComponent* AOwner);
    int Creates = 0, Closes = 0;
    void FormCreate(TObject*) { ++Creates; }
    void FormClose(TObject*, TCloseAction&) { ++Closes; }
};

struct TFree {
    void operator()(TObject* o) const { o->Free(); }
};
template <class T> using TOwned = std::unique_ptr<T, TFree>;

// The description of the form with every control.
extern const char* const EveryControlText;
// A TTestForm read from `text`.
TOwned<TTestForm> ReadTestForm(const std::string& text = EveryControlText);
