#include "GalleryMdi.h"

namespace {
constexpr int FirstChildren = 2;
}

const TClassInfo& TGalleryMdiChild::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TGalleryMdiChild>("TGalleryMdiChild", TForm::StaticClassInfo()).Build();
    return info;
}

TGalleryMdiChild::TGalleryMdiChild(TComponent* AOwner) : TForm(AOwner) {
    Handler("FormClose", &TGalleryMdiChild::FormClose);
}

// A closed child goes instead of being minimized.
void TGalleryMdiChild::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
}

const TClassInfo& TGalleryMdiFrame::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TGalleryMdiFrame>("TGalleryMdiFrame", TForm::StaticClassInfo()).Build();
    return info;
}

TGalleryMdiFrame::TGalleryMdiFrame(TComponent* AOwner) : TForm(AOwner) {
    Handler("MdiNewClick", &TGalleryMdiFrame::MdiNewClick);
    Handler("MdiCloseClick", &TGalleryMdiFrame::MdiCloseClick);
    Handler("MdiCascadeClick", &TGalleryMdiFrame::MdiCascadeClick);
    Handler("MdiTileClick", &TGalleryMdiFrame::MdiTileClick);
    Handler("FormClose", &TGalleryMdiFrame::FormClose);
}

TGalleryMdiChild* TGalleryMdiFrame::NewChild() {
    auto* child = new TGalleryMdiChild(this);
    try {
        child->ReadDescriptionResource();
    } catch (...) {
        child->Free();
        throw;
    }
    child->SetCaption("Child " + std::to_string(++FChildrenMade) + " (子窗口)");
    return child;
}

void TGalleryMdiFrame::MdiNewClick(TObject*) {
    NewChild();
}

void TGalleryMdiFrame::MdiCloseClick(TObject*) {
    Close();
}

void TGalleryMdiFrame::MdiCascadeClick(TObject*) {
    Cascade();
}

void TGalleryMdiFrame::MdiTileClick(TObject*) {
    Tile();
}

// The frame and its children go with the window; the gallery makes a new one when asked.
void TGalleryMdiFrame::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
}

TGalleryMdiFrame* OpenGalleryMdiFrame(TComponent* AOwner) {
    auto* frame = new TGalleryMdiFrame(AOwner);
    try {
        frame->ReadDescriptionResource();
        frame->Show();
        for (int i = 0; i < FirstChildren; ++i)
            frame->NewChild();
        frame->Cascade();
    } catch (...) {
        frame->Free();
        throw;
    }
    return frame;
}
