// The header control: a row of column titles the user can click and resize, over the common
// controls' header.
#pragma once

#include "ComCtrlsItems.h"
#include "ImgList.h"

#include <memory>

class THeaderSection : public TTitledItem {
    QL_CLASS_INFO()
  public:
    using TTitledItem::TTitledItem;
    // An image of the control's Images beside the text; -1 for none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { Change(FImageIndex, v); }
    void Assign(const TPersistent* Source) override;

  private:
    friend class THeaderControl;
    int FImageIndex = -1;
};
class THeaderControl;

// The sections of a header control, stored as `Sections = <item Text = 'Name' end …>`.
class THeaderSections : public TCollectionOf<THeaderSection> {
    QL_CLASS_INFO()
  public:
    explicit THeaderSections(THeaderControl& Header);

  protected:
    void Update(TCollectionItem* Item) override;

  private:
    THeaderControl& FHeader;
};

class TImagesLink;
using TSectionNotifyEvent = TEvent<TObject*, THeaderSection*>;

// Aligned to the top of its parent. OnSectionClick runs when the user clicks a section,
// OnSectionResize when the user has dragged a section's edge.
class THeaderControl : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit THeaderControl(TComponent* AOwner);
    ~THeaderControl() override;

    THeaderSections& Sections() { return FSections; }
    TImageList* Images() const;
    void SetImages(TImageList* v);
    // The section under the mouse is lit.
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool v);

    TSectionNotifyEvent OnSectionClick, OnSectionResize;
    void Notification(TComponent* AComponent, TOperation Operation) override;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    friend class THeaderSections;
    void SectionsChanged(TCollectionItem* section);
    void WriteSection(int i, UINT msg);
    void WriteAllSections();
    void Notified(TMessage& Message);

    THeaderSections FSections{*this};
    std::unique_ptr<TImagesLink> FImages;
    bool FHotTrack = false;
};
