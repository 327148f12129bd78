// The skin manager's part in MDI: the one skinned frame, its client, and whether one of its
// children is maximized (the children then show the system's caption, the frame their buttons).
#include "WinSkinDlg.h"

void TSkinManage::MDIFrameFound(TWinSkinForm& frame, HWND client) {
    MDIFrameForm = &frame;
    MDIClientWindow = client;
}

void TSkinManage::ForgetMDIFrame(const TWinSkinForm* form) {
    if (!form || form != MDIFrameForm) return;
    MDIFrameForm = nullptr;
    MDIClientWindow = nullptr;
    FMDIMaximized = false;
}

void TSkinManage::MDIChildCreated(HWND child) {
    AddForm(child);
}

void TSkinManage::SetMDIMax(bool maximized) {
    if (maximized == FMDIMaximized) return;
    FMDIMaximized = maximized;
    if (MainSkinData && MainSkinData->Options.Contains(xoMDIChildBorder)) return;
    // A child's look may end in its skinner being freed: walk a copy.
    std::vector<TWinSkinForm*> forms = Forms;
    for (TWinSkinForm* f : forms)
        if (f->FormStyle == sfsMDIChild) f->MDIMaxChanged(maximized);
}
