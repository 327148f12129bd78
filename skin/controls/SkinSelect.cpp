// The selection tables and the walks over a form's controls and a window's child windows.
#include "SkinSelect.h"

#include "Buttons.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "MPlayer.h"
#include "SkinBox.h"
#include "SkinButton.h"
#include "SkinCheckBox.h"
#include "SkinSpeedButton.h"
#include "SkinComboBox.h"
#include "SkinEdit.h"
#include "SkinGroupBox.h"
#include "SkinHeader.h"
#include "SkinMediaPlayer.h"
#include "SkinProgress.h"
#include "SkinScControl.h"
#include "SkinScrollbar.h"
#include "SkinStatusBar.h"
#include "SkinTab.h"
#include "SkinTrackBar.h"
#include "SysUtils.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace {

template <class C> bool Is(const TControl& c) {
    return c.InheritsFrom(C::StaticClassInfo());
}

// ---- Framework controls: the class chain -------------------------------------------------------
// The first matching row decides, so derived classes come before their bases (a bit button is a
// button too). A row without Attach handles the control and makes nothing.

// A list view: its scroll bars, and its column header skinned on its own.
TSkinControl* AttachListView(TControl& Control, TSkinControlList& List, bool ParentBK) {
    AttachListViewHeader(Control, List, ParentBK);
    return AttachNew<TSkinScrollbar>(Control, List, ParentBK);
}

struct TClassRow {
    bool (*Matches)(const TControl& Control);
    TSkinGate Gate;
    TAttachControl Attach;
    bool ParentBK;
};

constexpr TClassRow ClassChain[] = {
    {Is<TCustomTabControl>, TabGate, AttachTabControl, false},
    {Is<TTabSheet>, TabGate, AttachNew<TSkinTabSheet>, false},
    {Is<THeaderControl>, Gated<xcPanel>, AttachNew<TSkinHeader>, false},
    {Is<TCustomCheckBox>, Gated<xcCheckBox>, AttachNew<TSkinCheckBox>, false},
    {Is<TTrackBar>, Gated<xcTrackBar>, AttachNew<TSkinTrackBar>, false},
    {Is<TMediaPlayer>, Gated<xcButton>, AttachNew<TSkinMP>, false},
    {Is<TCustomRadioGroup>, Gated<xcRadioButton>, AttachNew<TSkinGroupBox>, true},
    {Is<TCustomGroupBox>, Gated<xcPanel>, AttachNew<TSkinGroupBox>, false},
    {Is<TRadioButton>, Gated<xcRadioButton>, AttachNew<TSkinRadioButton>, false},
    {Is<TCustomStatusBar>, Gated<xcStatusBar>, AttachNew<TSkinStatusBar>, false},
    {Is<TScrollBar>, Gated<xcScrollbar>, AttachNew<TSkinScControl>, false},
    {Is<TProgressBar>, Gated<xcProgress>, AttachNew<TSkinProgress>, false},
    {Is<TCustomComboBox>, Gated<xcCombo>, AttachNew<TSkinComBox>, false},
    {Is<TBitBtn>, Gated<xcBitBtn>, AttachNew<TSkinBitButton>, false},
    {Is<TSpeedButton>, Gated<xcSpeedButton>, AttachNew<TSkinSpeedButton>, false},
    {Is<TCustomPanel>, Gated<xcPanel>, AttachNew<TSkinBox>, true},
    {Is<TListView>, Gated<xcScrollbar>, AttachListView, false},
    {Is<TCustomMemo>, Gated<xcScrollbar>, AttachNew<TSkinScrollbar>, false},
    {Is<TCustomListBox>, Gated<xcScrollbar>, AttachNew<TSkinScrollbar>, false},
    {Is<TButton>, Gated<xcButton>, AttachNew<TSkinButton>, false},
    {Is<TCustomEdit>, Gated<xcEdit>, AttachNew<TSkinEdit>, false},
};

// Classes of other makers the chain must leave alone.
constexpr std::array ChainExcluded{"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"};

// ---- Framework controls: the Skin3rd keywords ------------------------------------------------------
// A keyword handles the control whether or not its gate lets a skinner be made.

// Only a control with a border: its window and client sizes differ.
template <class S> TSkinControl* AttachBordered(TControl& Control, TSkinControlList& List, bool ParentBK) {
    auto* win = dynamic_cast<TWinControl*>(&Control);
    RECT w, c;
    if (!win || !GetWindowRect(win->Handle(), &w) || !GetClientRect(win->Handle(), &c)) return nullptr;
    if (w.right - w.left == c.right && w.bottom - w.top == c.bottom) return nullptr;
    return AttachNew<S>(Control, List, ParentBK);
}

