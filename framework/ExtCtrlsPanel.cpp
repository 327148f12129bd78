// TPanel: a framework-drawn container with bevels and a caption.
#include "ExtCtrls.h"

#include "ControlsPublish.h"

const TEnumNames BevelCutNames{"bvNone", "bvLowered", "bvRaised", "bvSpace"};

namespace {
struct TBevelColors {
    TColor TopLeft, BottomRight;
};

// A lowered bevel is lit from below, a raised one from above; a space bevel keeps the panel colour.
const TBevelColors BevelColors[] = {
    {clNone, clNone}, {clBtnShadow, clBtnHighlight}, {clBtnHighlight, clBtnShadow}, {clNone, clNone}};

void FillStrip(HDC dc, const RECT& r, HBRUSH brush) {
    FillRect(dc, &r, brush);
}

// Draws `width` rings from the edge of r inwards and leaves r inside them.
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    if (cut == bvSpace) {
        InflateRect(&r, -width, -width);
        return;
    }
    TGdiHandle<HBRUSH> light(CreateSolidBrush(ColorToRGB(BevelColors[cut].TopLeft)));
    TGdiHandle<HBRUSH> dark(CreateSolidBrush(ColorToRGB(BevelColors[cut].BottomRight)));
    for (int i = 0; i < width; ++i) {
        FillStrip(dc, {r.left, r.top, r.right - 1, r.top + 1}, light);
        FillStrip(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, light);
        FillStrip(dc, {r.left, r.bottom - 1, r.right, r.bottom}, dark);
        FillStrip(dc, {r.right - 1, r.top, r.right, r.bottom}, dark);
        InflateRect(&r, -1, -1);
    }
}
} // namespace

const TClassInfo& TCustomPanel::StaticClassInfo() {
    static const TClassInfo info{"TCustomPanel", &TCustomControl::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TPanel::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TPanel> b("TPanel", TCustomPanel::StaticClassInfo());
        b.Creatable()
            .Enum("Alignment", AlignmentNames, &TPanel::Alignment, &TPanel::SetAlignment)
            .Enum("BevelInner", BevelCutNames, &TPanel::BevelInner, &TPanel::SetBevelInner)
            .Enum("BevelOuter", BevelCutNames, &TPanel::BevelOuter, &TPanel::SetBevelOuter)
            .Int("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
            .Int("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)
            .Enum("BorderStyle", BorderStyleNames, &TPanel::BorderStyle, &TPanel::SetBorderStyle);
        PublishCaption(b);
        PublishTabs(PublishLook(b));
        return PublishOnClick(b).Build();
    }();
    return info;
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    StoreBounds({0, 0, 185, 41});
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TCustomPanel::SetAlignment(TAlignment v) {
    FAlignment = v;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
    FBevelInner = v;
    FrameChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
    FBevelOuter = v;
    FrameChanged();
}

void TCustomPanel::SetBevelWidth(int v) {
    FBevelWidth = std::max(v, 1);
    FrameChanged();
}

void TCustomPanel::SetBorderWidth(int v) {
    FBorderWidth = std::max(v, 0);
    FrameChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
    SetWindowValue(*this, FBorderStyle, v);
}

void TCustomPanel::FrameChanged() {
    Invalidate();
    Realign();
}

void TCustomPanel::AdjustClientRect(RECT& r) const {
    int inset =
        FBorderWidth + (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
    InflateRect(&r, -inset, -inset);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN | (FBorderStyle == TBorderStyle::bsSingle ? WS_BORDER : 0);
}

void TCustomPanel::WndProc(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED) Invalidate();
}

void TCustomPanel::Paint() {
    static const UINT aligns[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    c.FillRect(r);
    DrawBevel(c.Handle(), r, FBevelOuter, FBevelWidth);
    InflateRect(&r, -FBorderWidth, -FBorderWidth);
    DrawBevel(c.Handle(), r, FBevelInner, FBevelWidth);
    c.Brush().SetStyle(bsClear);
    if (!Enabled()) c.Font().SetColor(clGrayText);
    c.DrawText(Utf8ToUtf16(Caption()), r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | aligns[FAlignment]);
}
