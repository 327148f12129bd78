#include "GalleryUnit.h"

#include "Dialogs.h"
#include "GalleryFiles.h"
#include "GalleryImages.h"
#include "GallerySkins.h"
#include "WinSkinDlg.h"

TGalleryForm* GalleryForm = nullptr;

namespace {

// A page's control with this tag takes the focus when the page shows, to show the focused look.
constexpr int FocusTag = 1;
constexpr int ScrollingLines = 60;
// Posted by a recent-skins item (wParam: its index): the load rebuilds that menu, so it must not
// run inside the item's own click.
constexpr UINT WM_OPENRECENT = WM_APP + 1;

// A path as a menu caption: an ampersand is no accelerator.
std::string MenuText(const std::string& path) {
    std::string text;
    for (char c : path)
        text += c == '&' ? std::string("&&") : std::string(1, c);
    return text;
}

std::string SkinFailure(const std::string& path, const std::string& why) {
    return "The skin file\n" + path + "\ncannot be used:\n" + why + "\n\nThe gallery keeps the skin it had.";
}

TWinControl* FocusControlOf(TWinControl* parent) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (!c) continue;
        if (c->Tag == FocusTag) return c;
        if (TWinControl* inner = FocusControlOf(c)) return inner;
    }
    return nullptr;
}

} // namespace

const TClassInfo& TGalleryForm::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TGalleryForm>("TGalleryForm", TForm::StaticClassInfo()).Build();
    return info;
}

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner) {
    // The skin data of the description starts the skin manager, which skins every window.
    RegisterSkinClasses();
    RegisterSkinManager();
    BindFields();
    BindHandlers();
}

void TGalleryForm::BindFields() {
    Field("PageControl1", PageControl1);
    Field("StatusBar1", StatusBar1);
    Field("ImageList1", ImageList1);
    Field("MenuRecent", MenuRecent);
    Field("MenuPages", MenuPages);
    Field("MenuSkinning", MenuSkinning);
    Field("PopupSkinning", PopupSkinning);
    Field("MemoScroll", MemoScroll);
    Field("ListBoxScroll", ListBoxScroll);
    Field("ListViewScroll", ListViewScroll);
    Field("SkinData1", SkinData1);
}

void TGalleryForm::BindHandlers() {
    Handler("FormCreate", &TGalleryForm::FormCreate);
    Handler("PageControl1Change", &TGalleryForm::PageControl1Change);
    Handler("MenuOpenSkinClick", &TGalleryForm::MenuOpenSkinClick);
    Handler("MenuDefaultSkinClick", &TGalleryForm::MenuDefaultSkinClick);
    Handler("MenuExitClick", &TGalleryForm::MenuExitClick);
    Handler("MenuSkinningClick", &TGalleryForm::MenuSkinningClick);
    Handler("MenuAboutClick", &TGalleryForm::MenuAboutClick);
    Handler("NextPageClick", &TGalleryForm::NextPageClick);
    Handler("PreviousPageClick", &TGalleryForm::PreviousPageClick);
    Handler("ButtonMDIClick", &TGalleryForm::ButtonMDIClick);
    Handler("ButtonShowMessageClick", &TGalleryForm::ButtonShowMessageClick);
    Handler("ButtonMessageDlgClick", &TGalleryForm::ButtonMessageDlgClick);
}

void TGalleryForm::FormCreate(TObject*) {
    LoadGalleryImages(*ImageList1);
    FDefaultSkin.LoadFromStream(SkinData1->ArchiveStream);
    FillScrollingControls();
    BuildPageMenu();
    BuildRecentMenu();
    ShowSkinState("built-in");
}

void TGalleryForm::CreateWnd() {
    TForm::CreateWnd();
    DragAcceptFiles(Handle(), TRUE);
}

void TGalleryForm::WndProc(TMessage& Message) {
    if (Message.Msg == WM_DROPFILES)
        DroppedFiles(reinterpret_cast<HDROP>(Message.WParam));
    else if (Message.Msg == WM_OPENRECENT && Message.WParam < FRecent.Items().size())
        OpenSkin(std::string(FRecent.Items()[Message.WParam]));
    else
        return TForm::WndProc(Message);
    Message.Result = 0;
}

// Enough lines, items and rows that every scrolling control has both its scroll bars to show.
void TGalleryForm::FillScrollingControls() {
    for (int i = 1; i <= ScrollingLines; ++i) {
        std::string n = std::to_string(i);
        MemoScroll->Lines().Add("Line " + n + " of the memo, long enough to scroll sideways (横向滚动)");
        ListBoxScroll->Items().Add("List item " + n);
        TListItem* row = ListViewScroll->Items().Add();
        row->SetCaption("Row " + n);
        row->SubItems().Add("Value " + n);
    }
}

// ---- Menus ----------------------------------------------------------------------------------------

void TGalleryForm::BuildPageMenu() {
    MenuPages->Clear();
    for (int i = 0; i < PageControl1->PageCount(); ++i) {
        auto* item = new TMenuItem(this);
        item->SetCaption(PageControl1->Pages(i)->Caption());
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        item->Tag = i;
        item->OnClick.Bind(this, &TGalleryForm::PageMenuClick);
        MenuPages->Add(item);
    }
    PageShown();
}

