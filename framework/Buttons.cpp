// TBitBtn and TSpeedButton: a glyph strip and a caption on a face drawn by the framework.
#include "Buttons.h"

#include "ControlsPublish.h"
#include "Forms.h"

#include <windowsx.h>

const TEnumNames ButtonLayoutNames{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
const TEnumNames BitBtnKindNames{"bkCustom", "bkOK",    "bkCancel", "bkHelp",   "bkYes", "bkNo",
                                 "bkClose",  "bkAbort", "bkRetry",  "bkIgnore", "bkAll"};

namespace {
struct TKindLook {
    const char* Caption;
    TModalResult Result;
};
const TKindLook KindLooks[] = {{"", mrNone},          {"OK", mrOk},       {"Cancel", mrCancel},
                               {"&Help", mrNone},     {"&Yes", mrYes},    {"&No", mrNo},
                               {"&Close", mrNone},    {"Abort", mrAbort}, {"&Retry", mrRetry},
                               {"&Ignore", mrIgnore}, {"&All", mrAll}};

// Along the layout's axis, from the client's start: where the glyph and the text begin.
struct TAxisPlaces {
    int Glyph, Text;
};

TAxisPlaces PlaceOnAxis(int room, int glyph, int text, bool glyphFirst, int margin, int spacing) {
    if (glyph == 0 || text == 0) spacing = 0;
    if (margin < 0 && spacing < 0)
        margin = spacing = (room - glyph - text) / 3;
    else if (margin < 0)
        margin = (room - glyph - spacing - text) / 2;
    else if (spacing < 0)
        spacing = (room - margin - glyph - text) / 2;
    if (glyphFirst) return {margin, margin + glyph + spacing};
    int at = room - margin - glyph;
    return {at, at - spacing - text};
}

template <class T> TClassBuilder<T>& PublishGlyph(TClassBuilder<T>& b) {
    return b
        .template Obj<TBitmap>("Glyph", [](const T& c) { return &const_cast<T&>(c).ButtonGlyph().Glyph(); })
        .Enum(
            "Layout", ButtonLayoutNames, [](const T& c) { return c.ButtonGlyph().Layout; },
            [](T& c, TButtonLayout v) {
                c.ButtonGlyph().Layout = v;
                c.Invalidate();
            })
        .Int(
            "Margin", [](const T& c) { return c.ButtonGlyph().Margin; },
            [](T& c, int v) {
                c.ButtonGlyph().Margin = v;
                c.Invalidate();
            })
        .Int(
            "NumGlyphs", [](const T& c) { return c.ButtonGlyph().NumGlyphs(); },
            [](T& c, int v) {
                c.ButtonGlyph().SetNumGlyphs(v);
                c.Invalidate();
            })
        .Int(
            "Spacing", [](const T& c) { return c.ButtonGlyph().Spacing; },
            [](T& c, int v) {
                c.ButtonGlyph().Spacing = v;
                c.Invalidate();
            });
}
} // namespace

// ---- Glyph and caption --------------------------------------------------------------------------

TGlyphPlacement PlaceGlyphAndText(const RECT& client, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                                  int spacing) {
    bool vertical = layout == blGlyphTop || layout == blGlyphBottom;
    bool first = layout == blGlyphLeft || layout == blGlyphTop;
    int width = client.right - client.left, height = client.bottom - client.top;
    TAxisPlaces along = vertical ? PlaceOnAxis(height, glyph.cy, text.cy, first, margin, spacing)
                                 : PlaceOnAxis(width, glyph.cx, text.cx, first, margin, spacing);
    POINT g =
        vertical ? POINT{(width - glyph.cx) / 2, along.Glyph} : POINT{along.Glyph, (height - glyph.cy) / 2};
    POINT t = vertical ? POINT{(width - text.cx) / 2, along.Text} : POINT{along.Text, (height - text.cy) / 2};
    LONG x = client.left + t.x, y = client.top + t.y;
    return {{client.left + g.x, client.top + g.y}, {x, y, x + text.cx, y + text.cy}};
}

void TButtonGlyph::SetNumGlyphs(int v) {
    FNumGlyphs = std::clamp(v, 1, 4);
}

// A state without an image of its own shows the first one.
void TButtonGlyph::Draw(TCanvas& canvas, const RECT& client, const std::u16string& caption,
                        TButtonState state) {
    SIZE glyph{FGlyph.Empty() ? 0 : FGlyph.Width() / FNumGlyphs, FGlyph.Empty() ? 0 : FGlyph.Height()};
    RECT measured{0, 0, 0, 0};
    if (!caption.empty()) canvas.DrawText(caption, measured, DT_CALCRECT | DT_SINGLELINE);
    TGlyphPlacement at =
        PlaceGlyphAndText(client, glyph, {measured.right, measured.bottom}, Layout, Margin, Spacing);
    if (glyph.cx > 0) {
        int image = state < FNumGlyphs ? state : 0;
        TransparentBlt(canvas.Handle(), at.Glyph.x, at.Glyph.y, glyph.cx, glyph.cy, FGlyph.MemoryDC(),
                       image * glyph.cx, 0, glyph.cx, glyph.cy,
                       ColorToRGB(FGlyph.EffectiveTransparentColor()));
    }
    if (caption.empty()) return;
    canvas.Brush().SetStyle(bsClear);
    if (state == bsDisabled) canvas.Font().SetColor(clGrayText);
    canvas.DrawText(caption, at.Text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

// ---- TBitBtn ------------------------------------------------------------------------------------

const TClassInfo& TBitBtn::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TBitBtn> b("TBitBtn", TButton::StaticClassInfo());
        b.Creatable().Enum("Kind", BitBtnKindNames, &TBitBtn::Kind, &TBitBtn::SetKind);
        return PublishGlyph(b).Build();
    }();
    return info;
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

void TBitBtn::SetKind(TBitBtnKind v) {
    FKind = v;
    if (v == bkCustom) return;
    SetDefault(v == bkOK || v == bkYes);
    Cancel = v == bkCancel || v == bkNo;
    ModalResult = KindLooks[v].Result;
    if (!Loading() || Caption().empty()) SetCaption(KindLooks[v].Caption);
}

void TBitBtn::Click() {
    TButton::Click();
    if (FKind != bkClose) return;
    if (TCustomForm* form = GetParentForm(this)) form->Close();
}

// A quick second click is a click of its own, not a double click that owner-drawn buttons report.
void TBitBtn::CreateParams(TCreateParams& Params) {
    TButton::CreateParams(Params);
    Params.Style = (Params.Style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
    Params.WindowClass.style &= ~UINT(CS_DBLCLKS);
}

// The default role is drawn (a dark frame), not a button style: the face stays owner-drawn.
void TBitBtn::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
        Message.Result = TRUE;
        return;
    case BM_SETSTYLE:
        Message.WParam = BS_OWNERDRAW;
        TButton::WndProc(Message);
        Invalidate();
        return;
    }
    TButton::WndProc(Message);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    TLentCanvas lent(FCanvas, item.hDC);
    UseControlLook(FCanvas, *this);
    bool pressed = item.itemState & ODS_SELECTED, focused = item.itemState & ODS_FOCUS;
    RECT r = item.rcItem;
    if (Default() || focused) {
        FrameRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    RECT face = r;
    if (pressed) OffsetRect(&face, 1, 1);
    FGlyph.Draw(FCanvas, face, Utf8ToUtf16(Caption()), !Enabled() ? bsDisabled : pressed ? bsDown : bsUp);
    if (!focused) return;
    InflateRect(&r, -3, -3);
    DrawFocusRect(item.hDC, &r);
}

// ---- TSpeedButton -------------------------------------------------------------------------------

const TClassInfo& TSpeedButton::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TSpeedButton> b("TSpeedButton", TGraphicControl::StaticClassInfo());
        b.Creatable()
            .Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
            .Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
            .Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
            .Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
        PublishCaption(b);
        PublishLook(PublishGlyph(b));
        return PublishOnClick(b).Build();
    }();
    return info;
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    StoreBounds({0, 0, 23, 22});
    SetColor(clBtnFace);
    SetParentColor(true);
    ClickOnMouseUp = false; // the button decides, after the group's rules
}

