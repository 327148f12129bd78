// Colours, fonts, brushes, pens, canvases on device contexts and DIB-section bitmaps.
#pragma once

#include "Classes.h"
#include "TypInfo.h"

#include "DibSection.h"
#include "GdiHandles.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// ---- Colours ------------------------------------------------------------------------------------

// 0x00BBGGRR, or clSystemColor + n: system colour n, resolved with GetSysColor when drawn.
using TColor = uint32_t;
constexpr TColor clSystemColor = 0x80000000u;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
// Not a colour: "not given" and "the default of whoever draws".
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR,
                 clBackground = clSystemColor | COLOR_BACKGROUND,
                 clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION,
                 clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION,
                 clMenu = clSystemColor | COLOR_MENU, clWindow = clSystemColor | COLOR_WINDOW,
                 clWindowFrame = clSystemColor | COLOR_WINDOWFRAME,
                 clMenuText = clSystemColor | COLOR_MENUTEXT, clWindowText = clSystemColor | COLOR_WINDOWTEXT,
                 clCaptionText = clSystemColor | COLOR_CAPTIONTEXT,
                 clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER,
                 clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER,
                 clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE,
                 clHighlight = clSystemColor | COLOR_HIGHLIGHT,
                 clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT,
                 clBtnFace = clSystemColor | COLOR_BTNFACE, clBtnShadow = clSystemColor | COLOR_BTNSHADOW,
                 clGrayText = clSystemColor | COLOR_GRAYTEXT, clBtnText = clSystemColor | COLOR_BTNTEXT,
                 clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT,
                 clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT,
                 cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW, cl3DLight = clSystemColor | COLOR_3DLIGHT,
                 clInfoText = clSystemColor | COLOR_INFOTEXT, clInfoBk = clSystemColor | COLOR_INFOBK,
                 clHotLight = clSystemColor | COLOR_HOTLIGHT,
                 clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT,
                 clMenuBar = clSystemColor | COLOR_MENUBAR;

// An explicit RGB for GDI: system colours through GetSysColor. Only the low three bytes of any other
// value are kept (GDI would read a high byte as a palette reference).
COLORREF ColorToRGB(TColor c);

class EInvalidGraphic : public Exception {
    using Exception::Exception;
};
// An image whose declared size is beyond what the BMP decoder accepts.
class EGraphicTooLarge : public EInvalidGraphic {
    using EInvalidGraphic::EInvalidGraphic;
};
class EInvalidGraphicOperation : public Exception {
    using Exception::Exception;
};
class EOutOfResources : public Exception {
    using Exception::Exception;
};
class EResNotFound : public Exception {
    using Exception::Exception;
};

// ---- Drawing tools --------------------------------------------------------------------------------

// A font, brush or pen: its GDI object is made on demand, owned, and made anew after each change.
class TGraphicsObject : public TPersistent {
    QL_CLASS_INFO()
  public:
    TNotifyEvent OnChange;

  protected:
    // Listeners hear of the change while the old object still exists (a canvas must deselect it
    // first); it is deleted afterwards.
    void Changed();
    HGDIOBJ ObjectHandle();
    virtual HGDIOBJ CreateObject() const = 0;

  private:
    TGdiHandle<HGDIOBJ> FHandle;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint32_t; // bit (1 << TFontStyle) per style
extern const TEnumNames FontStyleNames;

class TFont : public TGraphicsObject {
    QL_CLASS_INFO()
  public:
    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    int Size() const; // points at 96 dpi
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    uint8_t Charset() const { return FCharset; }
    void SetCharset(uint8_t charset);

    HFONT Handle() { return static_cast<HFONT>(ObjectHandle()); }
    void Assign(const TPersistent* Source) override;

  protected:
    HGDIOBJ CreateObject() const override;

  private:
    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    uint8_t FCharset = DEFAULT_CHARSET;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
    QL_CLASS_INFO()
  public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);
    HBRUSH Handle() { return static_cast<HBRUSH>(ObjectHandle()); }
    void Assign(const TPersistent* Source) override;

  protected:
    HGDIOBJ CreateObject() const override;

  private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

enum TPenStyle { psSolid, psDash, psDot, psClear };

class TPen : public TGraphicsObject {
    QL_CLASS_INFO()
  public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style);
    HPEN Handle() { return static_cast<HPEN>(ObjectHandle()); }
    void Assign(const TPersistent* Source) override;

  protected:
    HGDIOBJ CreateObject() const override;

  private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
};

// ---- Canvas -------------------------------------------------------------------------------------

class TBitmap;

// Drawing on a device context it does not own. Font, brush and pen are selected when the handle is
// asked for and taken out again when they change, when the handle changes and when the canvas dies,
// so no object of ours stays selected in someone else's DC.
class TCanvas : public TPersistent {
    QL_CLASS_INFO()
  public:
    TCanvas();
    explicit TCanvas(HDC dc);
    ~TCanvas() override;