template <class S> TSkinControl* AttachTransparent(TControl& Control, TSkinControlList& List, bool ParentBK) {
    SetProperty(&Control, "Transparent", "True");
    return AttachNew<S>(Control, List, ParentBK);
}

struct TKeywordRow {
    const char* Keyword;
    TSkinGate Gate;
    TAttachControl Attach;
    bool ParentBK;
};

constexpr TKeywordRow Keywords[] = {
    {"nil", Ungated, nullptr, false},
    {"button", Gated<xcButton>, AttachNew<TSkinButton>, false},
    {"bitbtn", Gated<xcButton>, AttachNew<TSkinBitButton>, false},
    {"menubtn", Gated<xcButton>, AttachNew<TSkinMenuButton>, false},
    {"checkbox", Gated<xcCheckBox>, AttachNew<TSkinCheckBox>, false},
    {"radiobutton", Gated<xcRadioButton>, AttachNew<TSkinRadioButton>, false},
    {"speedbutton", Gated<xcSpeedButton>, AttachNew<TSkinSpeedButton>, false},
    {"combobox", Gated<xcCombo>, AttachNew<TSkinComBox>, false},
    {"edit", Gated<xcEdit>, AttachBordered<TSkinEdit>, false},
    {"panel", Gated<xcPanel>, AttachTransparent<TSkinBox>, true},
    {"groupbox", Gated<xcGroupBox>, AttachNew<TSkinGroupBox>, true},
};

TSkinControl* AttachBy(TAttachControl Attach, TControl& Control, TSkinControlList& List, bool ParentBK) {
    return Attach ? Attach(Control, List, ParentBK) : nullptr;
}

TSkinControl* SelectByKeyword(const std::string& Keyword, TControl& Control, TSkinControlList& List) {
    for (const TKeywordRow& row : Keywords)
        if (SameText(Keyword, row.Keyword))
            return row.Gate(*List.SkinData) ? AttachBy(row.Attach, Control, List, row.ParentBK) : nullptr;
    return nullptr;
}

TSkinControl* SelectByClass(TControl& Control, TSkinControlList& List) {
    std::string name = UpperCase(Control.ClassName());
    if (std::find(ChainExcluded.begin(), ChainExcluded.end(), name) != ChainExcluded.end()) return nullptr;
    for (const TClassRow& row : ClassChain)
        if (row.Matches(Control))
            return row.Gate(*List.SkinData) ? AttachBy(row.Attach, Control, List, row.ParentBK) : nullptr;
    return nullptr;
}

// A skinner the application makes itself, through the skin data's OnSkinControl.
TSkinControl* SelectByEvent(TControl& Control, TSkinControlList& List) {
    if (!List.SkinData->OnSkinControl) return nullptr;
    TComponent* made = nullptr;
    List.SkinData->OnSkinControl(&List, List.SkinData, GetParentForm(&Control), &Control,
                                 UpperCase(Control.ClassName()), made);
    auto* skinner = dynamic_cast<TSkinControl*>(made);
    if (skinner && !List.AddControlList(skinner))
        skinner->Init(&List, List.SkinData, &List.ControlCanvas, skinner->ParentBK);
    return skinner;
}

bool Skippable(TControl& Control, const TSkinControlList& List) {
    if (Control.Tag == List.SkinData->DisableTag || !Control.Parent() || List.FindSkinner(&Control))
        return true;
    auto* win = dynamic_cast<TWinControl*>(&Control);
    if (!win) return false;
    try {
        return win->Handle() == nullptr;
    } catch (const Exception&) { // a window that cannot be made is left alone
        return true;
    }
}

// Children first: a container's skinner is attached after those of its controls.
void WalkControls(TWinControl& Parent, TSkinControlList& List) {
    for (int i = 0; i < Parent.ControlCount(); i++) {
        TControl* c = Parent.Controls(i);
        if (auto* win = dynamic_cast<TWinControl*>(c)) WalkControls(*win, List);
        SelectSkinner(*c, List);
    }
}

// ---- Bare windows: the window-class table ---------------------------------------------------------

template <TButtonKind K> bool ButtonOf(LONG_PTR Style) {
    return ButtonKind(Style) == K;
}
bool AnyStyle(LONG_PTR) {
    return true;
}

struct TWindowRow {
    const char* ClassName; // lower case
    bool (*Matches)(LONG_PTR Style);
    TAttachWindow Attach;
    bool WalkChildren; // before the window's own skinner
};

