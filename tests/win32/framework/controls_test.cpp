// Controls on real windows: the standard controls' behaviour, notifications, painting of windowless
// children, WindowProc swapping, lookup by window, and handles given back.
#include "FrameworkTest.h"
#include "TestForm.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

namespace {
TOwned<TTestForm> ShownForm() {
    auto form = ReadTestForm();
    form->Show();
    Pump();
    return form;
}

void Type(TWinControl* c, const std::u16string& text) {
    for (char16_t ch : text)
        SendMessageW(c->Handle(), WM_CHAR, ch, 1);
}
} // namespace

TEST(CheckBox, OnClickFollowsEveryStateChange) {
    auto form = ShownForm();
    TCheckBox* box = form->CheckBox1;
    EXPECT_EQ(form->CheckClicks, 0); // reading the description clicks nothing
    SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(form->CheckClicks, 1);
    box->SetChecked(false); // by the program
    EXPECT_EQ(form->CheckClicks, 2);
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    box->SetChecked(false); // no change, no click
    EXPECT_EQ(form->CheckClicks, 2);
    box->SetState(cbGrayed);
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    SendMessageW(box->Handle(), BM_CLICK, 0, 0); // grayed -> checked
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(form->CheckClicks, 4);
    box->SetAlignment(taLeftJustify); // a new window keeps the state
    EXPECT_TRUE(GetWindowLongW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(ComboBox, ItemIndexWithAndWithoutAWindow) {
    TOwned<TComboBox> combo(new TComboBox(nullptr));
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(2); // before the items: waits for them
    EXPECT_EQ(combo->ItemIndex(), -1);
    for (const char* s : {"1000K", "500K", "250K", "125K"})
        combo->Items().Add(s);
    EXPECT_EQ(combo->ItemIndex(), 2);

    auto form = ShownForm();
    combo->SetParent(form.get());
    EXPECT_TRUE(combo->HandleAllocated());
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "250K");
    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
    combo->Items().Insert(0, "2000K");
    combo->Items().Delete(4);
    combo->SetItemIndex(1);
    combo->SetStyle(csDropDown); // the window is made anew: items and selection stay
    EXPECT_EQ(combo->Items().Count(), 4);
    EXPECT_EQ(combo->Items()[0], "2000K");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_THROW(combo->Items().Delete(9), EListError);
    combo->Items().Clear();
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetParent(nullptr);
}

TEST(Edit, MaxLengthLimitsTypingNotTheProgram) {
    auto form = ShownForm();
    TEdit* edit = form->Edit1;
    edit->SetText("");
    form->Changes = 0;
    Type(edit, u"0123456789");
    EXPECT_EQ(edit->Text(), "01234567");
    EXPECT_GE(form->Changes, 8);
    edit->SetMaxLength(3);
    edit->SetText("");
    Type(edit, u"中文字符");
    EXPECT_EQ(edit->Text(), "中文字");
    edit->SetMaxLength(0);
    Type(edit, u"0123456789");
    EXPECT_EQ(edit->Text(), "中文字0123456789");
}

TEST(StatusBar, LastPanelTakesTheRestAtTheBottomEdge) {
    auto form = ShownForm();
    TStatusBar* bar = form->StatusBar1;
    RECT client = form->ClientRect();
    EXPECT_EQ(bar->Top(), client.bottom - 19);
    EXPECT_EQ(bar->Width(), client.right);
    RECT part0{}, part1{};
    SendMessageW(bar->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part0));
    SendMessageW(bar->Handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part1));
    EXPECT_EQ(part0.right, 150);
    EXPECT_EQ(part1.right, bar->ClientWidth());
    bar->Panels()[1]->SetText("中文 MAC");
    std::u16string text(64, u'\0');
    SendMessageW(bar->Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text.data()));
    EXPECT_EQ(std::u16string(text.c_str()), u"\t中文 MAC"); // centred
    bar->Panels()[0]->SetWidth(200);
    SendMessageW(bar->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part0));
    EXPECT_EQ(part0.right, 200);
    bar->SetSimpleText("simple");
    bar->SetSimplePanel(true);
    EXPECT_TRUE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
    bar->SetSimplePanel(false);
    EXPECT_EQ(SendMessageW(bar->Handle(), SB_GETPARTS, 0, 0), 2);
    form->SetClientHeight(300); // still on the bottom edge
    EXPECT_EQ(bar->Top(), 300 - 19);
}

