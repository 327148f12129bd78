// Owners for GDI objects and device contexts: whoever makes a handle owns it, and the type says how
// it is given back. All are move-only; a moved-from owner holds nothing.
#pragma once

#include <windows.h>

#include <utility>

// A pen, brush, font, bitmap, region or palette, deleted with DeleteObject.
template <class H> class TGdiHandle {
  public:
    TGdiHandle() = default;
    explicit TGdiHandle(H h) : FHandle(h) {}
    TGdiHandle(TGdiHandle&& other) noexcept : FHandle(other.release()) {}
    TGdiHandle& operator=(TGdiHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    TGdiHandle(const TGdiHandle&) = delete;
    TGdiHandle& operator=(const TGdiHandle&) = delete;
    ~TGdiHandle() { reset(); }

    H get() const { return FHandle; }
    operator H() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    H release() { return std::exchange(FHandle, nullptr); }
    void reset(H h = nullptr) {
        if (FHandle) DeleteObject(FHandle);
        FHandle = h;
    }

  private:
    H FHandle = nullptr;
};

// Shared shape of the DC owners: holds the handle, forbids copies.
class TDCOwner {
  public:
    TDCOwner(const TDCOwner&) = delete;
    TDCOwner& operator=(const TDCOwner&) = delete;
    HDC get() const { return FDC; }
    operator HDC() const { return FDC; }
    explicit operator bool() const { return FDC != nullptr; }

  protected:
    explicit TDCOwner(HDC dc) : FDC(dc) {}
    ~TDCOwner() = default;
    HDC FDC;
};

// A memory DC compatible with `compatible` (the screen when null), deleted with DeleteDC.
class TMemoryDC : public TDCOwner {
  public:
    explicit TMemoryDC(HDC compatible = nullptr) : TDCOwner(CreateCompatibleDC(compatible)) {}
    TMemoryDC(TMemoryDC&& other) noexcept : TDCOwner(std::exchange(other.FDC, nullptr)) {}
    ~TMemoryDC() {
        if (FDC) DeleteDC(FDC);
    }
};

// The DC of a whole window including its frame (GetWindowDC / ReleaseDC).
class TWindowDC : public TDCOwner {
  public:
    explicit TWindowDC(HWND wnd) : TDCOwner(GetWindowDC(wnd)), FWnd(wnd) {}
    ~TWindowDC() {
        if (FDC) ReleaseDC(FWnd, FDC);
    }

  private:
    HWND FWnd;
};

// The DC of a window's client area (GetDC / ReleaseDC); a null window gives the screen.
class TClientDC : public TDCOwner {
  public:
    explicit TClientDC(HWND wnd) : TDCOwner(GetDC(wnd)), FWnd(wnd) {}
    ~TClientDC() {
        if (FDC) ReleaseDC(FWnd, FDC);
    }

  private:
    HWND FWnd;
};

// BeginPaint / EndPaint for one WM_PAINT.
class TPaintDC : public TDCOwner {
  public:
    explicit TPaintDC(HWND wnd) : TDCOwner(nullptr), FWnd(wnd) { FDC = BeginPaint(wnd, &FPaint); }
    ~TPaintDC() { EndPaint(FWnd, &FPaint); }
    const PAINTSTRUCT& Paint() const { return FPaint; }

  private:
    HWND FWnd;
    PAINTSTRUCT FPaint{};
};

// Selects an object into a DC and puts the previous one back. Not for regions: selecting a region
// copies it and returns no previous handle.
class TSelectObject {
  public:
    TSelectObject(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(SelectObject(dc, obj)) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject() {
        if (FOld && FOld != HGDI_ERROR) SelectObject(FDC, FOld);
    }

  private:
    HDC FDC;
    HGDIOBJ FOld;
};

// SaveDC / RestoreDC around a block that changes colours, modes, origins or clipping.
class TSaveDC {
  public:
    explicit TSaveDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
    TSaveDC(const TSaveDC&) = delete;
    TSaveDC& operator=(const TSaveDC&) = delete;
    ~TSaveDC() {
        if (FSaved) RestoreDC(FDC, FSaved);
    }

  private:
    HDC FDC;
    int FSaved;
};
