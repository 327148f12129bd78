// Skinned tabs in all four positions, a header control and a report list view's column header, to
// look at: skin_tabs_demo [milliseconds until it closes].
#include "ComCtrls.h"
#include "SkinDemo.h"

namespace {

template <class T> T* Add(TWinControl& parent, int x, int y, int w, int h) {
    auto* c = new T(&parent);
    c->SetParent(&parent);
    c->SetBounds(x, y, w, h);
    return c;
}

void AddTabs(TForm& form) {
    const TTabPosition positions[] = {tpTop, tpBottom, tpLeft, tpRight};
    for (int i = 0; i < 4; i++) {
        auto* tabs = Add<TTabControl>(form, 10 + 230 * (i % 2), 30 + 130 * (i / 2), 220, 120);
        tabs->SetTabPosition(positions[i]);
        for (const char* s : {"Device(设备)", "CAN0", "CAN1"})
            tabs->Tabs().Add(s);
        tabs->SetTabIndex(i % 3);
    }
}

void AddHeaders(TForm& form) {
    auto* header = Add<THeaderControl>(form, 0, 0, 470, 20);
    for (const char* s : {"Setting(设置)", "Value", "Unit"})
        header->Sections().Add()->SetText(s);
    header->Sections()[0]->SetWidth(150);
    auto* list = Add<TListView>(form, 10, 295, 450, 90);
    list->SetViewStyle(vsReport);
    for (const char* s : {"Channel", "Arbitration", "Data"})
        list->Columns().Add()->SetText(s);
    for (int i = 0; i < 3; i++)
        list->Columns()[i]->SetWidth(120);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    return RunSkinDemo(commandLine, 480, 430, [](TForm& form) {
        AddTabs(form);
        AddHeaders(form);
    });
}
