// TStatusBar: the common controls' status window with panels, a simple mode and owner-drawn panels.
#include "ComCtrls.h"

#include "ControlsPublish.h"
#include "Forms.h"

#include <commctrl.h>

#include <algorithm>

const TEnumNames StatusPanelBevelNames{"pbNone", "pbLowered", "pbRaised"};
const TEnumNames StatusPanelStyleNames{"psText", "psOwnerDraw"};

namespace {
// One "Name=Value" of a panel definition; unknown names and malformed values are errors.
void SetPanelProperty(TStatusPanel& panel, const std::string& item) {
    size_t eq = item.find('=');
    std::string name = Trim(item.substr(0, eq));
    std::string value = eq == std::string::npos ? std::string() : Trim(item.substr(eq + 1));
    const TPropInfo* p = GetPropInfo(&panel, name);
    if (!p || eq == std::string::npos) throw EConvertError("Invalid status panel definition '" + item + "'");
    if (p->Kind == tkString) return p->SetStr(panel, value);
    if (p->Kind == tkInteger) return p->SetOrd(panel, StrToInt(value));
    int v = GetEnumValue(*p->Names, value);
    if (v < 0) throw EConvertError("'" + value + "' is not a valid value of " + name);
    p->SetOrd(panel, v);
}

std::u16string AlignedText(const std::string& text, TAlignment a) {
    static const char16_t* const prefix[] = {u"", u"\t\t", u"\t"};
    return prefix[a] + Utf8ToUtf16(text);
}
} // namespace

// ---- TStatusPanel -------------------------------------------------------------------------------

const TClassInfo& TStatusPanel::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TStatusPanel>("TStatusPanel", TPersistent::StaticClassInfo())
            .Enum("Alignment", AlignmentNames, &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
            .Enum("Bevel", StatusPanelBevelNames, &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
            .Enum("Style", StatusPanelStyleNames, &TStatusPanel::Style, &TStatusPanel::SetStyle)
            .Str("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
            .Int("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
            .Build();
    return info;
}

int TStatusPanel::Index() const {
    return FBar.Panels().IndexOf(this);
}

void TStatusPanel::Changed() {
    FBar.UpdatePanel(Index());
}

void TStatusPanel::SetText(const std::string& v) {
    if (v == FText) return;
    FText = v;
    Changed();
}

void TStatusPanel::SetWidth(int v) {
    if (v == FWidth) return;
    FWidth = std::max(v, 0);
    FBar.UpdatePanels();
}

void TStatusPanel::SetAlignment(TAlignment v) {
    FAlignment = v;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel v) {
    FBevel = v;
    Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle v) {
    FStyle = v;
    Changed();
}

// ---- TStatusPanels ------------------------------------------------------------------------------

TStatusPanel* TStatusPanels::Items(int i) const {
    if (i < 0 || i >= Count()) TStrings::RaiseIndexError(i);
    return FItems[size_t(i)].get();
}

TStatusPanel* TStatusPanels::Add() {
    FItems.push_back(std::make_unique<TStatusPanel>(FBar));
    FBar.UpdatePanels();
    return FItems.back().get();
}

void TStatusPanels::Delete(int i) {
    Items(i);
    FItems.erase(FItems.begin() + i);
    FBar.UpdatePanels();
}

void TStatusPanels::Clear() {
    FItems.clear();
    FBar.UpdatePanels();
}

int TStatusPanels::IndexOf(const TStatusPanel* p) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)].get() == p) return i;
    return -1;
}

// ---- TStatusBar ---------------------------------------------------------------------------------

