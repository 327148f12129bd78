// The gallery's MDI window: a frame with a File and a Window menu holding a few children, each a
// small form of ordinary controls.
#pragma once

#include "Forms.h"
#include "Menus.h"

class TGalleryMdiChild : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TGalleryMdiChild(TComponent* AOwner);
    void FormClose(TObject* Sender, TCloseAction& Action);
};

class TGalleryMdiFrame : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TGalleryMdiFrame(TComponent* AOwner);

    // A new child, numbered after the children made so far.
    TGalleryMdiChild* NewChild();

    void MdiNewClick(TObject* Sender);
    void MdiCloseClick(TObject* Sender);
    void MdiCascadeClick(TObject* Sender);
    void MdiTileClick(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

  private:
    int FChildrenMade = 0;
};

// A frame from its description, shown with two children.
TGalleryMdiFrame* OpenGalleryMdiFrame(TComponent* AOwner);
