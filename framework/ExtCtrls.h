// TTimer: OnTimer every Interval milliseconds while Enabled, on the GUI thread. TPanel and
// TRadioGroup: containers drawn by the framework.
#pragma once

#include "Classes.h"
#include "StdCtrls.h"
#include "TypInfo.h"

#include <windows.h>

#include <vector>

class TTimer : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t v);
    // An exception leaving the handler goes to the error sink (the application's error box); the
    // timer goes on.
    TNotifyEvent OnTimer;

  private:
    void UpdateTimer();

    bool FEnabled = true;
    uint32_t FInterval = 1000;
    HWND FWindow = nullptr;
};

// ---- Panel --------------------------------------------------------------------------------------

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
extern const TEnumNames BevelCutNames;

// A container with a caption: from the edge in, the outer bevel, BorderWidth of its colour and the
// inner bevel, each bevel BevelWidth wide. Aligned children share what lies inside.
class TCustomPanel : public TCustomControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    void WndProc(TMessage& Message) override;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void AdjustClientRect(RECT& r) const override;

  private:
    void FrameChanged();

    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone, FBevelOuter = bvRaised;
    int FBevelWidth = 1, FBorderWidth = 0;
    TBorderStyle FBorderStyle = TBorderStyle::bsNone;
};

class TPanel : public TCustomPanel {
    QL_CLASS_INFO()
  public:
    using TCustomPanel::TCustomPanel;
};

// ---- Radio group --------------------------------------------------------------------------------

// A group box with one radio button per item, made inside it and owned by it, laid out in
// Columns columns (top to bottom, then left to right). ItemIndex is the checked one (-1: none);
// OnClick runs when it changes to a button, by the user or by the program.
class TCustomRadioGroup : public TCustomGroupBox {
    QL_CLASS_INFO()
  public:
    explicit TCustomRadioGroup(TComponent* AOwner);

    TStrings& Items() { return FItems; }
    const TStrings& Items() const { return FItems; }
    int ItemIndex() const;
    void SetItemIndex(int v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    int ButtonCount() const { return int(FButtons.size()); }
    TRadioButton* Buttons(int i) const { return FButtons.at(size_t(i)); }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

  protected:
    void Loaded() override;

  private:
    class TGroupButton;
    void ItemsChanged(TObject*);
    void UpdateButtons();
    void ArrangeButtons();
    void CheckItemIndex();
    void ButtonClicked(const TRadioButton* button);

    TStringList FItems;
    std::vector<TRadioButton*> FButtons;
    int FItemIndex = -1, FColumns = 1;
    bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
    QL_CLASS_INFO()
  public:
    using TCustomRadioGroup::TCustomRadioGroup;
};

// The cell of button `index` when `count` buttons fill `area` in `columns` columns, top to bottom
// first; rows are equally high and the rows' leftover pixels split above and below.
RECT RadioGroupCell(const RECT& area, int index, int count, int columns);
