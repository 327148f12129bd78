// List view with its header, header control and tool bar on real windows; the description of every
// common control written and read back; handles given back; the form shown for a look.
#include "comctrls_form.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
std::u16string ItemText(TListView* list, int item, int sub) {
    wchar_t text[64] = {};
    LVITEMW it{};
    it.iSubItem = sub;
    it.pszText = text;
    it.cchTextMax = 64;
    SendMessageW(list->Handle(), LVM_GETITEMTEXTW, WPARAM(item), reinterpret_cast<LPARAM>(&it));
    return reinterpret_cast<const char16_t*>(text);
}

HDITEMW HeaderItem(HWND header, int i, wchar_t* text) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(header, HDM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    return item;
}

RECT HeaderRect(HWND header, int i) {
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

// The user drags the right edge of a header item by dx.
void DragEdge(HWND header, int i, int dx) {
    RECT r = HeaderRect(header, i);
    int y = (r.top + r.bottom) / 2;
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 1, y));
    SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right - 1 + dx, y));
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 1 + dx, y));
    Pump();
}

bool Checked(TToolButton* b) {
    return SendMessageW(b->ToolBar()->Handle(), TB_ISBUTTONCHECKED, WPARAM(b->Command()), 0) != 0;
}

void ClickButton(TToolButton* b) {
    ClickAt(b->ToolBar()->Handle(), Centre(b->ToolBar()->ButtonRect(b)));
}
} // namespace

TEST(ListView, ColumnsAndItemsReachTheReportViewAndItsHeader) {
    auto form = ShownComCtrlsForm();
    TListView* list = form->ListView1;
    HWND header = list->HeaderHandle();
    ASSERT_TRUE(header);
    wchar_t text[64] = {};
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    HDITEMW second = HeaderItem(header, 1, text);
    EXPECT_STREQ(text, L"Arbitration");
    EXPECT_EQ(second.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
    EXPECT_EQ(second.cxy, 80);
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(ItemText(list, 0, 2), u"2M");
    EXPECT_EQ(ItemText(list, 1, 1), u"1M");

    list->Items()[1]->SubItems().Add("8M");
    list->Items()[0]->SubItems().Delete(0); // its columns move up, the last one is left empty
    list->Items().Add()->SetCaption("CAN2");
    EXPECT_EQ(ItemText(list, 0, 1), u"2M");
    EXPECT_EQ(ItemText(list, 0, 2), u"");
    EXPECT_EQ(ItemText(list, 1, 2), u"8M");
    EXPECT_EQ(ItemText(list, 2, 0), u"CAN2");
    list->Columns().Delete(0); // sub-items keep their places among the columns that are left
    list->Columns().Insert(0)->SetCaption("Name");
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    HeaderItem(header, 0, text);
    EXPECT_STREQ(text, L"Name");
    EXPECT_EQ(ItemText(list, 1, 1), u"1M");
    EXPECT_EQ(ItemText(list, 1, 2), u"8M");
    list->Items().Delete(0);
    EXPECT_EQ(ItemText(list, 0, 0), u"CAN1");
    list->Items().Clear();
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST(ListView, HeaderClicksRowClicksAndKeysRunTheirEvents) {
    auto form = ShownComCtrlsForm();
    TListView* list = form->ListView1;
    ClickAt(list->HeaderHandle(), Centre(HeaderRect(list->HeaderHandle(), 1)));
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    ClickAt(list->Handle(), Centre(row));
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->Selected(), list->Items()[1]);
    PressKey(list->Handle(), VK_UP);
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(form->Log,
              (std::vector<std::string>{"ListView1.ColumnClick Arbitration", "ListView1.Select CAN1",
                                        "ListView1.Unselect CAN1", "ListView1.Select CAN0"}));
}

TEST(ListView, ColumnWidthsTheUserDragsOutliveANewWindow) {
    auto form = ShownComCtrlsForm();
    TListView* list = form->ListView1;
    list->SetItemIndex(1);
    DragEdge(list->HeaderHandle(), 0, 30);
    EXPECT_EQ(list->Columns()[0]->Width(), 130);
    form->Log.clear();
    list->SetShowColumnHeaders(false); // a new window: filled again without the user's events
    list->SetShowColumnHeaders(true);
    EXPECT_TRUE(form->Log.empty());
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 130);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(ItemText(list, 0, 1), u"500K");
    list->Columns()[2]->SetWidth(44);
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, 2, 0), 44);
}