constexpr TWindowRow WindowClasses[] = {
    {"button", ButtonOf<bkPush>, AttachNewHwnd<TSkinButton>, false},
    {"button", ButtonOf<bkCheck>, AttachNewHwnd<TSkinCheckBox>, false},
    {"button", ButtonOf<bkRadio>, AttachNewHwnd<TSkinRadioButton>, false},
    {"scrollbar", IsSizeBox, nullptr, false},
    {"scrollbar", [](LONG_PTR style) { return !IsSizeBox(style); }, AttachNewHwnd<TSkinScControl>, false},
    {"listbox", AnyStyle, AttachNewHwnd<TSkinScrollbarH>, false},
    {"combobox", [](LONG_PTR style) { return (style & 3) != CBS_SIMPLE; }, AttachNewHwnd<TSkinComBox>, false},
    {"#32770", [](LONG_PTR style) { return !(style & 0x00010000); }, AttachNewHwnd<TSkinBoxH>, true},
    {"tpanel", AnyStyle, nullptr, true},
    {"ttntpanel.unicodeclass", AnyStyle, nullptr, true},
    {"ttntsilentpaintpanel.unicodeclass", AnyStyle, nullptr, true},
    {"tcheckbox", AnyStyle, AttachNewHwnd<TSkinCheckBox>, false},
    {"tcombobox", AnyStyle, AttachNewHwnd<TSkinComBox>, false},
    {"tbutton", AnyStyle, AttachNewHwnd<TSkinButton>, false},
    {"systabcontrol32", [](LONG_PTR style) { return !(style & TCS_OWNERDRAWFIXED); }, AttachNewHwnd<TSkinTab>,
     false},
    {"edit", AnyStyle, AttachNewHwnd<TSkinEdit>, false},
    {"msctls_trackbar32", AnyStyle, AttachNewHwnd<TSkinTrackBar>, false},
    {"msctls_progress32", AnyStyle, AttachNewHwnd<TSkinProgress>, false},
};

std::string WindowClassName(HWND Wnd) {
    wchar_t name[256];
    int n = GetClassNameW(Wnd, name, int(std::size(name)));
    return LowerCase(
        Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(name), size_t(n > 0 ? n : 0))));
}

} // namespace

// Image-only buttons keep their own look.
TButtonKind ButtonKind(LONG_PTR Style) {
    if (Style & BS_BITMAP) return bkNone;
    static constexpr TButtonKind kinds[16] = {
        bkPush,  bkPush,  // BS_PUSHBUTTON, BS_DEFPUSHBUTTON
        bkCheck, bkCheck, // BS_CHECKBOX, BS_AUTOCHECKBOX
        bkRadio, bkCheck, // BS_RADIOBUTTON, BS_3STATE
        bkCheck, bkGroup, // BS_AUTO3STATE, BS_GROUPBOX
        bkNone,  bkRadio, // BS_USERBUTTON, BS_AUTORADIOBUTTON
        bkNone,  bkNone,  // BS_PUSHBOX, BS_OWNERDRAW
        bkNone,  bkNone,  // split buttons
        bkNone,  bkNone,  // command links
    };
    return kinds[Style & 0xF];
}

bool IsSizeBox(LONG_PTR Style) {
    return Style & (SBS_SIZEBOX | SBS_SIZEGRIP);
}

std::optional<std::string> Skin3rdKeyword(const TStrings& Skin3rd, const std::string& ClassName) {
    std::string key = LowerCase(ClassName) + "=";
    for (int i = 0; i < Skin3rd.Count(); i++) {
        std::string line = Skin3rd.Get(i);
        if (LowerCase(line).starts_with(key)) return line.substr(key.size(), 50);
    }
    return std::nullopt;
}

TSkinControl* SelectSkinner(TControl& Control, TSkinControlList& List) {
    if (!List.SkinData || Skippable(Control, List)) return nullptr;
    if (TSkinControl* s = SelectByEvent(Control, List)) return s;
    if (List.SkinData->Skin3rd)
        if (auto keyword = Skin3rdKeyword(*List.SkinData->Skin3rd, Control.ClassName()))
            return SelectByKeyword(*keyword, Control, List);
    return SelectByClass(Control, List);
}

TSkinControl* SelectHwndSkinner(HWND Wnd, TSkinControlList& List) {
    if (!List.SkinData || List.FindSkinner(Wnd)) return nullptr;
    std::string name = WindowClassName(Wnd);
    LONG_PTR style = GetWindowLongPtrW(Wnd, GWL_STYLE);
    for (const TWindowRow& row : WindowClasses) {
        if (name != row.ClassName || !row.Matches(style)) continue;
        if (row.WalkChildren) List.InitHwndControls(Wnd);
        return row.Attach ? row.Attach(Wnd, List) : nullptr;
    }
    return nullptr;
}

void TSkinControlList::InitControls(TWinControl* AForm) {
    if (AForm && SkinData) WalkControls(*AForm, *this);
}

void TSkinControlList::InitHwndControls(HWND Parent) {
    for (HWND w = GetTopWindow(Parent); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD) SelectHwndSkinner(w, *this);
}