    HDC Handle(); // with font, brush and pen selected; EInvalidGraphicOperation when there is no DC
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }
    HDC DC(); // the DC without selecting the tools: a blit source

    TFont& Font() { return FFont; }
    TBrush& Brush() { return FBrush; }
    TPen& Pen() { return FPen; }
    int CopyMode = SRCCOPY;

    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);
    void Rectangle(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const POINT* points, int count);

    void TextOut(int x, int y, const std::u16string& text);
    int TextWidth(const std::u16string& text);
    int TextHeight(const std::u16string& text);
    void TextRect(const RECT& r, int x, int y, const std::u16string& text); // clipped to r
    int DrawText(const std::u16string& text, RECT& r, UINT format);         // DrawTextW

    // StretchBlt with CopyMode in stretch mode COLORONCOLOR: pixels repeat or drop, never blend.
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& src);
    // Pixels of the bitmap's transparent colour leave the destination untouched when it is Transparent.
    void Draw(int x, int y, TBitmap& bmp);
    void StretchDraw(const RECT& r, TBitmap& bmp);

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // A nesting counter only: the program has one GUI thread.
    void Lock() { ++FLockCount; }
    void Unlock() { --FLockCount; }
    int LockCount() const { return FLockCount; }

  protected:
    virtual void CreateHandle() {}

  private:
    void RequireTools();
    void DeselectTools();
    void ToolChanged(TObject* sender);

    friend class TLentCanvas;
    HDC FHandle = nullptr;
    int FLockCount = 0;
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
    // Declared after the tools: destroyed first, so the DC's own objects go back before ours die.
    std::optional<TSelectObject> FFontSel, FBrushSel, FPenSel;
};

// A canvas lent a DC for one drawing pass; it has its previous DC back afterwards, also when the
// drawing throws.
class TLentCanvas {
  public:
    TLentCanvas(TCanvas& canvas, HDC dc) : FCanvas(canvas), FPrevious(canvas.FHandle) {
        canvas.SetHandle(dc);
    }
    TLentCanvas(const TLentCanvas&) = delete;
    TLentCanvas& operator=(const TLentCanvas&) = delete;
    ~TLentCanvas() { FCanvas.SetHandle(FPrevious); }

  private:
    TCanvas& FCanvas;
    HDC FPrevious;
};

// ---- Bitmap -------------------------------------------------------------------------------------

class TBitmapCanvas;

// A DIB section with top-down rows. pf24bit by default; pf1bit (masks) and pf32bit also hold pixels,
// pfDevice means pf24bit, and the palette and 16-bit formats are refused (EInvalidGraphicOperation).
class TBitmap : public TPersistent {
    QL_CLASS_INFO()
  public:
    TBitmap();
    ~TBitmap() override;

    int Width() const { return FDib.Width; }
    int Height() const { return FDib.Height; }
    void SetWidth(int w) { SetSize(w, FDib.Height); }
    void SetHeight(int h) { SetSize(FDib.Width, h); }
    // Keeps the top-left content; new pixels are white. A side of 0 (or less) leaves the bitmap empty.
    void SetSize(int w, int h);

    TPixelFormat PixelFormat() const { return FDib.Format; }
    void SetPixelFormat(TPixelFormat pf); // converting keeps the pixels (1 bit: the BMP writer's rule)

    void* ScanLine(int row); // row 0 is the top row; EInvalidGraphicOperation outside the image
    const void* ScanLine(int row) const;
    int RowBytes() const { return FDib.RowBytes(); }
    bool Empty() const { return FDib.Empty(); }
    HBITMAP Handle() const { return FDib.Handle.get(); }

    TCanvas& Canvas(); // a memory DC with this bitmap selected, made on demand and owned
    HDC MemoryDC();    // that DC without the canvas's font, brush and pen: a blit source
    // The same DC for reading only: whoever draws into it must use MemoryDC or Canvas instead.
    HDC SourceDC() const;

    // Takes a new value, unique in the process, on every way in that can change the pixels: a new
    // image, the writable ScanLine, Canvas and MemoryDC. (bitmap, stamp) thus names one content,
    // which caches of derived pixels key on. So take the canvas or DC anew for each change rather
    // than keeping it across draws from this bitmap.
    uint64_t Stamp() const { return FStamp; }

    void Assign(const TPersistent* Source) override; // deep copy; nullptr empties

    // BMP of any depth the codec reads, from the stream's position to its end; 32-bit files load as
    // pf32bit, the others as pf24bit.
    // A file that cannot be decoded raises EInvalidGraphic("Bitmap image is not valid"), one that
    // declares too many pixels EGraphicTooLarge; either leaves the bitmap empty. Saving writes 1, 24 or 32
    // bits after PixelFormat; an empty bitmap writes nothing.
    void LoadFromStream(TStream& s);
    void SaveToStream(TStream& s) const;
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;
    void LoadFromResourceName(HINSTANCE instance, const std::u16string& name); // RT_BITMAP; EResNotFound

    bool Transparent = false;
    TColor TransparentColor = clDefault; // clDefault: the bottom-left pixel
    TColor EffectiveTransparentColor() const;

    // Turns the bitmap into a 1-bit mask: white (1) exactly where the pixel has the colour (clDefault:
    // the bottom-left pixel's), black (0) elsewhere.
    void Mask(TColor transparentColor);
    void FreeImage();

  private:
    void ReplaceImage(TDibSection&& dib);
    void LoadFromBytes(const uint8_t* data, size_t size);
    TBitmapCanvas& OwnCanvas() const;
    void Touch();

    TDibSection FDib;
    uint64_t FStamp = 0;
    // Made on demand, also for reading; after FDib: gone before the bitmap it has selected.
    mutable std::unique_ptr<TBitmapCanvas> FCanvas;
};

// Registers the classes a stored description may name (TImageList).
void RegisterGraphicsClasses();
