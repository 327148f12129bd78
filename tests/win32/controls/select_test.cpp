// Which skinner a control gets: bare windows by class and style, framework controls by the class
// chain and its gates, the Skin3rd keywords and the application's own choice.
#include "ControlsTest.h"
#include "Guards.h"
#include "SkinButton.h"
#include "SkinCheckBox.h"
#include "SkinEdit.h"
#include "SkinSelect.h"
#include "SkinSpeedButton.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace {

// The kind of skinner a window or control got, as a short name ("" for none).
template <class T> std::string KindOf(TSkinControlList& list, T key) {
    TSkinControl* s = list.FindSkinner(key);
    if (!s) return "";
    if (dynamic_cast<TSkinSpeedButton*>(s)) return "speed";
    if (dynamic_cast<TSkinMenuButton*>(s)) return "menu";
    if (dynamic_cast<TSkinBitButton*>(s)) return "bitbtn";
    if (dynamic_cast<TSkinButton*>(s)) return "button";
    if (dynamic_cast<TSkinCheckBox*>(s)) return "checkbox";
    if (dynamic_cast<TSkinRadioButton*>(s)) return "radio";
    if (dynamic_cast<TSkinEdit*>(s)) return "edit";
    return "other";
}

struct TSelection : ::testing::Test {
    TSkinData& Skin = DefaultSkin();
    void SetUp() override { ASSERT_FALSE(Skin.SkinPending) << "the default skin did not load"; }
    TRestore<TSkinControlTypes> KeepControls{Skin.SkinControls, Skin.SkinControls};
    TOwned<TForm> Form = ShownForm();
    TOwned<TSkinControlList> List{new TSkinControlList(nullptr, &Skin)};

    void Without(TSkinControlType t) { Skin.SkinControls.Exclude(t); }
};

} // namespace

TEST(SkinSelect, ButtonWindowsAreClassifiedByTheirType) {
    struct TCase {
        LONG_PTR Style;
        TButtonKind Kind;
    };
    const TCase cases[] = {
        {BS_PUSHBUTTON, bkPush},
        {BS_DEFPUSHBUTTON, bkPush},
        {BS_CHECKBOX, bkCheck},
        {BS_AUTOCHECKBOX, bkCheck},
        {BS_3STATE, bkCheck},
        {BS_AUTO3STATE, bkCheck},
        {BS_RADIOBUTTON, bkRadio},
        {BS_AUTORADIOBUTTON, bkRadio},
        {BS_GROUPBOX, bkGroup},
        {BS_OWNERDRAW, bkNone},
        {BS_USERBUTTON, bkNone},
        {0xC /* split */, bkNone},
        {0xE /* command link */, bkNone},
        {0xF, bkNone},
        {BS_PUSHBUTTON | BS_BITMAP, bkNone},
        {BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP, bkCheck},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ButtonKind(c.Style), c.Kind) << std::hex << c.Style;

    EXPECT_TRUE(IsSizeBox(SBS_SIZEBOX));
    EXPECT_TRUE(IsSizeBox(SBS_SIZEGRIP));
    EXPECT_FALSE(IsSizeBox(SBS_HORZ)); // a scroll bar without a tab stop is no size box
    EXPECT_FALSE(IsSizeBox(SBS_VERT | WS_TABSTOP));
}

TEST_F(TSelection, BareWindowsGetTheSkinnerOfTheirType) {
    HWND parent = Form->Handle();
    struct TCase {
        DWORD Style;
        const char* Kind;
    };
    const TCase cases[] = {
        {BS_PUSHBUTTON, "button"},
        {BS_DEFPUSHBUTTON, "button"},
        {BS_AUTOCHECKBOX, "checkbox"},
        {BS_3STATE, "checkbox"},
        {BS_AUTORADIOBUTTON, "radio"},
        {BS_RADIOBUTTON, "radio"},
        {BS_GROUPBOX, ""},
        {BS_OWNERDRAW, ""},
        {0xE, ""},
        {0xC, ""},
    };
    std::vector<HWND> windows;
    for (const TCase& c : cases)
        windows.push_back(AddBareWindow(parent, L"BUTTON", c.Style, 0, 0, 50, 20));
    HWND edit = AddBareWindow(parent, L"EDIT", 0, 0, 30, 50, 20);
    List->InitHwndControls(parent);
    for (size_t i = 0; i < windows.size(); i++)
        EXPECT_EQ(KindOf(*List, windows[i]), cases[i].Kind) << std::hex << cases[i].Style;
    EXPECT_EQ(KindOf(*List, edit), "edit");
    int count = List->Count();
    List->InitHwndControls(parent); // windows in the list are skipped
    EXPECT_EQ(List->Count(), count);
    List->DeleteControls();
    for (HWND w : windows)
        DestroyWindow(w);
    DestroyWindow(edit);
}

