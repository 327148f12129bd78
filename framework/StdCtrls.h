// The standard controls of a form: push button, check box, radio button, edit field, memo, combo
// box, list box, scroll bar, label, group box.
#pragma once

#include "Controls.h"

#include <memory>

class TItemStrings;
struct TItemMessages;

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
// A control's own border (scoped: a form's border style has the same names).
enum class TBorderStyle { bsNone, bsSingle };
extern const TEnumNames CheckBoxStateNames, ComboBoxStyleNames, BorderStyleNames;

// Stores a value the window is made with: a change makes the window anew.
template <class V> void SetWindowValue(TWinControl& control, V& field, V value) {
    if (field == value) return;
    field = value;
    control.RecreateWnd();
}

// Push buttons, check boxes and radio buttons: the system's BUTTON class.
class TButtonControl : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TButtonControl(TComponent* AOwner);
};

class TButton : public TButtonControl {
    QL_CLASS_INFO()
  public:
    explicit TButton(TComponent* AOwner);
    // Enter clicks the default button of a form, Escape its cancel button.
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel = false;
    // Clicking ends the modal showing of the form with this result.
    TModalResult ModalResult = mrNone;
    void Click() override;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

  private:
    bool FDefault = false;
};

// OnClick runs whenever the state changes, by the user or by the program (not while a
// description is being read).
class TCustomCheckBox : public TButtonControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomCheckBox(TComponent* AOwner);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    bool AllowGrayed = false;
    // taLeftJustify puts the text left of the box.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    virtual void Toggle();

  private:
    TCheckBoxState FState = cbUnchecked;
    TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    QL_CLASS_INFO()
  public:
    using TCustomCheckBox::TCustomCheckBox;
};

class TCustomEdit : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomEdit(TComponent* AOwner);
    // The most characters the user can type; 0 for no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    // The user cannot change the text; the program still can.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    virtual void Change() { OnChange(this); }

  private:
    int FMaxLength = 0;
    bool FReadOnly = false;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
};

class TEdit : public TCustomEdit {
    QL_CLASS_INFO()
  public:
    using TCustomEdit::TCustomEdit;
};

// A control whose items live in its window (list box, combo box), kept in the object before and
// between windows. ItemIndex is the selected item (-1: none); a description may give it before
// the items: it waits for them until the window is made.
class TCustomListControl : public TWinControl {
    QL_CLASS_INFO()
  public:
    ~TCustomListControl() override;
    TStrings& Items();
    const TStrings& Items() const;
    int ItemIndex() const;
    void SetItemIndex(int v);

  protected:
    TCustomListControl(TComponent* AOwner, const TItemMessages& messages);
    void CreateWnd() override;
    void DestroyWnd() override;
    // The messages that read and set the index in the window.
    virtual UINT GetIndexMessage() const;
    virtual UINT SetIndexMessage() const;
    TItemStrings& ItemList() { return *FItems; }
    const TItemStrings& ItemList() const { return *FItems; }

  private:
    std::unique_ptr<TItemStrings> FItems;
    int FItemIndex = -1; // before the window exists
};

class TCustomComboBox : public TCustomListControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomComboBox(TComponent* AOwner);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    // Items the dropped-down list shows without scrolling.
    int DropDownCount = 8;
    TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    virtual void Change() { OnChange(this); }

  private:
    void AdjustDropDown();

    TComboBoxStyle FStyle = csDropDown;
};

class TComboBox : public TCustomComboBox {
    QL_CLASS_INFO()
  public:
    using TCustomComboBox::TCustomComboBox;
};

// Windowless text on the parent's surface.
class TCustomLabel : public TGraphicControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomLabel(TComponent* AOwner);
    // The label takes the size of its text.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    // The parent's surface shows through instead of the label's colour.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    void WndProc(TMessage& Message) override;

  protected:
    void Paint() override;
    void Loaded() override;

  private:
    UINT TextFlags() const;
    void AdjustBounds();

    bool FAutoSize = true, FTransparent = false;
    TAlignment FAlignment = taLeftJustify;
};

class TLabel : public TCustomLabel {
    QL_CLASS_INFO()
  public:
    using TCustomLabel::TCustomLabel;
};

// A group box's frame starts half a text height down; the caption box (the text and a pixel on
// either side) cuts it at the top left. Whoever paints a box instead of it takes the geometry here.
RECT GroupBoxFrameRect(const RECT& client, int textHeight);
RECT GroupBoxCaptionRect(const RECT& client, SIZE text);

// A captioned frame around the controls inside it.
class TCustomGroupBox : public TCustomControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomGroupBox(TComponent* AOwner);
    void WndProc(TMessage& Message) override;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    QL_CLASS_INFO()
  public:
    using TCustomGroupBox::TCustomGroupBox;
};