template <class F> void TSpeedButton::ForGroup(F each) {
    if (!Parent() || FGroupIndex == 0) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (b && b != this && b->FGroupIndex == FGroupIndex) each(*b);
    }
}

void TSpeedButton::SetState(TButtonState v) {
    if (v == FState) return;
    FState = v;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int v) {
    FGroupIndex = v;
    if (v != 0) return;
    FDown = false;
    SetState(bsUp);
}

void TSpeedButton::SetDown(bool v) {
    if (FGroupIndex == 0) v = false;
    if (v == FDown || (FDown && !FAllowAllUp)) return;
    FDown = v;
    SetState(v ? bsExclusive : bsUp);
    if (!v) return;
    ForGroup([](TSpeedButton& b) {
        b.FDown = false;
        b.SetState(bsUp);
    });
}

void TSpeedButton::SetAllowAllUp(bool v) {
    FAllowAllUp = v;
    ForGroup([v](TSpeedButton& b) { b.FAllowAllUp = v; });
}

void TSpeedButton::SetFlat(bool v) {
    FFlat = v;
    Invalidate();
}

void TSpeedButton::MouseDown() {
    FDragging = true;
    if (!FDown) SetState(bsDown);
}

void TSpeedButton::MouseMove(POINT p) {
    if (!FDragging) return;
    RECT r = ClientRect();
    SetState(FDown ? bsExclusive : PtInRect(&r, p) ? bsDown : bsUp);
}

void TSpeedButton::MouseUp(POINT p) {
    if (!std::exchange(FDragging, false)) return;
    RECT r = ClientRect();
    bool inside = PtInRect(&r, p);
    if (inside) SetDown(!FDown);
    SetState(FDown ? bsExclusive : bsUp);
    if (inside) Click();
}

void TSpeedButton::WndProc(TMessage& Message) {
    POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown();
        break;
    case WM_MOUSEMOVE:
        MouseMove(p);
        break;
    case WM_LBUTTONUP:
        MouseUp(p);
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FMouseInControl = Message.Msg == CM_MOUSEENTER;
        if (FFlat) Invalidate();
        break;
    }
    TGraphicControl::WndProc(Message);
}

void TSpeedButton::Paint() {
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    bool down = FState == bsDown || FState == bsExclusive;
    if (!FFlat) {
        UINT look = DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | (FState == bsExclusive ? DFCS_CHECKED : 0);
        DrawFrameControl(c.Handle(), &r, DFC_BUTTON, look);
    } else {
        c.FillRect(r);
        if (down || (FMouseInControl && Enabled()))
            DrawEdge(c.Handle(), &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    if (down) OffsetRect(&r, 1, 1);
    FGlyph.Draw(c, r, Utf8ToUtf16(Caption()), Enabled() ? FState : bsDisabled);
}
