// The status bar and its panels, over the common controls' status window.
#pragma once

#include "Controls.h"

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };
extern const TEnumNames StatusPanelBevelNames, StatusPanelStyleNames;

class TCustomStatusBar;

// One part of a status bar; its changes go to the bar's window at once.
class TStatusPanel : public TCollectionItem {
    QL_CLASS_INFO()
  public:
    explicit TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}
    const std::string& Text() const { return FText; }
    void SetText(const std::string& v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel v);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle v);
    void Assign(const TPersistent* Source) override;

  private:
    std::string FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
    TStatusPanelStyle FStyle = psText;
};

// The panels of a status bar, stored as `Panels = <item Width = 420 end …>`.
class TStatusPanels : public TCollectionOf<TStatusPanel> {
    QL_CLASS_INFO()
  public:
    explicit TStatusPanels(TCustomStatusBar& StatusBar);

  protected:
    void Update(TCollectionItem* Item) override;

  private:
    TCustomStatusBar& FBar;
};

using TDrawPanelEvent = TEvent<TCustomStatusBar*, TStatusPanel*, const RECT&>;

// Aligned to the bottom of its parent. The last panel takes the rest of the width.
class TCustomStatusBar : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomStatusBar(TComponent* AOwner);

    TStatusPanels& Panels() { return FPanels; }
    const TStatusPanels& Panels() const { return FPanels; }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool v);
    const std::string& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& v);
    // A size grip in the corner while the form can be resized.
    bool SizeGrip = true;
    TCanvas& Canvas() { return FCanvas; }
    TDrawPanelEvent OnDrawPanel;

    void UpdatePanels(); // the panels changed: parts, texts and simple mode go to the window
    void UpdatePanel(int i);

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    void DrawPanel(const DRAWITEMSTRUCT& item);

    TStatusPanels FPanels{*this};
    bool FSimplePanel = false;
    std::string FSimpleText;
    TCanvas FCanvas;
};

class TStatusBar : public TCustomStatusBar {
    QL_CLASS_INFO()
  public:
    using TCustomStatusBar::TCustomStatusBar;
};

// ---- The other common controls: a header and a source file per family ---------------------------

#include "ComCtrlsDateTime.h"
#include "ComCtrlsHeader.h"
#include "ComCtrlsListView.h"
#include "ComCtrlsProgressBar.h"
#include "ComCtrlsTabs.h"
#include "ComCtrlsToolBar.h"
#include "ComCtrlsTrackBar.h"
#include "ComCtrlsUpDown.h"

// Makes those classes known to the description reader.
void RegisterCommonControlClasses();
