// The standard controls of a form: push button, check box, edit field, combo box, label, group box.
#pragma once

#include "Controls.h"

#include <memory>

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
extern const TEnumNames CheckBoxStateNames, ComboBoxStyleNames;

// Push buttons and check boxes: the system's BUTTON class.
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
    TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    virtual void Change() { OnChange(this); }

  private:
    int FMaxLength = 0;
};

class TEdit : public TCustomEdit {
    QL_CLASS_INFO()
  public:
    using TCustomEdit::TCustomEdit;
};

class TCustomComboBox : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    // Kept in the window while there is one, and in the object before and between windows.
    TStrings& Items();
    const TStrings& Items() const;
    // -1: nothing selected.
    int ItemIndex() const;
    void SetItemIndex(int v);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    // Items the dropped-down list shows without scrolling.
    int DropDownCount = 8;
    TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;
    virtual void Change() { OnChange(this); }

  private:
    class TComboBoxStrings;
    void AdjustDropDown();

    std::unique_ptr<TComboBoxStrings> FItems;
    int FItemIndex = -1; // before the window exists
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