TEST(Controls, FindControlMapsWindowsBack) {
    auto form = ShownForm();
    EXPECT_EQ(FindControl(form->Handle()), form.get());
    EXPECT_EQ(FindControl(form->Edit1->Handle()), form->Edit1);
    EXPECT_EQ(FindControl(form->StatusBar1->Handle()), form->StatusBar1);
    EXPECT_EQ(FindControl(nullptr), nullptr);
    EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);
    wchar_t expected[40];
    wsprintfW(expected, L"ControlOfs%08X%08X",
              unsigned(reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr))),
              unsigned(GetCurrentThreadId()));
    EXPECT_STREQ(ControlPropName(), expected);
    EXPECT_EQ(GetPropW(form->Button1->Handle(), expected), form->Button1);
    wchar_t cls[32];
    GetClassNameW(form->Button1->Handle(), cls, 32);
    EXPECT_STREQ(cls, L"TButton"); // the window class is the control's class
    EXPECT_TRUE(IsWindowUnicode(form->Button1->Handle()));
    HWND edit = form->Edit1->Handle();
    form->Edit1->Free();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(form->Edit1, nullptr); // the form's field forgets it
}

TEST(Controls, WindowlessChildrenArePaintedByTheirParent) {
    auto form = ShownForm();
    TLabel* label = form->Label1;
    label->SetColor(clRed);
    label->SetCaption(" ");
    UpdateWindow(form->GroupBox1->Handle());
    EXPECT_EQ(ScreenPixel(form->GroupBox1->Handle(), label->Left() + 1, label->Top() + 1), RGB(255, 0, 0));
    // a parent painted into a given DC brings its windowless children along
    TMemoryDC dc(nullptr);
    TGdiHandle<HBITMAP> bmp(CreateCompatibleBitmap(TClientDC(nullptr), 300, 120));
    TSelectObject sel(dc, bmp);
    form->GroupBox1->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()));
    form->GroupBox1->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.get()));
    EXPECT_EQ(GetPixel(dc, label->Left() + 1, label->Top() + 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 150, 115), ColorToRGB(clBtnFace));
    label->SetTransparent(true); // the parent shows through
    form->GroupBox1->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()));
    form->GroupBox1->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.get()));
    EXPECT_EQ(GetPixel(dc, label->Left() + 1, label->Top() + 1), ColorToRGB(clBtnFace));
    label->SetTransparent(false);
    label->Hide();
    UpdateWindow(form->GroupBox1->Handle());
    EXPECT_EQ(ScreenPixel(form->GroupBox1->Handle(), label->Left() + 1, label->Top() + 1),
              ColorToRGB(clBtnFace));
}

TEST(Controls, SwappedWindowProcAndBack) {
    auto form = ShownForm();
    TEdit* edit = form->Edit1;
    TWndMethod own = edit->WindowProc;
    int seen = 0;
    edit->WindowProc.Code = [&](TMessage& m) {
        ++seen;
        if (m.Msg == WM_SETTEXT) return; // swallowed: the text stays
        own(m);
    };
    edit->SetText("swapped");
    SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"system"));
    EXPECT_EQ(edit->Text(), "00050B2E");
    EXPECT_GT(seen, 2);
    edit->WindowProc = own;
    seen = 0;
    edit->SetText("back");
    EXPECT_EQ(edit->Text(), "back");
    EXPECT_EQ(seen, 0);
    // a swapped procedure that swallows WM_PAINT leaves the control unpainted until it is put back
    TWndMethod groupOwn = form->GroupBox1->WindowProc;
    form->GroupBox1->WindowProc.Code = [&](TMessage& m) {
        if (m.Msg == WM_PAINT) return ValidateRect(form->GroupBox1->Handle(), nullptr), void();
        groupOwn(m);
    };
    form->Label1->SetColor(clBlue);
    UpdateWindow(form->GroupBox1->Handle());
    EXPECT_NE(ScreenPixel(form->GroupBox1->Handle(), form->Label1->Left() + 1, form->Label1->Top() + 1),
              RGB(0, 0, 255));
    form->GroupBox1->WindowProc = groupOwn;
    form->GroupBox1->Repaint();
    EXPECT_EQ(ScreenPixel(form->GroupBox1->Handle(), form->Label1->Left() + 1, form->Label1->Top() + 1),
              RGB(0, 0, 255));
}

