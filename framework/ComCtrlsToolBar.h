// The tool bar: a row of buttons with images from an image list and optional captions, over the
// common controls' tool bar.
#pragma once

#include "Controls.h"
#include "ImgList.h"

#include <memory>

enum TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator };
extern const TEnumNames ToolButtonStyleNames;

class TToolBar;

// A button of a tool bar: a component that a description nests in its tool bar, not a window of
// its own. Its tool bar frees it when it goes.
class TToolButton : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TToolButton(TComponent* AOwner);
    ~TToolButton() override;
    void BeforeDestruction() override;

    TToolBar* ToolBar() const { return FToolBar; }
    void SetToolBar(TToolBar* v);
    void SetParentComponent(TComponent* AParent) override;
    TComponent* GetParentComponent() const override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v);
    // An image of the tool bar's Images; -1 for none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle v);
    // A check button's state, which the user's click turns. Of adjacent Grouped check buttons one is
    // down at a time.
    bool Down() const;
    void SetDown(bool v);
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    // A separator's width.
    int Width() const { return FWidth; }
    void SetWidth(int v);
    std::string Hint;

    int Index() const;                       // among its tool bar's buttons; -1 outside one
    int Command() const { return FCommand; } // its command number in the tool bar's window
    virtual void Click() { OnClick(this); }
    TNotifyEvent OnClick;

  private:
    friend class TToolBar;
    template <class V> void Change(V& field, const V& v);
    void LeaveToolBar();

    TToolBar* FToolBar = nullptr;
    std::string FCaption;
    int FImageIndex = -1, FWidth = 8, FCommand = 0;
    TToolButtonStyle FStyle = tbsButton;
    bool FDown = false, FGrouped = false, FEnabled = true, FVisible = true;
};

class TImagesLink;

// The states a custom-draw notice reports for a button: bit (1 << flag) per state.
enum TCustomDrawStateFlag {
    cdsSelected,
    cdsGrayed,
    cdsDisabled,
    cdsChecked,
    cdsFocused,
    cdsDefault,
    cdsHot,
    cdsMarked,
    cdsIndeterminate
};
using TCustomDrawState = uint32_t;
using TTBCustomDrawEvent = TEvent<TToolBar*, const RECT&, bool&>;
using TTBCustomDrawBtnEvent = TEvent<TToolBar*, TToolButton*, TCustomDrawState, bool&>;

// Aligned to the top of its parent. A click on a button runs the button's OnClick. The custom-draw
// events paint on Canvas: OnCustomDraw before the bar is drawn, OnCustomDrawButton before each
// button; clearing DefaultDraw leaves out the system's own drawing of it (of the bar: of all of it).
class TToolBar : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TToolBar(TComponent* AOwner);
    ~TToolBar() override;
    void BeforeDestruction() override;

    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TToolButton* Buttons(int i) const;
    TImageList* Images() const;
    void SetImages(TImageList* v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool v);
    // Captions beside the images instead of below them.
    bool List() const { return FList; }
    void SetList(bool v);
    // The button's place in client coordinates; empty while hidden or without a window.
    RECT ButtonRect(const TToolButton* button) const;
    TCanvas& Canvas() { return FCanvas; }

    TTBCustomDrawEvent OnCustomDraw;
    TTBCustomDrawBtnEvent OnCustomDrawButton;
    void Notification(TComponent* AComponent, TOperation Operation) override;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    friend class TToolButton;
    void InsertButton(TToolButton* button);
    void WriteButton(const TToolButton& button, int index);
    int FreeCommand() const;
    void RemoveButton(TToolButton* button);
    void UpdateButton(const TToolButton* button);
    void FreeButtons();
    BYTE ButtonState(const TToolButton& button) const;
    TToolButton* FindButton(UINT_PTR command) const;
    void CustomDraw(TMessage& Message);

    std::vector<TToolButton*> FButtons;
    std::unique_ptr<TImagesLink> FImages;
    TCanvas FCanvas;
    bool FFlat = false, FShowCaptions = false, FList = false;
};
