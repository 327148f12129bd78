// TStatusBar: the common controls' status window with panels, a simple mode and owner-drawn panels.
#include "ComCtrls.h"

#include "ControlsPublish.h"
#include "Forms.h"

#include <commctrl.h>

#include <algorithm>

const TEnumNames StatusPanelBevelNames{"pbNone", "pbLowered", "pbRaised"};
const TEnumNames StatusPanelStyleNames{"psText", "psOwnerDraw"};

namespace {
std::u16string AlignedText(const std::string& text, TAlignment a) {
    static const char16_t* const prefix[] = {u"", u"\t\t", u"\t"};
    return prefix[a] + Utf8ToUtf16(text);
}
} // namespace

// ---- TStatusPanel -------------------------------------------------------------------------------

const TClassInfo& TStatusPanel::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TStatusPanel>("TStatusPanel", TCollectionItem::StaticClassInfo())
            .Enum("Alignment", AlignmentNames, &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
            .Enum("Bevel", StatusPanelBevelNames, &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
            .Enum("Style", StatusPanelStyleNames, &TStatusPanel::Style, &TStatusPanel::SetStyle)
            .Str("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
            .Int("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
            .Build();
    return info;
}

void TStatusPanel::SetText(const std::string& v) {
    if (v == FText) return;
    FText = v;
    Changed(false);
}

// Every part after this one moves.
void TStatusPanel::SetWidth(int v) {
    if (v == FWidth) return;
    FWidth = std::max(v, 0);
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment v) {
    FAlignment = v;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel v) {
    FBevel = v;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle v) {
    FStyle = v;
    Changed(false);
}

void TStatusPanel::Assign(const TPersistent* Source) {
    auto* panel = dynamic_cast<const TStatusPanel*>(Source);
    if (!panel) return TCollectionItem::Assign(Source);
    FText = panel->FText;
    FWidth = panel->FWidth;
    FAlignment = panel->FAlignment;
    FBevel = panel->FBevel;
    FStyle = panel->FStyle;
    Changed(true);
}

// ---- TStatusPanels ------------------------------------------------------------------------------

const TClassInfo& TStatusPanels::StaticClassInfo() {
    static const TClassInfo info{"TStatusPanels", &TCollection::StaticClassInfo(), {}, {}};
    return info;
}

TStatusPanels::TStatusPanels(TCustomStatusBar& StatusBar)
    : TCollectionOf(CollectionItemClass<TStatusPanel>(), &StatusBar), FBar(StatusBar) {}

void TStatusPanels::Update(TCollectionItem* Item) {
    if (Item)
        FBar.UpdatePanel(Item->Index());
    else
        FBar.UpdatePanels();
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
            .Obj<TStatusPanels>("Panels",
                                [](const TStatusBar& s) { return &const_cast<TStatusBar&>(s).Panels(); })
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
    if (!HandleAllocated()) return;
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
    // Without panels the one part left would keep the text of a panel that is gone.
    if (FPanels.Count() == 0) Perform(SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
    Perform(SB_SIMPLE, FSimplePanel);
    SetSimpleText(FSimpleText);
}

void TCustomStatusBar::UpdatePanel(int i) {
    if (!HandleAllocated() || i < 0 || i >= FPanels.Count()) return;
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
