// The header control: a row of column titles the user can click and resize, over the common
// controls' header.
#pragma once

#include "ComCtrlsItems.h"
#include "ImgList.h"

#include <memory>

class THeaderSection : public TTitledItem<THeaderSection> {
    QL_CLASS_INFO()
  public:
    using TTitledItem::TTitledItem;
    // An image of the control's Images beside the text; -1 for none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { Change(FImageIndex, v); }

  private:
    friend class THeaderControl;
    int FImageIndex = -1;
};
using THeaderSections = TItemList<THeaderSection>;

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
    // The description's form of the sections (ItemList.h).
    TStrings& SectionDefs() { return FSectionDefs; }
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
    void SectionsChanged(TItemChange change, int i);
    void WriteSection(int i, UINT msg);
    void Notified(TMessage& Message);

    THeaderSections FSections;
    TItemLines<THeaderSection> FSectionDefs{FSections};
    std::unique_ptr<TImagesLink> FImages;
    bool FHotTrack = false;
};