TEST(HeaderControl, SectionsAreClickedAndResizedByTheUser) {
    auto form = ShownComCtrlsForm();
    THeaderControl* header = form->HeaderControl1;
    HWND wnd = header->Handle();
    wchar_t text[64] = {};
    EXPECT_EQ(SendMessageW(wnd, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(HeaderItem(wnd, 1, text).fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
    EXPECT_STREQ(text, L"Value");
    EXPECT_EQ(header->Top(), form->ToolBar1->Height()); // under the tool bar
    EXPECT_EQ(header->Width(), form->ClientWidth());
    ClickAt(wnd, Centre(HeaderRect(wnd, 1)));
    DragEdge(wnd, 0, -20);
    EXPECT_EQ(header->Sections()[0]->Width(), 100);
    header->Sections()[1]->SetText("Wert");
    header->Sections()[1]->SetWidth(60);
    HeaderItem(wnd, 1, text);
    EXPECT_STREQ(text, L"Wert");
    EXPECT_EQ(HeaderRect(wnd, 1).right - HeaderRect(wnd, 1).left, 60);
    header->Sections().Delete(0);
    EXPECT_EQ(SendMessageW(wnd, HDM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"HeaderControl1.Section Value 80",
                                                   "HeaderControl1.Section Name 100"}));
}

TEST(ToolBar, ButtonsClickAndCheckButtonsTurn) {
    auto form = ShownComCtrlsForm();
    TToolBar* bar = form->ToolBar1;
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(bar->Handle(), TB_GETIMAGELIST, 0, 0)),
              form->ImageList1->Handle());
    ClickButton(form->ToolButtonRead);
    ClickButton(form->ToolButtonLock);
    EXPECT_TRUE(form->ToolButtonLock->Down());
    form->ToolButtonLock->OnClick.Code = [&](TObject*) { form->ToolButtonLock->SetCaption("Unlock"); };
    ClickButton(form->ToolButtonLock); // changed from its own click
    EXPECT_FALSE(form->ToolButtonLock->Down());
    EXPECT_FALSE(Checked(form->ToolButtonLock));
    form->ToolButtonLock->SetDown(true); // the program's: no click
    EXPECT_TRUE(Checked(form->ToolButtonLock));
    int lock = form->ToolButtonLock->Command();
    bar->SetFlat(false); // a new window keeps the state and the numbers
    EXPECT_TRUE(Checked(form->ToolButtonLock));
    EXPECT_EQ(form->ToolButtonLock->Command(), lock);
    form->ToolButtonRead->SetEnabled(false);
    ClickButton(form->ToolButtonRead);
    int gap = form->ToolButtonGap->Command();
    form->ToolButtonGap->Free();
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 2);
    EXPECT_EQ(form->ToolButtonLock->Index(), 1);
    auto* next = new TToolButton(form.get());
    next->SetToolBar(bar);
    EXPECT_EQ(next->Command(), gap); // a number a click can still report in 16 bits
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"ToolButtonRead.Click", "ToolButtonLock.Click"}));
}

TEST(ToolBar, CustomDrawPaintsTheButtonsOnTheCanvas) {
    auto form = ShownComCtrlsForm();
    TToolBar* bar = form->ToolBar1;
    std::vector<TCustomDrawState> states;
    bar->OnCustomDrawButton.Code = [&](TToolBar* sender, TToolButton* button, TCustomDrawState state,
                                       bool& defaultDraw) {
        if (button != form->ToolButtonLock) return;
        states.push_back(state);
        sender->Canvas().Brush().SetColor(clLime);
        sender->Canvas().FillRect(sender->ButtonRect(button));
        defaultDraw = false;
    };
    form->ToolButtonLock->SetDown(true);
    bar->Repaint();
    POINT lock = Centre(bar->ButtonRect(form->ToolButtonLock));
    EXPECT_EQ(ScreenPixel(bar->Handle(), lock.x, lock.y), RGB(0, 255, 0));
    ASSERT_FALSE(states.empty());
    EXPECT_TRUE(states.back() & (1u << cdsChecked));
    POINT read = Centre(bar->ButtonRect(form->ToolButtonRead));
    EXPECT_NE(ScreenPixel(bar->Handle(), read.x, read.y), RGB(0, 255, 0));
    bar->OnCustomDraw.Code = [](TToolBar*, const RECT&, bool& defaultDraw) { defaultDraw = false; };
    bar->Repaint(); // the bar's own drawing left out: no button asks any more
    size_t asked = states.size();
    bar->Repaint();
    EXPECT_EQ(states.size(), asked);
}

