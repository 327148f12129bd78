// Controls: the windowless base (TControl), controls with a window of their own (TWinControl),
// windowless painted controls (TGraphicControl) and windowed painted ones (TCustomControl).
// Text is UTF-8 in the objects and UTF-16 at the Win32 boundary; every window is a Unicode window.
#pragma once

#include "Graphics.h"
#include "Messages.h"

#include <string>
#include <vector>

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const TEnumNames AlignNames, AlignmentNames;

// What a modal form or dialog ended with; the same numbers as the system's dialog results.
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO;

inline const wchar_t* WideChars(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

class TControl : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    void BeforeDestruction() override;

    // The description reader nests a control in its parent through SetParentComponent.
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    void SetParentComponent(TComponent* AParent) override;
    TComponent* GetParentComponent() const override;

    // Bounds in the parent's client coordinates (screen coordinates for a form).
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    virtual RECT ClientRect() const;
    int ClientWidth() const { return ClientRect().right; }
    int ClientHeight() const { return ClientRect().bottom; }
    void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
    void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& v) { SetText(v); }
    std::string Text() const { return GetText(); }
    void SetText(const std::string& v);

    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    std::string Hint;
    // Shown on WM_CONTEXTMENU when its AutoPopup is set (ControlsPopup.cpp).
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Every message to the control goes through WindowProc: initially the control's own WndProc.
    TWndMethod WindowProc;
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    virtual void WndProc(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    virtual void Invalidate();
    virtual void Update(); // paints what is invalid now
    void Repaint() {
        Invalidate();
        Update();
    }

    TNotifyEvent OnClick;

  protected:
    virtual void Click() { OnClick(this); }
    virtual void SetClientSize(int AWidth, int AHeight) { SetBounds(FLeft, FTop, AWidth, AHeight); }
    std::string GetText() const;
    bool Loading() const { return ComponentState & csLoading; }
    bool Destroying() const { return ComponentState & csDestroying; }
    // Sets the bounds without moving anything (a window reports where it went).
    void StoreBounds(const RECT& r);
    void RequestAlign();
    // True for controls whose mouse-up inside them is a click (the standard controls report theirs).
    bool ClickOnMouseUp = false;

  private:
    bool ContextPopup(TMessage& Message);
    void FontChanged(TObject* Sender);
    void MouseButton(TMessage& Message);
    void TakeParentFont();
    void TakeParentColor();

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true, FEnabled = true;
    bool FParentFont = true, FParentColor = false, FTakingParentFont = false;
    bool FMouseDown = false;
    std::string FText; // for windowless controls and for windows not made yet
    TFont FFont;
    TColor FColor = clWindow;
    TPopupMenu* FPopupMenu = nullptr;

    friend class TWinControl;
};

// The parts of a window a control asks for before it is made.
struct TCreateParams {
    std::u16string Caption;
    DWORD Style = 0, ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    WNDCLASSW WindowClass{};
    std::u16string WinClassName;
};

class TWinControl : public TControl {
    QL_CLASS_INFO()
  public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    HWND Handle(); // made on demand, with the parent's window and the windows of the children
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int i) const { return FControls.at(static_cast<size_t>(i)); }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);

    int TabOrder() const;
    void SetTabOrder(int v);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v);
    // The windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return FTabList; }

    bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    RECT ClientRect() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetVisible(bool v) override;
    void Invalidate() override;
    void Update() override;
    void Realign();
    TBrush& Brush() { return FBrush; }

    // Paints the visible windowless children, from `First` on in z-order (all when null), onto dc
    // in this control's client coordinates. Skinners call it after replacing a control's own paint.
    void PaintControls(HDC dc, TControl* First);
    // Sends the message to every child until one answers with a non-zero result.
    void Broadcast(TMessage& Message);

    void WndProc(TMessage& Message) override;
    // Hands the message to the window class's own procedure (the standard control for a subclassed
    // one); without a window the windowless handling applies.
    void DefaultHandler(TMessage& Message) override;

  protected:
    virtual void CreateParams(TCreateParams& Params);
    // Builds on a standard window class: its procedure becomes the DefaultHandler.
    void CreateSubClass(TCreateParams& Params, const wchar_t* ClassName);
    virtual void CreateWnd();
    // Makes the window, passing the control as the creation parameter (an MDI child passes it in
    // its MDICREATESTRUCT's lParam); a child window gets a control ID none of its siblings has.
    virtual HWND CreateWindowHandle(const TCreateParams& Params);
    // An MDI child is destroyed by its MDI client.
    virtual void DestroyWindowHandle();
    virtual void DestroyWnd(); // keeps what the window holds (text, items) for the next one
    // The client area left over once the aligned children are placed (an MDI frame's client goes there).
    virtual void ControlsAligned(const RECT&) {}
    void CreateHandle();
    void DestroyHandle();
    virtual void PaintWindow(HDC dc);
    // The part of the client area that aligned children share (inside a panel's bevels).
    virtual void AdjustClientRect(RECT&) const {}
    void SetClientSize(int AWidth, int AHeight) override;
    void Loaded() override;
    // Answers a reflected WM_CTLCOLOR*: the font colour, the control colour and its brush.
    void ColorReflected(TMessage& Message);
    bool Subclassed() const { return FDefWndProc != DefWindowProcW; }

  private:
    friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
    class TCreation;
    void AttachHandle(HWND wnd);
    void DetachHandle(HWND wnd);
    void RegisterWindowClass(TCreateParams& Params);
    void PlaceInZOrder();
    void UpdateBounds();
    void AlignControls();
    void FixupTabList();
    void WMPaint(TMessage& Message);
    void PaintHandler(HDC dc);
    void WMEraseBkgnd(TMessage& Message);
    bool Reflect(TMessage& Message);
    void NotifyChildren(UINT Msg);
    void TrackMouse(TMessage& Message);
    bool RouteMouseToGraphic(TMessage& Message);
    TControl* GraphicControlAt(POINT p) const;
    void SetMouseControl(TControl* c);

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = DefWindowProcW;
    std::vector<TControl*> FControls; // z-order: later ones on top
    std::vector<TWinControl*> FTabList;
    int FTabOrder = -1; // as stored, until the parent sorts its tab list
    bool FTabStop = false;
    bool FMouseInside = false, FAligning = false;
    TControl* FMouseControl = nullptr;   // the windowless child under the mouse
    TControl* FCaptureControl = nullptr; // the windowless child that has the mouse pressed
    TBrush FBrush;
};

// A windowless control that paints itself on its parent's window.
class TGraphicControl : public TControl {
    QL_CLASS_INFO()
  public:
    explicit TGraphicControl(TComponent* AOwner);
    TCanvas& Canvas() { return FCanvas; }
    void WndProc(TMessage& Message) override;

  protected:
    virtual void Paint() {}

  private:
    TCanvas FCanvas;
};

// A windowed control with a window class of its own that paints itself on its canvas.
class TCustomControl : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TCustomControl(TComponent* AOwner);
    TCanvas& Canvas() { return FCanvas; }

  protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

  private:
    TCanvas FCanvas;
};

// The control the framework attached to a window (its object pointer in the window property
// "ControlOfs%.8X%.8X" of module instance and GUI thread); null for other windows. A window made
// by the framework has its control from HCBT_CREATEWND on, before its first message.
TControl* FindControl(HWND wnd);
// The name of that window property.
const wchar_t* ControlPropName();
TCustomForm* GetParentForm(const TControl* Control);
// A control paints on a canvas with its own font and colour (after lending the canvas a DC).
void UseControlLook(TCanvas& canvas, const TControl& control);