TEST_F(TSelection, ClassChainFirstMatchAndItsGates) {
    auto* button = AddControl<TButton>(*Form, 10, 10, 80, 25);
    auto* bit = AddControl<TBitBtn>(*Form, 10, 40, 80, 25);
    auto* check = AddControl<TCheckBox>(*Form, 10, 70, 80, 21);
    auto* radio = AddControl<TRadioButton>(*Form, 10, 100, 80, 21);
    auto* edit = AddControl<TEdit>(*Form, 10, 130, 80, 21);
    auto* speed = AddControl<TSpeedButton>(*Form, 100, 40, 80, 25);
    auto* off = AddControl<TButton>(*Form, 100, 10, 80, 25);
    off->Tag = Skin.DisableTag;
    List->InitControls(Form.get());
    EXPECT_EQ(KindOf(*List, button), "button");
    EXPECT_EQ(KindOf(*List, bit), "bitbtn"); // a bit button is a button too: the first row wins
    EXPECT_EQ(KindOf(*List, check), "checkbox");
    EXPECT_EQ(KindOf(*List, radio), "radio");
    EXPECT_EQ(KindOf(*List, edit), "edit");
    EXPECT_EQ(KindOf(*List, speed), "speed"); // windowless, painted on its parent
    EXPECT_EQ(KindOf(*List, off), "");
    List->DeleteControls();

    Without(xcBitBtn); // the bit button then stays plain, never a push-button skinner
    Without(xcCheckBox);
    List->InitControls(Form.get());
    EXPECT_EQ(KindOf(*List, bit), "");
    EXPECT_EQ(KindOf(*List, check), "");
    EXPECT_EQ(KindOf(*List, button), "button");
}

TEST_F(TSelection, Skin3rdKeywordsDecideAloneAndTheApplicationFirst) {
    TStringList lines;
    lines.Add("TOtherButton=button");
    lines.Add("tcheckbox=RadioButton");
    lines.Add("TButton=nil");
    lines.Add("TLong=" + std::string(60, 'k'));
    EXPECT_EQ(Skin3rdKeyword(lines, "TCHECKBOX"), "RadioButton");
    EXPECT_EQ(Skin3rdKeyword(lines, "TOther"), std::nullopt); // the whole class name, up to "="
    EXPECT_EQ(Skin3rdKeyword(lines, "TLong")->size(), 50u);

    std::unique_ptr<TStringList> saved = std::move(Skin.Skin3rd);
    Skin.Skin3rd = std::make_unique<TStringList>();
    Skin.Skin3rd->Add("TButton=nil");
    Skin.Skin3rd->Add("TCheckBox=radiobutton");
    Skin.Skin3rd->Add("TBitBtn=MenuBtn");
    auto* button = AddControl<TButton>(*Form, 10, 10, 80, 25);
    auto* menu = AddControl<TBitBtn>(*Form, 10, 40, 80, 25);
    auto* check = AddControl<TCheckBox>(*Form, 10, 70, 80, 21);
    List->InitControls(Form.get());
    EXPECT_EQ(KindOf(*List, button), ""); // "nil" beats the chain
    EXPECT_EQ(KindOf(*List, check), "radio");
    EXPECT_EQ(KindOf(*List, menu), "menu");
    List->DeleteControls();

    Without(xcRadioButton); // the keyword's gate is shut: no skinner, and no fall-back to the chain
    List->InitControls(Form.get());
    EXPECT_EQ(KindOf(*List, check), "");
    List->DeleteControls();

    TSkinControl* chosen = nullptr;
    Skin.OnSkinControl.Code = [&](TComponent*, TSkinData*, TControl*, TControl* c, const std::string& cls,
                                  TComponent*& made) {
        if (cls != "TBUTTON") return;
        made = chosen = new TSkinCheckBox(c);
    };
    List->InitControls(Form.get());
    EXPECT_EQ(List->FindSkinner(button), chosen);
    EXPECT_TRUE(chosen && chosen->Initialized);
    Skin.OnSkinControl = {};
    List->DeleteControls();
    Skin.Skin3rd = std::move(saved);
}
