// The status bar and its panels, over the common controls' status window.
#pragma once

#include "Controls.h"

#include <memory>

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };
extern const TEnumNames StatusPanelBevelNames, StatusPanelStyleNames;

class TCustomStatusBar;

class TStatusPanel : public TPersistent {
    QL_CLASS_INFO()
  public:
    explicit TStatusPanel(TCustomStatusBar& bar) : FBar(bar) {}
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
    int Index() const;

  private:
    void Changed();

    TCustomStatusBar& FBar;
    std::string FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
    TStatusPanelStyle FStyle = psText;
};

class TStatusPanels {
  public:
    explicit TStatusPanels(TCustomStatusBar& bar) : FBar(bar) {}
    int Count() const { return static_cast<int>(FItems.size()); }
    TStatusPanel* Items(int i) const;
    TStatusPanel* operator[](int i) const { return Items(i); }
    TStatusPanel* Add();
    void Delete(int i);
    void Clear();
    int IndexOf(const TStatusPanel* p) const;

  private:
    TCustomStatusBar& FBar;
    std::vector<std::unique_ptr<TStatusPanel>> FItems;
};

using TDrawPanelEvent = TEvent<TCustomStatusBar*, TStatusPanel*, const RECT&>;

// Aligned to the bottom of its parent. The last panel takes the rest of the width.
class TCustomStatusBar : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomStatusBar(TComponent* AOwner);

    TStatusPanels& Panels() { return FPanels; }
    const TStatusPanels& Panels() const { return FPanels; }
    // The panels as a description states them: one line per panel, each a comma-separated list
    // of the panel's properties, for example
    //   PanelDefs.Strings = ('Width=420' 'Width=50,Alignment=taCenter,Bevel=pbRaised')
    // Setting the lines replaces the panels; a Text given here cannot hold a comma.
    TStrings& PanelDefs() { return FPanelDefs; }
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
    void PanelDefsChanged(TObject*);
    void DrawPanel(const DRAWITEMSTRUCT& item);

    TStatusPanels FPanels{*this};
    TStringList FPanelDefs;
    bool FSimplePanel = false, FApplyingDefs = false;
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