// ---- Memo ---------------------------------------------------------------------------------------

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const TEnumNames ScrollStyleNames;

// A multi-line edit field. Lines is its text split at the line breaks (CR LF), read from and
// written to the window; a line break at the very end starts no further line.
class TCustomMemo : public TCustomEdit {
    QL_CLASS_INFO()
  public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStrings& Lines();
    const TStrings& Lines() const;
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    // Long lines break at the right edge; a horizontal scroll bar is then of no use.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    // Enter starts a new line (otherwise it goes to the form: the default button); Tab is typed
    // into the text (otherwise it moves the focus on). Escape always goes to the form.
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v);
    bool WantTabs = false;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

  private:
    class TMemoStrings;
    LRESULT DialogCode(WPARAM key, LRESULT code) const;

    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    TAlignment FAlignment = taLeftJustify;
    bool FWordWrap = true, FWantReturns = true;
};

class TMemo : public TCustomMemo {
    QL_CLASS_INFO()
  public:
    using TCustomMemo::TCustomMemo;
};

// ---- List box -----------------------------------------------------------------------------------

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
extern const TEnumNames ListBoxStyleNames;
// The bits of an owner-drawn item's state, at the positions of the system's ODS_* bits.
enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = uint32_t; // bit (1 << TOwnerDrawStateFlag) per flag

using TDrawItemEvent = TEvent<TWinControl*, int, const RECT&, TOwnerDrawState>;
using TMeasureItemEvent = TEvent<TWinControl*, int, int&>;

// The system's LISTBOX class. Owner-drawn items are drawn on Canvas by OnDrawItem (the item's
// text by default), ItemHeight high or, for lbOwnerDrawVariable, as high as OnMeasureItem says.
// With MultiSelect, ItemIndex is the item that has the focus rectangle.
class TCustomListBox : public TCustomListControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomListBox(TComponent* AOwner);
    bool Sorted() const;
    void SetSorted(bool v);
    // Several items can be selected: a click toggles one, or with ExtendedSelect, Shift and Ctrl
    // extend the selection as in a file list.
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool v);
    // Selection of single items; these need the window.
    bool Selected(int i);
    void SetSelected(int i, bool v);
    int SelCount();
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle v);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TCanvas& Canvas() { return FCanvas; }

    TNotifyEvent OnDblClick;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    UINT GetIndexMessage() const override;
    UINT SetIndexMessage() const override;
    virtual void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State);

  private:
    void ItemInserted(int i);
    void DrawItemStruct(const DRAWITEMSTRUCT& item);
    void CommandReflected(WORD code);

    int FItemHeight = 16;
    TListBoxStyle FStyle = lbStandard;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    bool FMultiSelect = false, FExtendedSelect = true;
    TCanvas FCanvas;
};

class TListBox : public TCustomListBox {
    QL_CLASS_INFO()
  public:
    using TCustomListBox::TCustomListBox;
};

// ---- Scroll bar ---------------------------------------------------------------------------------

enum TScrollBarKind { sbHorizontal, sbVertical };
// The system's scroll codes (SB_LINEUP ... SB_ENDSCROLL) in their order.
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
extern const TEnumNames ScrollBarKindNames;

// OnScroll sees where a scroll would put the thumb and may move that place.
using TScrollEvent = TEvent<TObject*, TScrollCode, int&>;

// The system's SCROLLBAR class as a control of its own. Position stays between Min and the last
// place the thumb can reach (Max, less PageSize - 1 while a page is shown).
class TScrollBar : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind v);
    int Min() const { return FMin; }
    void SetMin(int v) { SetParams(FPosition, v, FMax); }
    int Max() const { return FMax; }
    void SetMax(int v) { SetParams(FPosition, FMin, v); }
    int Position() const { return FPosition; }
    void SetPosition(int v) { SetParams(v, FMin, FMax); }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    // Min above Max, or a page larger than the range, raises Exception (checked once a description
    // has been read, whatever order it gives them in).
    void SetParams(int APosition, int AMin, int AMax);
    int SmallChange = 1, LargeChange = 1;

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;
    virtual void Change() { OnChange(this); }

  private:
    int LastPosition() const;
    int ScrollTarget(TScrollCode code);
    void Scroll(TScrollCode code);
    void UpdateScrollInfo();

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
};

// ---- Radio button -------------------------------------------------------------------------------

// Checking a radio button unchecks the other radio buttons of its parent. OnClick runs when it
// becomes checked, by the user or by the program (not while a description is being read).
class TRadioButton : public TButtonControl {
    QL_CLASS_INFO()
  public:
    explicit TRadioButton(TComponent* AOwner);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    // taLeftJustify puts the text left of the circle.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    void TurnSiblingsOff();

    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};
