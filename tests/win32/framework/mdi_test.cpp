// MDI frames and children on real windows: the client window, children made, activated, listed in
// the Window menu, maximized into the frame's menu bar and closed, and keys that reach them.
#include "FrameworkTest.h"
#include "MenuTestForm.h"

#include <gtest/gtest.h>

#include <set>

namespace {
constexpr UINT kFirstChild = 0xFF00;

std::u16string ClassOf(HWND wnd) {
    wchar_t name[64] = {};
    GetClassNameW(wnd, name, 64);
    return reinterpret_cast<const char16_t*>(name);
}

// The entries the client added to the Window menu, after its separator.
std::set<std::u16string> WindowList(TMenuItem* window) {
    std::set<std::u16string> list;
    HMENU menu = window->Handle();
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        UINT id = GetMenuItemID(menu, i);
        wchar_t text[64] = {};
        if (id >= kFirstChild && GetMenuStringW(menu, UINT(i), text, 64, MF_BYPOSITION))
            list.insert(reinterpret_cast<const char16_t*>(text));
    }
    return list;
}

} // namespace

TEST(MDI, FrameHoldsItsClientInTheRoomItsControlsLeave) {
    auto frame = ReadMDIFrame();
    frame->Show();
    HWND client = frame->ClientHandle();
    ASSERT_TRUE(client);
    EXPECT_EQ(ClassOf(client), u"MDIClient");
    EXPECT_EQ(GetParent(client), frame->Handle());
    EXPECT_EQ(frame->MDIFrame(), frame.get());
    EXPECT_EQ(frame->ActiveMDIChild(), nullptr);
    auto check = [&] {
        RECT r;
        GetWindowRect(client, &r);
        MapWindowPoints(nullptr, frame->Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right - r.left, frame->ClientWidth());
        EXPECT_EQ(r.bottom, frame->StatusBar1->Top()); // above the status bar
    };
    check();
    frame->SetBounds(frame->Left(), frame->Top(), 500, 300);
    check();
    EXPECT_EQ(GetMenu(frame->Handle()), frame->FrameMenu->Handle());
}

TEST(MDI, ChildNeedsAFrame) {
    Application->Initialize();
    TOwned<TMDIChild> child(new TMDIChild(nullptr));
    // shown once the description is read, which fails without a frame
    EXPECT_THROW(ReadComponentText(child.get(), "object Child: TMDIChild\n  FormStyle = fsMDIChild\nend\n"),
                 Exception);
    EXPECT_FALSE(child->HandleAllocated());
}

TEST(MDI, ChildrenAreMadeActivatedAndListed) {
    TMDIForms mdi;
    TMDIFrame& frame = *mdi.Frame;
    HWND a = mdi.A->Handle(), b = mdi.B->Handle();
    EXPECT_EQ(GetParent(a), frame.ClientHandle());
    EXPECT_TRUE(GetWindowLongW(a, GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_TRUE(IsWindowVisible(a));
    EXPECT_EQ(mdi.A->MDIFrame(), &frame);
    EXPECT_EQ(frame.MDIChildCount(), 2);
    EXPECT_EQ(frame.MDIChildren(0), mdi.B); // topmost first
    EXPECT_EQ(frame.ActiveMDIChild(), mdi.B);
    EXPECT_EQ(WindowList(frame.Window1), (std::set<std::u16string>{u"&1 Child A", u"&2 Child B"}));
    EXPECT_THROW(mdi.A->Hide(), Exception);

    // the list's entries activate through the frame's WM_COMMAND, which no menu item takes
    PostMessageW(frame.Handle(), WM_COMMAND, kFirstChild, 0);
    Pump();
    EXPECT_EQ(frame.ActiveMDIChild(), mdi.A);
    frame.Next();
    EXPECT_EQ(frame.ActiveMDIChild(), mdi.B);

    // a rebuilt Window menu keeps the list; a new caption shows in it
    auto* arrange = new TMenuItem(&frame);
    arrange->SetCaption("&Arrange");
    frame.Window1->Add(arrange);
    mdi.B->SetCaption("Child B2");
    Pump();
    EXPECT_EQ(GetMenuItemID(frame.Window1->Handle(), 2), arrange->Command());
    EXPECT_EQ(WindowList(frame.Window1), (std::set<std::u16string>{u"&1 Child A", u"&2 Child B2"}));
    EXPECT_EQ(b, mdi.B->Handle());
}

TEST(MDI, ClosingMinimizesOrFreesAChild) {
    TMDIForms mdi;
    mdi.A->CloseAction = caMinimize;
    mdi.A->Close();
    EXPECT_TRUE(IsIconic(mdi.A->Handle()));
    EXPECT_EQ(mdi.A->WindowState(), wsMinimized);
    mdi.B->Close(); // caFree: gone once its handlers have returned
    Pump();
    mdi.B = nullptr;
    EXPECT_EQ(mdi.Frame->MDIChildCount(), 1);
    EXPECT_EQ(WindowList(mdi.Frame->Window1), std::set<std::u16string>{u"&1 Child A"});
}

TEST(MDI, MaximizedChildSharesTheFrameMenuBar) {
    TMDIForms mdi;
    TMDIFrame& frame = *mdi.Frame;
    HMENU bar = frame.FrameMenu->Handle();
    mdi.B->SetWindowState(wsMaximized);
    EXPECT_TRUE(IsZoomed(mdi.B->Handle()));
    EXPECT_EQ(mdi.B->WindowState(), wsMaximized);
    BOOL maximized = FALSE;
    SendMessageW(frame.ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    EXPECT_TRUE(maximized);
    EXPECT_GT(GetMenuItemCount(bar), 2); // the child's system menu and buttons
    EXPECT_NE(GetMenuItemID(bar, 0), frame.File1->Command());
    frame.File1->SetCaption("&Datei"); // still the right item
    wchar_t text[32] = {};
    GetMenuStringW(bar, frame.File1->Command(), text, 32, MF_BYCOMMAND);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"&Datei");
    mdi.B->SetWindowState(wsNormal);
    EXPECT_FALSE(IsZoomed(mdi.B->Handle()));
    EXPECT_EQ(GetMenuItemCount(bar), 2);
}

// Ctrl+F6 (TranslateMDISysAccel) and the frame's shortcuts work from inside a child.
TEST(MDI, KeysFromAChildReachTheFrame) {
    TMDIForms mdi;
    BYTE saved[256], keys[256];
    GetKeyboardState(saved);
    std::copy(saved, saved + 256, keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(mdi.B->Edit1->Handle(), WM_KEYDOWN, VK_F6, 0);
    PostMessageW(mdi.B->Edit1->Handle(), WM_KEYDOWN, 'N', 0);
    Pump();
    SetKeyboardState(saved);
    EXPECT_EQ(mdi.Frame->ActiveMDIChild(), mdi.A);
    EXPECT_EQ(mdi.Frame->NewClicks, 1);
}
