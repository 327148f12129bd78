// Tab controls over the common controls' tab control: a row of tabs (TTabControl), and pages shown
// one at a time under their tabs (TPageControl holding TTabSheet controls).
#pragma once

#include "Controls.h"
#include "ImgList.h"

#include <memory>

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
extern const TEnumNames TabPositionNames, TabStyleNames;

using TTabChangingEvent = TEvent<TObject*, bool&>;

class TImagesLink;

// What both kinds share. The user's choice of a tab (click, arrow keys, Ctrl+Tab inside the
// control) first asks OnChanging, which may refuse it, then runs OnChange; the program's does not.
class TCustomTabControl : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomTabControl(TComponent* AOwner);
    ~TCustomTabControl() override;

    // Tabs on the left or right always stand in several rows.
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition v);
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle v);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool v);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool v);
    TImageList* Images() const;
    void SetImages(TImageList* v);

    // The selected tab; -1 for none.
    int TabIndex() const;
    int TabCount() const { return FTabs.Count(); }
    // The area below the tabs, in client coordinates.
    RECT DisplayRect() const;
    // The tab at a client point; -1 for none.
    int IndexOfTabAt(int x, int y) const;
    // Selects the next (or previous) tab, round the end, as the user would.
    void SelectNextTab(bool forward);

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;
    void Notification(TComponent* AComponent, TOperation Operation) override;

  protected:
    void SetTabIndex(int v);
    // The tabs' texts, each with its object; WriteTabs hands them to the window.
    TStringList FTabs;
    void WriteTabs(int selected);
    virtual int TabImageIndex(int) const { return -1; }
    virtual bool CanChange();
    virtual void Change();

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    void Notified(TMessage& Message);
    bool DialogKey(TMessage& Message);

    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    bool FMultiLine = false, FHotTrack = false;
    int FTabIndex = -1; // while there is no window
    std::unique_ptr<TImagesLink> FImages;
};

// Tabs from a string list; the control itself shows no pages.
class TTabControl : public TCustomTabControl {
    QL_CLASS_INFO()
  public:
    explicit TTabControl(TComponent* AOwner);
    TStrings& Tabs() { return FTabs; }
    using TCustomTabControl::SetTabIndex;

  private:
    void TabsChanged(TObject*);
};

class TTabSheet;

// One tab per page whose tab is visible; the active page fills the area below the tabs and the
// others are hidden. A page control that has pages always has an active one.
class TPageControl : public TCustomTabControl {
    QL_CLASS_INFO()
  public:
    explicit TPageControl(TComponent* AOwner);

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int i) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page); // a page of this control, or null
    int ActivePageIndex() const;
    void SetActivePageIndex(int i);

  protected:
    int TabImageIndex(int i) const override;
    void Change() override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    // The tabs follow the pages. When `leaving` is the active page, the page whose tab takes its
    // place becomes active.
    void UpdateTabs(const TTabSheet* leaving = nullptr);
    int TabOf(const TTabSheet* page) const;
    void PlacePages();

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

// A page of a page control: a container for controls, made a page by being given the page control
// as its parent.
class TTabSheet : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    void BeforeDestruction() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* v) { SetParent(v); }
    void SetParent(TWinControl* AParent) override;
    // The place among the pages; -1 outside a page control.
    int PageIndex() const;
    void SetPageIndex(int v);
    // Its tab's place among the tabs; -1 while the tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);

  protected:
    void WndProc(TMessage& Message) override;

  private:
    void LeavePageControl();
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};