TEST(Controls, NotificationsGoThroughWindowProc) {
    auto form = ShownForm();
    std::vector<UINT> seen;
    const std::vector<UINT> watched{CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_TEXTCHANGED,
                                    CM_MOUSEENTER,     CM_MOUSELEAVE,     CN_COMMAND,
                                    CM_FOCUSCHANGED,   CM_EXIT,           CM_RECREATEWND};
    auto watch = [&](TControl* c) {
        TWndMethod own = c->WindowProc;
        c->WindowProc.Code = [&seen, &watched, own](TMessage& m) {
            if (std::count(watched.begin(), watched.end(), m.Msg)) seen.push_back(m.Msg);
            own(m);
        };
    };
    watch(form->Button1);
    form->Button1->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(form->Button1->Handle()));
    form->Button1->SetEnabled(true);
    form->Button1->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(form->Button1->Handle()));
    form->Button1->SetVisible(true);
    form->Button1->SetCaption("Connect(连接)");
    EXPECT_EQ(WindowText(form->Button1->Handle()), u"Connect(连接)");
    SendMessageW(form->Button1->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageW(form->Button1->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
    SendMessageW(form->Button1->Handle(), WM_MOUSELEAVE, 0, 0);
    SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
    std::vector<UINT> expected{CM_ENABLEDCHANGED, CM_ENABLEDCHANGED, CM_VISIBLECHANGED,
                               CM_VISIBLECHANGED, CM_TEXTCHANGED,    CM_MOUSEENTER,
                               CM_MOUSELEAVE,     CM_FOCUSCHANGED,   CN_COMMAND};
    EXPECT_EQ(seen, expected);

    seen.clear();
    watch(form->Edit1);
    watch(form->ComboBox1);
    form->Edit1->SetFocus();
    EXPECT_TRUE(form->Edit1->Focused());
    EXPECT_EQ(form->ActiveControl(), form->Edit1);
    form->ComboBox1->SetFocus();
    EXPECT_NE(std::count(seen.begin(), seen.end(), CM_FOCUSCHANGED), 0); // broadcast to every control
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_EXIT), seen.end());
    seen.clear();
    HWND old = form->ComboBox1->Handle();
    form->ComboBox1->RecreateWnd();
    EXPECT_NE(form->ComboBox1->Handle(), old);
    EXPECT_EQ(seen.back(), CM_RECREATEWND);
}

TEST(Controls, TabKeyFollowsTheTabOrder) {
    auto form = ShownForm();
    SetForegroundWindow(form->Handle());
    form->Button1->SetFocus();
    auto tab = [&] {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        Pump();
        return FindControl(GetFocus());
    };
    EXPECT_EQ(tab(), form->CheckBox1); // into the group box, in its stored tab order
    EXPECT_EQ(tab(), form->ComboBox1);
    EXPECT_EQ(tab(), form->Edit1);
    form->Button1->SetEnabled(false);
    EXPECT_EQ(tab(), form->CheckBox1); // disabled controls are skipped
}

TEST(Controls, ParentFontAndColourFollowTheParent) {
    auto form = ReadTestForm();
    form->Font().SetName("Tahoma");
    EXPECT_EQ(form->Label1->Font().Name(), "Tahoma"); // through the group box
    form->Edit1->Font().SetHeight(-16);
    EXPECT_FALSE(form->Edit1->ParentFont());
    form->Font().SetName("MS Sans Serif");
    EXPECT_EQ(form->Edit1->Font().Name(), "Tahoma");
    form->SetColor(clTeal);
    EXPECT_EQ(form->GroupBox1->Color(), clTeal);
    EXPECT_EQ(form->Label1->Color(), clTeal);
    EXPECT_EQ(form->Edit1->Color(), clWindow);
}

// The process's GDI and USER objects around a form made, painted and destroyed 500 times.
TEST(Resources, FormWithEveryControlGivesItsHandlesBack) {
    ExpectNoLeaks([] {
        auto form = ReadTestForm();
        form->HandleNeeded();
        form->StatusBar1->Panels()[0]->SetText("x");
        TMemoryDC dc(nullptr);
        for (TWinControl* c :
             {static_cast<TWinControl*>(form.get()), static_cast<TWinControl*>(form->GroupBox1)})
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.get()));
    });
}