TEST(ComCtrlsDescription, WrittenFormReadsBackTheSame) {
    auto form = ReadComCtrlsForm();
    form->ListView1->Columns()[1]->SetCaption("Arbitration, kbit/s");
    form->TabSheet3->SetPageIndex(0);
    std::string text = WriteComponentText(form.get());
    for (const char* part :
         {"Associate = Edit1", "ActivePage = TabSheet2", "Images = ImageList1", "'CAN0'#9'500K'#9'2M'",
          "Caption = 'Arbitration, kbit/s'", "Text = 'Value'", "Date = '2024-05-17'",
          "object ToolButtonLock: TToolButton", "TabPosition = tpRight"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    auto again = ReadComCtrlsForm(text);
    EXPECT_EQ(WriteComponentText(again.get()), text);
    EXPECT_EQ(again->PageControl1->Pages(0), again->TabSheet3);
    EXPECT_EQ(again->ToolButtonLock->ToolBar(), again->ToolBar1);
}

TEST(ComCtrlsDescription, BadValuesNameTheirLine) {
    auto error = [](const std::string& from, const std::string& to) {
        std::string text = ComCtrlsText;
        text.replace(text.find(from), from.size(), to);
        try {
            ReadComCtrlsForm(text);
        } catch (const Exception& e) {
            return e.Message();
        }
        return std::string("no error");
    };
    EXPECT_EQ(error("Date = '2024-05-17'", "Date = '2024-13-17'"),
              "Line 93: property 'Date' of 'DateTimePicker1': '2024-13-17' is not a valid date");
    EXPECT_EQ(error("Text = 'Name'", "Txet = 'Name'"),
              "Line 33: property 'Sections[0].Txet' of 'HeaderControl1': unknown property");
    EXPECT_EQ(error("Associate = Edit1", "Associate = ImageList1"),
              "Line 84: property 'Associate' of 'UpDown1': 'ImageList1' is not a TWinControl");
    EXPECT_EQ(error("  object ToolButtonRead: TToolButton", "  end\n  object ToolButtonRead: TToolButton"),
              "Line 16: object 'ToolButtonRead': Tool button 'ToolButtonRead' belongs in a tool bar");
}

// The process's GDI objects and windows around a form with every common control made, painted and
// destroyed 500 times.
TEST(Resources, FormWithEveryCommonControlGivesItsHandlesBack) {
    auto cycle = [] {
        auto form = ReadComCtrlsForm();
        form->HandleNeeded();
        form->ListView1->SetItemIndex(0);
        form->ToolButtonLock->SetDown(true);
        TMemoryDC dc(nullptr);
        for (TWinControl* c : std::initializer_list<TWinControl*>{form.get(), form->ToolBar1, form->TabLeft,
                                                                  form->PageControl1, form->ListView1})
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.get()));
    };
    ExpectNoLeaks(cycle);
    EXPECT_EQ(Screen->FormCount(), 0);
}

// Not a check: QL_SHOW_MS=n keeps the form on screen for n ms, for a screenshot.
TEST(ComCtrlsForm, ShownForALookWhenAsked) {
    const char* ms = std::getenv("QL_SHOW_MS");
    if (!ms) GTEST_SKIP() << "QL_SHOW_MS not set";
    auto form = ShownComCtrlsForm();
    form->ListView1->SetItemIndex(1);
    form->ToolButtonLock->SetDown(true);
    form->TrackBar1->SetFocus();
    for (DWORD end = GetTickCount() + DWORD(std::atoi(ms)); GetTickCount() < end; Sleep(20))
        Pump();
}
