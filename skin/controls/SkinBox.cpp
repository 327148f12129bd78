// Panels and dialogs in the skin's background colour.
#include "SkinBox.h"

#include "SkinControlList.h"

void TSkinBox::Init(TSkinControlList* AForm, TSkinData* ASkinData, TCanvas* ACanvas, bool AParentBK) {
    if (!Adopt(AForm, ASkinData, ACanvas, AParentBK)) return;
    Enlist();
    Initialized = true;
    Status = ssAttached;
}

void TSkinBox::Unsubclass() {
    if (Status != ssLeftAlone) TSkinControl::Unsubclass();
    Status = ssDetached;
}

bool TSkinBoxH::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND: { // the whole background is the face colour: erased
        RECT r;
        GetClientRect(Handle, &r);
        FillBG(reinterpret_cast<HDC>(Message.WParam), r);
        Message.Result = 1;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        Default(Message);
        if (SkinData && SkinData->FaceBrush)
            Message.Result = reinterpret_cast<LRESULT>(HBRUSH(SkinData->FaceBrush));
        return false;
    }
    return TSkinControl::BeforeProc(Message);
}
