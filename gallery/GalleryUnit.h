// The skin gallery's window: a page per control family in every state, menus with images, an MDI
// window and message boxes to open, and a skin switch (open file, recent skins, dropped files,
// the built-in skin, skinning off).
#pragma once

#include "ComCtrls.h"
#include "Forms.h"
#include "GalleryMdi.h"
#include "RecentSkins.h"
#include "StdCtrls.h"
#include "WinSkinData.h"

#include <shellapi.h>

class TGalleryForm : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TGalleryForm(TComponent* AOwner);

    TPageControl* PageControl1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TMenuItem *MenuRecent = nullptr, *MenuPages = nullptr, *MenuSkinning = nullptr, *PopupSkinning = nullptr;
    TMemo* MemoScroll = nullptr;
    TListBox* ListBoxScroll = nullptr;
    TListView* ListViewScroll = nullptr;
    TSkinData* SkinData1 = nullptr;

    // The recent-skins list lives in that file from now on (read at once, written on each change).
    void UseRecentFile(const std::string& file);
    const TRecentSkins& Recent() const { return FRecent; }
    // Switches to the skin file; a file that cannot be used is named in an error box with the
    // reason, and the skin stays. True when the skin changed.
    bool OpenSkin(const std::string& path);
    void UseDefaultSkin();
    bool Skinning() const { return SkinData1->Active(); }
    void SetSkinning(bool on);
    // Shows the page as a click on its tab would.
    void ShowPage(int index);
    TGalleryMdiFrame* MdiFrame() const { return FMdiFrame; }

    void FormCreate(TObject* Sender);
    void PageControl1Change(TObject* Sender);
    void MenuOpenSkinClick(TObject* Sender);
    void MenuDefaultSkinClick(TObject* Sender);
    void MenuExitClick(TObject* Sender);
    void MenuSkinningClick(TObject* Sender);
    void MenuAboutClick(TObject* Sender);
    void RecentClick(TObject* Sender);
    void PageMenuClick(TObject* Sender);
    void NextPageClick(TObject* Sender);
    void PreviousPageClick(TObject* Sender);
    void ButtonMDIClick(TObject* Sender);
    void ButtonShowMessageClick(TObject* Sender);
    void ButtonMessageDlgClick(TObject* Sender);
    void Notification(TComponent* AComponent, TOperation Operation) override;

  protected:
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    void BindFields();
    void BindHandlers();
    void FillScrollingControls();
    void BuildPageMenu();
    void BuildRecentMenu();
    void RecentChanged(); // saved and shown
    void PageShown();
    void ShowSkinState(const std::string& source);
    void DroppedFiles(HDROP drop);

    TRecentSkins FRecent;
    std::string FRecentFile;
    TMemoryStream FDefaultSkin; // the built-in skin, as the description carried it
    TGalleryMdiFrame* FMdiFrame = nullptr;
};

extern TGalleryForm* GalleryForm;
