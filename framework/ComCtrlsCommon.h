// What the common-control wrappers share: loading the control classes, reading a window from const
// getters, and a control's reference to an image list. Used by the ComCtrls*.cpp files only.
#pragma once

#include "Controls.h"
#include "ImgList.h"

#include <commctrl.h>

#include <functional>

// Registers the window classes of `icc` (ICC_* bits); the system does it once per process.
inline void NeedCommonControls(DWORD icc) {
    INITCOMMONCONTROLSEX init{sizeof(init), icc};
    InitCommonControlsEx(&init);
}

// A message to the control's window from a const getter: reading the window changes nothing.
inline LRESULT SendTo(const TWinControl& c, UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return const_cast<TWinControl&>(c).Perform(msg, w, l);
}

// A control's image list, which it does not own: forgotten when the list goes. `changed` runs when
// the list is set or forgotten, so that the control hands the new handle to its window; the holder
// passes its Notification on.
class TImagesLink {
  public:
    TImagesLink(TComponent& holder, std::function<void()> changed)
        : FHolder(holder), FChanged(std::move(changed)) {}
    TImageList* Get() const { return FImages; }
    void Set(TImageList* v) {
        if (v == FImages) return;
        if (FImages) FImages->RemoveFreeNotification(&FHolder);
        FImages = v;
        if (v) v->FreeNotification(&FHolder);
        FChanged();
    }
    void Notification(TComponent* c, TOperation op) {
        if (op != opRemove || c != FImages) return;
        FImages = nullptr;
        FChanged();
    }
    HIMAGELIST Handle() const { return FImages ? FImages->Handle() : nullptr; }
    LPARAM LParam() const { return reinterpret_cast<LPARAM>(Handle()); }

  private:
    TComponent& FHolder;
    std::function<void()> FChanged;
    TImageList* FImages = nullptr;
};

// Sets a field the window's style is made from: a new window shows it.
template <class V> void SetStyleField(TWinControl& control, V& field, V v) {
    if (field == v) return;
    field = v;
    control.RecreateWnd();
}