const TClassInfo& TCustomStatusBar::StaticClassInfo() {
    static const TClassInfo info{"TCustomStatusBar", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TStatusBar::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TStatusBar> b("TStatusBar", TCustomStatusBar::StaticClassInfo());
        b.Creatable()
            .Obj<TStrings>("PanelDefs",
                           [](const TStatusBar& s) { return &const_cast<TStatusBar&>(s).PanelDefs(); })
            .Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
            .Str("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
            .Bool("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SizeGrip)
            .Event("OnDrawPanel", static_cast<TDrawPanelEvent TStatusBar::*>(&TStatusBar::OnDrawPanel));
        PublishLook(b);
        return b.Build();
    }();
    return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
    StoreBounds({0, 0, 200, 19});
    SetColor(clBtnFace);
    SetAlign(alBottom);
    FPanelDefs.OnChange.Bind(this, &TCustomStatusBar::PanelDefsChanged);
}

void TCustomStatusBar::PanelDefsChanged(TObject*) {
    FApplyingDefs = true;
    try {
        FPanels.Clear();
        for (int i = 0; i < FPanelDefs.Count(); ++i) {
            TStatusPanel* panel = FPanels.Add();
            std::string line = FPanelDefs.Get(i);
            for (size_t b = 0, e; b <= line.size(); b = e + 1) {
                e = std::min(line.find(',', b), line.size());
                if (!Trim(line.substr(b, e - b)).empty()) SetPanelProperty(*panel, line.substr(b, e - b));
            }
        }
    } catch (...) {
        FApplyingDefs = false;
        throw;
    }
    FApplyingDefs = false;
    UpdatePanels();
}

void TCustomStatusBar::SetSimplePanel(bool v) {
    FSimplePanel = v;
    UpdatePanels();
}

void TCustomStatusBar::SetSimpleText(const std::string& v) {
    FSimpleText = v;
    if (!HandleAllocated()) return;
    std::u16string text = Utf8ToUtf16(v);
    Perform(SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

// A part's text can only be set while the bar is not in simple mode.
void TCustomStatusBar::UpdatePanels() {
    if (!HandleAllocated() || FApplyingDefs) return;
    Perform(SB_SIMPLE, FALSE);
    std::vector<int> edges;
    for (int i = 0, x = 0; i < FPanels.Count(); ++i) {
        x += FPanels[i]->Width();
        edges.push_back(i + 1 == FPanels.Count() ? -1 : x);
    }
    if (edges.empty()) edges.push_back(-1);
    Perform(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < FPanels.Count(); ++i)
        UpdatePanel(i);
    Perform(SB_SIMPLE, FSimplePanel);
    SetSimpleText(FSimpleText);
}

void TCustomStatusBar::UpdatePanel(int i) {
    if (!HandleAllocated() || FApplyingDefs || i < 0 || i >= FPanels.Count()) return;
    static const WPARAM bevels[] = {SBT_NOBORDERS, 0, SBT_POPOUT};
    const TStatusPanel& panel = *FPanels[i];
    WPARAM part = WPARAM(i) | bevels[panel.Bevel()];
    if (panel.Style() == psOwnerDraw) {
        Perform(SB_SETTEXTW, part | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(&panel));
        return;
    }
    std::u16string text = AlignedText(panel.Text(), panel.Alignment());
    Perform(SB_SETTEXTW, part, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomStatusBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    CreateSubClass(Params, STATUSCLASSNAMEW);
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    auto* form = dynamic_cast<TCustomForm*>(Parent());
    if (SizeGrip && form && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin))
        Params.Style |= SBARS_SIZEGRIP;
}

void TCustomStatusBar::CreateWnd() {
    TWinControl::CreateWnd();
    if (Color() != clBtnFace) Perform(SB_SETBKCOLOR, 0, ColorToRGB(Color()));
    UpdatePanels();
}

void TCustomStatusBar::DrawPanel(const DRAWITEMSTRUCT& item) {
    if (!OnDrawPanel || item.itemID >= UINT(FPanels.Count())) return;
    TLentCanvas lent(FCanvas, item.hDC);
    FCanvas.Font().Assign(&Font());
    OnDrawPanel(this, FPanels[int(item.itemID)], item.rcItem);
}

void TCustomStatusBar::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CN_DRAWITEM:
        DrawPanel(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
        Message.Result = TRUE;
        return;
    case CM_COLORCHANGED:
        if (HandleAllocated())
            Perform(SB_SETBKCOLOR, 0, Color() == clBtnFace ? CLR_DEFAULT : ColorToRGB(Color()));
        break;
    }
    TWinControl::WndProc(Message);
}
