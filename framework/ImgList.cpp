#include "ImgList.h"

namespace {

// Paints `colour` where the mask is black and keeps the destination where it is white.
void Emboss(HDC dc, int x, int y, TBitmap& mask, TColor colour) {
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(colour)));
    TSelectObject select(dc, brush);
    constexpr DWORD PSDPxax = 0x00B8074A;
    BitBlt(dc, x, y, mask.Width(), mask.Height(), mask.MemoryDC(), 0, 0, PSDPxax);
}

} // namespace

const TClassInfo& TImageList::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TImageList>("TImageList", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Int("Height", &TImageList::Height, &TImageList::Height)
                                       .Int("Width", &TImageList::Width, &TImageList::Width)
                                       .Build();
    return info;
}

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() = default;

int TImageList::Count() const {
    if (!FHandle || SizeChanged()) return 0;
    return ImageList_GetImageCount(FHandle.get());
}

HIMAGELIST TImageList::Handle() {
    if (FHandle && SizeChanged()) FHandle.reset();
    if (FHandle) return FHandle.get();
    if (Width < 1 || Height < 1) throw EInvalidGraphicOperation("Invalid image size");
    FHandle.reset(ImageList_Create(Width, Height, ILC_COLOR24 | ILC_MASK, 4, 4));
    if (!FHandle) throw EOutOfResources("Out of system resources");
    FHandleWidth = Width;
    FHandleHeight = Height;
    return FHandle.get();
}

void TImageList::Clear() {
    FHandle.reset();
}

bool TImageList::LoadFromResourceName(HINSTANCE instance, const std::u16string& name, TColor maskColor) {
    TBitmap strip;
    try {
        strip.LoadFromResourceName(instance, name);
    } catch (const EResNotFound&) {
        return false;
    } catch (const EInvalidGraphic&) {
        return false;
    }
    Clear();
    return AddMasked(strip, maskColor) >= 0;
}

int TImageList::AddMasked(TBitmap& strip, TColor maskColor) {
    if (strip.Empty()) return -1;
    // The list reads the pixels through a DC of its own, and ImageList_AddMasked blackens the
    // masked pixels of what it is given: work on a copy that no canvas holds.
    TBitmap copy;
    copy.Assign(&strip);
    copy.SetPixelFormat(pf24bit);
    if (maskColor == clNone) return ImageList_Add(Handle(), copy.Handle(), nullptr);
    copy.TransparentColor = maskColor;
    return ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(copy.EffectiveTransparentColor()));
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return;
    if (enabled)
        ImageList_Draw(Handle(), index, canvas.DC(), x, y, ILD_TRANSPARENT);
    else
        DrawGreyed(canvas.DC(), x, y, index);
}

void TImageList::DrawGreyed(HDC dc, int x, int y, int index) {
    TBitmap shape;
    shape.SetSize(Width, Height); // white
    ImageList_Draw(Handle(), index, shape.MemoryDC(), 0, 0, ILD_TRANSPARENT);
    shape.Mask(clWhite); // white where nothing (or white) was drawn, black on the image's shape
    TSaveDC save(dc);
    // A 1-bit source maps 0 to the text colour and 1 to the background colour: match the mask.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    Emboss(dc, x + 1, y + 1, shape, clBtnHighlight);
    Emboss(dc, x, y, shape, clBtnShadow);
}
