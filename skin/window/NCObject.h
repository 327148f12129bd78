// A clickable rectangle in a skinned window's frame, and the caption button, its skin-defined kind.
// At most one object of a window is hot or pressed at a time: the form's HotObject.
#pragma once

#include "WinSkinData.h"

#include <windows.h>

class TWinSkinForm;

class TNCObject {
  public:
    explicit TNCObject(TWinSkinForm& form) : Form(form) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Draw() {}

    TWinSkinForm& Form;
    RECT BoundsRect{}; // window coordinates
    bool Visible = false;
    int State = 1; // 1 normal, 2 pressed, 3 hot

  private:
    void BecomeHot(int state);
};

class TWinSysButton : public TNCObject {
  public:
    TWinSysButton(TWinSkinForm& form, TDataSkinSysButton& def) : TNCObject(form), Def(def) {}
    void Draw() override;

    TDataSkinSysButton& Def; // owned by the skin
};
