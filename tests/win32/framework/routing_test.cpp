// Routing between a parent and its child controls: unique control IDs, notifications reflected to
// the child they are about (WM_MEASUREITEM by control ID), and the skin engine's end-of-skinning
// notice, which shares its number with a reflected WM_NOTIFY.
#include "FrameworkTest.h"
#include "TestForm.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {
// An owner-drawn list box whose items are 23 pixels high; it reads every header it is notified with.
class TOwnerDrawList : public TWinControl {
    QL_CLASS_INFO()
  public:
    using TWinControl::TWinControl;
    std::vector<UINT> Seen; // CN_* messages, CM_SKINNINGDONE, and the codes of the headers read

  protected:
    void CreateParams(TCreateParams& Params) override {
        TWinControl::CreateParams(Params);
        CreateSubClass(Params, L"LISTBOX");
        Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    }
    void WndProc(TMessage& Message) override {
        if (Message.Msg >= CN_BASE && Message.Msg < CN_BASE + WM_USER) Seen.push_back(Message.Msg);
        switch (Message.Msg) {
        case CN_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)->itemHeight = 23;
            Message.Result = TRUE;
            return;
        case CN_NOTIFY:
            Seen.push_back(reinterpret_cast<const NMHDR*>(Message.LParam)->code);
            return;
        case CM_SKINNINGDONE:
            Seen.push_back(CM_SKINNINGDONE);
            return;
        }
        TWinControl::WndProc(Message);
    }
};

const TClassInfo& TOwnerDrawList::StaticClassInfo() {
    static const TClassInfo info{"TOwnerDrawList", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> out;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        out.push_back(w);
    return out;
}

// Every child window of parent has an ID of its own that finds it.
void ExpectUniqueIds(HWND parent) {
    std::set<int> ids;
    for (HWND w : Children(parent)) {
        int id = GetDlgCtrlID(w);
        EXPECT_GE(id, 100);
        EXPECT_TRUE(ids.insert(id).second) << "control ID " << id << " twice";
        EXPECT_EQ(GetDlgItem(parent, id), w);
    }
}

struct TListForm {
    TOwned<TTestForm> Form = ReadTestForm();
    TOwnerDrawList* List = new TOwnerDrawList(Form.get());
    TListForm() {
        Form->Show();
        List->SetBounds(320, 60, 90, 60);
        List->SetParent(Form.get());
    }
};
} // namespace

TEST(Routing, ChildrenGetUniqueControlIds) {
    TListForm f;
    ExpectUniqueIds(f.Form->Handle());
    ExpectUniqueIds(f.Form->GroupBox1->Handle());
    int before = GetDlgCtrlID(f.Form->Edit1->Handle());
    f.Form->ComboBox1->RecreateWnd(); // a new window takes an ID its siblings do not have
    ExpectUniqueIds(f.Form->GroupBox1->Handle());
    EXPECT_EQ(GetDlgCtrlID(f.Form->Edit1->Handle()), before);
}

TEST(Routing, MeasureItemIsReflectedByControlIdButNotForMenus) {
    TListForm f;
    EXPECT_EQ(SendMessageW(f.List->Handle(), LB_GETITEMHEIGHT, 0, 0), 23); // asked while it was made
    f.List->Seen.clear();
    MEASUREITEMSTRUCT menu{ODT_MENU, UINT(GetDlgCtrlID(f.List->Handle())), 1, 0, 5, 0};
    SendMessageW(f.Form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&menu));
    EXPECT_EQ(menu.itemHeight, 5u);
    EXPECT_TRUE(f.List->Seen.empty());
}

TEST(Routing, EveryNotificationReachesTheChildItIsAbout) {
    TListForm f;
    HWND list = f.List->Handle();
    auto child = reinterpret_cast<LPARAM>(list);
    UINT id = UINT(GetDlgCtrlID(list));
    NMHDR header{list, id, UINT(NM_CLICK)};
    DRAWITEMSTRUCT draw{ODT_LISTBOX, id, 0, ODA_DRAWENTIRE, 0, list, nullptr, {}, 0};
    COMPAREITEMSTRUCT compare{ODT_LISTBOX, id, list, 0, 0, 1, 0, 0};
    DELETEITEMSTRUCT erase{ODT_LISTBOX, id, 0, list, 0};
    MEASUREITEMSTRUCT measure{ODT_LISTBOX, id, 0, 0, 0, 0};
    const std::vector<std::pair<UINT, LPARAM>> sent{{WM_COMMAND, child},
                                                    {WM_HSCROLL, child},
                                                    {WM_VSCROLL, child},
                                                    {WM_CHARTOITEM, child},
                                                    {WM_VKEYTOITEM, child},
                                                    {WM_NOTIFY, reinterpret_cast<LPARAM>(&header)},
                                                    {WM_DRAWITEM, reinterpret_cast<LPARAM>(&draw)},
                                                    {WM_COMPAREITEM, reinterpret_cast<LPARAM>(&compare)},
                                                    {WM_DELETEITEM, reinterpret_cast<LPARAM>(&erase)},
                                                    {WM_MEASUREITEM, reinterpret_cast<LPARAM>(&measure)}};
    std::vector<UINT> expected;
    f.List->Seen.clear();
    for (auto [msg, lParam] : sent) {
        SendMessageW(f.Form->Handle(), msg, 0, lParam);
        expected.push_back(CN_BASE + msg);
        if (msg == WM_NOTIFY) expected.push_back(UINT(NM_CLICK)); // a real header, read
    }
    EXPECT_EQ(f.List->Seen, expected);

    // colour requests come back to the child, which answers with its own colours
    f.List->SetColor(clYellow);
    TMemoryDC dc(nullptr);
    for (UINT msg = WM_CTLCOLORMSGBOX; msg <= WM_CTLCOLORSTATIC; ++msg) {
        SetBkColor(dc, RGB(0, 0, 0));
        LRESULT brush = SendMessageW(f.Form->Handle(), msg, reinterpret_cast<WPARAM>(dc.get()), child);
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(f.List->Brush().Handle())) << msg;
        EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0)) << msg;
    }
}

TEST(Routing, TheEndOfSkinningNoticeIsNeverReadAsAHeader) {
    TListForm f;
    f.List->Seen.clear();
    SendMessageW(f.List->Handle(), CN_NOTIFY, 0, SkinMessageTag); // as the skin engine sends it
    f.List->Perform(CN_NOTIFY, 0, SkinMessageTag);                // or hands it to the control
    EXPECT_EQ(f.List->Seen, (std::vector<UINT>{CM_SKINNINGDONE, CM_SKINNINGDONE}));

    std::vector<UINT> formSaw;
    TWndMethod own = f.Form->WindowProc;
    f.Form->WindowProc.Code = [&](TMessage& m) {
        if (m.Msg == CN_NOTIFY || m.Msg == CM_SKINNINGDONE) formSaw.push_back(m.Msg);
        own(m);
    };
    SendMessageW(f.Form->Handle(), CN_NOTIFY, 0, SkinMessageTag);
    f.Form->WindowProc = own;
    EXPECT_EQ(formSaw, std::vector<UINT>{CM_SKINNINGDONE});
}
