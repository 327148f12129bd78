// The process's GDI and USER objects (windows and menus) around menus and MDI children made, used
// and destroyed 500 times. A program of its own: the rounds take most of a test program's time.
#include "FrameworkTest.h"
#include "MenuTestForm.h"

#include <gtest/gtest.h>

TEST(Resources, MenusAndMDIChildrenGiveTheirHandlesBack) {
    auto cycle = [] {
        auto form = ReadMenuForm();
        form->HandleNeeded();
        form->PopupMenu1->SetOwnerDraw(true);
        TBitmap bmp;
        bmp.SetSize(100, 20);
        form->Cut1->DrawDefault(bmp.Canvas(), {0, 0, 100, 20}, ODS_SELECTED);
        {
            TMenuAnswer answer({{VK_ESCAPE}});
            form->PopupMenu1->Popup(100, 100); // makes its owner window
        }
        TMDIForms mdi(false);
        mdi.A->SetWindowState(wsMaximized); // the frame's bar gets the child's buttons and icon
        mdi.B->Close();
        Pump();
        mdi.B = nullptr;
    };
    ExpectNoLeaks(cycle);
}
