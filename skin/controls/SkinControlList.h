// What a form skinner keeps for the controls of its window: the attached control skinners, the
// scratch canvases they draw with, the skinner under the mouse, and the walks that attach skinners
// to a form's controls or to a window's bare child windows.
#pragma once

#include "Controls.h"

#include <vector>

class TSkinControl;
class TSkinData;

class TSkinControlList : public TComponent {
  public:
    // Owner: the form skinner (or null). Skinners of bare windows are owned by the list.
    TSkinControlList(TComponent* AOwner, TSkinData* ASkinData);
    ~TSkinControlList() override; // frees every skinner (DeleteControls)

    // Lists the skinner; true when it was listed already (then nothing changes).
    bool AddControlList(TSkinControl* Skinner);
    // Unlists without freeing.
    void DeleteControl(TSkinControl* Skinner);
    // Un-skins every skinner whose window still exists and frees them all.
    void DeleteControls();
    // Frees the skinners whose window was destroyed.
    void DeleteSkinDeleted();
    // A new skin for every skinner.
    void SkinChange();

    int Count() const { return static_cast<int>(FControls.size()); }
    TSkinControl* Items(int i) const { return FControls.at(static_cast<size_t>(i)); }
    TSkinControl* FindSkinner(const TControl* Control) const;
    TSkinControl* FindSkinner(HWND Wnd) const;

    // Attaches skinners to the form's controls by framework class (the selection chain).
    void InitControls(TWinControl* AForm);
    // Attaches skinners to the child windows of Parent by window class.
    void InitHwndControls(HWND Parent);

    TSkinData* SkinData = nullptr;
    TCanvas ControlCanvas, ScrollCanvas;
    // The skinner the mouse is over: set by skinners, cleared by the form when the hover ends.
    TSkinControl* HoverControl = nullptr;

  private:
    void FreeSkinner(TSkinControl* Skinner);

    std::vector<TSkinControl*> FControls;
};
