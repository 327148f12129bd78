// THeaderControl: the common controls' header, its items written from the section list; the user's
// clicks and drags come back reflected.
#include "ComCtrls.h"

#include "ComCtrlsCommon.h"
#include "ControlsPublish.h"

const TClassInfo& THeaderSection::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<THeaderSection>("THeaderSection", TCollectionItem::StaticClassInfo())
            .Enum("Alignment", AlignmentNames, &THeaderSection::Alignment, &THeaderSection::SetAlignment)
            .Int("ImageIndex", &THeaderSection::ImageIndex, &THeaderSection::SetImageIndex)
            .Str("Text", &THeaderSection::Text, &THeaderSection::SetText)
            .Int("Width", &THeaderSection::Width, &THeaderSection::SetWidth)
            .Build();
    return info;
}

void THeaderSection::Assign(const TPersistent* Source) {
    if (auto* section = dynamic_cast<const THeaderSection*>(Source)) FImageIndex = section->FImageIndex;
    TTitledItem::Assign(Source);
}

const TClassInfo& THeaderSections::StaticClassInfo() {
    static const TClassInfo info{"THeaderSections", &TCollection::StaticClassInfo(), {}, {}};
    return info;
}

THeaderSections::THeaderSections(THeaderControl& Header)
    : TCollectionOf(CollectionItemClass<THeaderSection>(), &Header), FHeader(Header) {}

void THeaderSections::Update(TCollectionItem* Item) {
    FHeader.SectionsChanged(Item);
}

const TClassInfo& THeaderControl::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<THeaderControl> b("THeaderControl", TWinControl::StaticClassInfo());
        b.Creatable()
            .Bool("HotTrack", &THeaderControl::HotTrack, &THeaderControl::SetHotTrack)
            .Obj<TImageList>("Images", &THeaderControl::Images, &THeaderControl::SetImages)
            .Obj<THeaderSections>(
                "Sections",
                [](const THeaderControl& h) { return &const_cast<THeaderControl&>(h).Sections(); })
            .Event("OnSectionClick", &THeaderControl::OnSectionClick)
            .Event("OnSectionResize", &THeaderControl::OnSectionResize);
        PublishTabs(PublishLook(b));
        return b.Build();
    }();
    return info;
}

THeaderControl::THeaderControl(TComponent* AOwner)
    : TWinControl(AOwner), FImages(std::make_unique<TImagesLink>(*this, [this] {
          if (HandleAllocated()) Perform(HDM_SETIMAGELIST, 0, FImages->LParam());
      })) {
    StoreBounds({0, 0, 250, 17});
    SetAlign(alTop);
    SetColor(clBtnFace);
    SetParentColor(true);
}

THeaderControl::~THeaderControl() = default;

TImageList* THeaderControl::Images() const {
    return FImages->Get();
}

void THeaderControl::SetImages(TImageList* v) {
    FImages->Set(v);
}

void THeaderControl::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    FImages->Notification(AComponent, Operation);
}

void THeaderControl::SetHotTrack(bool v) {
    SetStyleField(*this, FHotTrack, v);
}

void THeaderControl::WriteSection(int i, UINT msg) {
    static const int formats[] = {HDF_LEFT, HDF_RIGHT, HDF_CENTER};
    const THeaderSection& section = *FSections[i];
    std::u16string text = Utf8ToUtf16(section.Text());
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_IMAGE;
    item.cxy = section.Width();
    item.pszText = reinterpret_cast<wchar_t*>(text.data());
    item.fmt = HDF_STRING | formats[section.Alignment()] | (section.ImageIndex() >= 0 ? HDF_IMAGE : 0);
    item.iImage = section.ImageIndex();
    Perform(msg, WPARAM(i), reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::WriteAllSections() {
    while (Perform(HDM_DELETEITEM, 0)) {
    }
    for (int i = 0; i < FSections.Count(); ++i)
        WriteSection(i, HDM_INSERTITEMW);
}

void THeaderControl::SectionsChanged(TCollectionItem* section) {
    if (!HandleAllocated()) return;
    if (section) return WriteSection(section->Index(), HDM_SETITEMW);
    WriteAllSections();
}

void THeaderControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    NeedCommonControls(ICC_LISTVIEW_CLASSES);
    CreateSubClass(Params, WC_HEADERW);
    Params.Style |= HDS_BUTTONS | HDS_HORZ | (FHotTrack ? HDS_HOTTRACK : 0);
}

void THeaderControl::CreateWnd() {
    TWinControl::CreateWnd();
    Perform(HDM_SETIMAGELIST, 0, FImages->LParam());
    WriteAllSections();
}

// The end of a drag carries the new width; the window takes it right after.
void THeaderControl::Notified(TMessage& Message) {
    UINT code = reinterpret_cast<const NMHDR*>(Message.LParam)->code;
    if (code != HDN_ITEMCLICKW && code != HDN_ENDTRACKW) return;
    auto* n = reinterpret_cast<const NMHEADERW*>(Message.LParam);
    if (n->iItem < 0 || n->iItem >= FSections.Count()) return;
    THeaderSection* section = FSections[n->iItem];
    if (code == HDN_ITEMCLICKW) return OnSectionClick(this, section);
    if (n->pitem && (n->pitem->mask & HDI_WIDTH)) section->TakeWidth(n->pitem->cxy);
    OnSectionResize(this, section);
}

void THeaderControl::WndProc(TMessage& Message) {
    if (Message.Msg == CN_NOTIFY) return Notified(Message);
    TWinControl::WndProc(Message);
}