void TGalleryForm::BuildRecentMenu() {
    MenuRecent->Clear();
    const std::vector<std::string>& files = FRecent.Items();
    for (size_t i = 0; i < files.size(); ++i) {
        auto* item = new TMenuItem(this);
        item->SetCaption("&" + std::to_string(i + 1) + " " + MenuText(files[i]));
        item->Tag = int(i);
        item->OnClick.Bind(this, &TGalleryForm::RecentClick);
        MenuRecent->Add(item);
    }
    if (!files.empty()) return;
    auto* none = new TMenuItem(this);
    none->SetCaption("(none)");
    none->SetEnabled(false);
    MenuRecent->Add(none);
}

void TGalleryForm::UseRecentFile(const std::string& file) {
    FRecentFile = file;
    FRecent.LoadFromFile(file);
    BuildRecentMenu();
}

void TGalleryForm::RecentChanged() {
    if (!FRecentFile.empty()) FRecent.SaveToFile(FRecentFile);
    BuildRecentMenu();
}

// ---- The skin switch --------------------------------------------------------------------------------

bool TGalleryForm::OpenSkin(const std::string& path) {
    std::string why = LoadSkinFile(*SkinData1, path);
    if (why.empty()) {
        FRecent.Add(path);
        RecentChanged();
        ShowSkinState(path);
        return true;
    }
    // A recent file that no longer loads leaves the list.
    const size_t listed = FRecent.Items().size();
    FRecent.Remove(path);
    if (FRecent.Items().size() != listed) RecentChanged();
    MessageDlg(SkinFailure(path, why), mtError, 1u << mbOK);
    return false;
}

void TGalleryForm::UseDefaultSkin() {
    LoadSkinBytes(*SkinData1, FDefaultSkin);
    ShowSkinState("built-in");
}

void TGalleryForm::SetSkinning(bool on) {
    SkinData1->SetActive(on);
    MenuSkinning->SetChecked(Skinning());
    PopupSkinning->SetChecked(Skinning());
    StatusBar1->Panels()[1]->SetText(Skinning() ? "Skinned" : "Plain");
}

void TGalleryForm::ShowSkinState(const std::string& source) {
    StatusBar1->Panels()[0]->SetText("Skin: " + SkinData1->SkinName + "  (" + source + ")");
}

void TGalleryForm::DroppedFiles(HDROP drop) {
    std::vector<std::string> files = TakeDroppedFiles(drop);
    if (!files.empty()) OpenSkin(files.front());
}

// ---- Pages ------------------------------------------------------------------------------------------

void TGalleryForm::ShowPage(int index) {
    PageControl1->SetActivePageIndex(index);
    PageShown();
}

void TGalleryForm::PageShown() {
    int active = PageControl1->ActivePageIndex();
    for (int i = 0; i < MenuPages->Count(); ++i)
        MenuPages->Items(i)->SetChecked(i == active);
    TTabSheet* page = PageControl1->ActivePage();
    TWinControl* focus = page ? FocusControlOf(page) : nullptr;
    if (focus && focus->CanFocus()) focus->SetFocus();
}

void TGalleryForm::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMdiFrame) FMdiFrame = nullptr;
}

// ---- Handlers ---------------------------------------------------------------------------------------

void TGalleryForm::PageControl1Change(TObject*) {
    PageShown();
}

void TGalleryForm::MenuOpenSkinClick(TObject*) {
    std::string path = AskSkinFile(Handle());
    if (!path.empty()) OpenSkin(path);
}

void TGalleryForm::MenuDefaultSkinClick(TObject*) {
    UseDefaultSkin();
}

void TGalleryForm::MenuExitClick(TObject*) {
    Close();
}

void TGalleryForm::MenuSkinningClick(TObject*) {
    SetSkinning(!Skinning());
}

void TGalleryForm::MenuAboutClick(TObject*) {
    ShowMessage("QUARLINK Skin Gallery: every control family the skin engine draws, in each state.\n"
                "Open any skin archive (*.skn) from the File menu, or drop one on the window.\n\nSkin: " +
                SkinData1->SkinName);
}

void TGalleryForm::RecentClick(TObject* Sender) {
    PostMessageW(Handle(), WM_OPENRECENT, WPARAM(static_cast<TMenuItem*>(Sender)->Tag), 0);
}

void TGalleryForm::PageMenuClick(TObject* Sender) {
    ShowPage(static_cast<TMenuItem*>(Sender)->Tag);
}

void TGalleryForm::NextPageClick(TObject*) {
    ShowPage((PageControl1->ActivePageIndex() + 1) % PageControl1->PageCount());
}

void TGalleryForm::PreviousPageClick(TObject*) {
    int count = PageControl1->PageCount();
    ShowPage((PageControl1->ActivePageIndex() + count - 1) % count);
}

void TGalleryForm::ButtonMDIClick(TObject*) {
    if (!FMdiFrame) {
        FMdiFrame = OpenGalleryMdiFrame(this);
        FMdiFrame->FreeNotification(this);
    }
    FMdiFrame->Show();
    SetForegroundWindow(FMdiFrame->Handle());
}

void TGalleryForm::ButtonShowMessageClick(TObject*) {
    ShowMessage("A message box, skinned like every window of the gallery.\n消息框");
}

void TGalleryForm::ButtonMessageDlgClick(TObject*) {
    TModalResult answer =
        MessageDlg("Keep this skin?", mtConfirmation, 1u << mbYes | 1u << mbNo | 1u << mbCancel);
    const char* text = answer == mrYes ? "Yes" : answer == mrNo ? "No" : "Cancel";
    StatusBar1->Panels()[1]->SetText(std::string("Answered: ") + text);
}
