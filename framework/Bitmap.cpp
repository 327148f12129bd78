// TBitmap: a DIB section with its own memory DC; BMP reading and writing; masks.
#include "BmpCodec.h"
#include "Graphics.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>
#include <vector>

// The bitmap's canvas: a memory DC that keeps the bitmap's current image selected.
class TBitmapCanvas : public TCanvas {
  public:
    explicit TBitmapCanvas(const TBitmap& bitmap) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override { SetHandle(nullptr); }

    void ImageChanging() { FSelected.reset(); }
    void ImageChanged() {
        if (FDC && FBitmap.Handle()) FSelected.emplace(FDC->get(), FBitmap.Handle());
    }

  protected:
    void CreateHandle() override {
        FDC.emplace();
        if (!*FDC) {
            FDC.reset();
            throw EOutOfResources("Out of system resources");
        }
        ImageChanged();
        SetHandle(FDC->get());
    }

  private:
    const TBitmap& FBitmap;
    std::optional<TMemoryDC> FDC;
    std::optional<TSelectObject> FSelected; // after FDC: the bitmap leaves the DC before it is deleted
};

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF, kMaskSet = 0xFFFFFFFF, kMaskClear = 0xFF000000;

TColor ArgbToColor(uint32_t argb) {
    return (argb >> 16 & 0xFF) | (argb & 0xFF00) | (argb & 0xFF) << 16;
}

TColor BottomLeft(const TDibSection& dib) {
    if (dib.Empty()) return clNone;
    GdiFlush();
    return ArgbToColor(dib.Get(0, dib.Height - 1));
}

TDibSection NewSection(int width, int height, TPixelFormat pf) {
    TDibSection dib = TDibSection::Create(width, height, pf);
    if (width > 0 && height > 0 && dib.Empty()) throw EOutOfResources("Out of system resources");
    return dib;
}

// A bitmap resource is a BMP file without its 14-byte file header; the pixels follow the info
// header, the colour masks of a 40-byte bit-field header and the colour table.
uint32_t ResourcePixelOffset(const uint8_t* dib, size_t size) {
    BITMAPINFOHEADER h{};
    if (size < sizeof h) return 0;
    std::memcpy(&h, dib, sizeof h);
    uint64_t colors = h.biClrUsed ? h.biClrUsed : h.biBitCount <= 8 ? uint64_t(1) << h.biBitCount : 0;
    uint64_t masks = h.biCompression == BI_BITFIELDS && h.biSize == sizeof h ? 12 : 0;
    return uint32_t(std::min<uint64_t>(14 + uint64_t(h.biSize) + masks + colors * 4, UINT32_MAX));
}

std::vector<uint8_t> ResourceToFile(const uint8_t* dib, size_t size) {
    std::vector<uint8_t> file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    uint32_t fileSize = uint32_t(std::min<uint64_t>(14 + uint64_t(size), UINT32_MAX));
    uint32_t offBits = ResourcePixelOffset(dib, size);
    std::memcpy(&file[2], &fileSize, 4);
    std::memcpy(&file[10], &offBits, 4);
    file.insert(file.end(), dib, dib + size);
    return file;
}

} // namespace

// Data: the image as a BMP file, so that a description can hold a picture (a button's glyph).
const TClassInfo& TBitmap::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TBitmap>("TBitmap", TPersistent::StaticClassInfo())
                                       .Binary(
                                           "Data",
                                           [](TBitmap& b, TStream& s) {
                                               if (s.Size() == 0) return b.FreeImage();
                                               b.LoadFromStream(s);
                                           },
                                           &TBitmap::SaveToStream)
                                       .Build();
    return info;
}

TBitmap::TBitmap() {
    Touch();
}

TBitmap::~TBitmap() {
    FCanvas.reset();
}

// One counter for all bitmaps: a bitmap made where a dead one lived never repeats its stamp.
void TBitmap::Touch() {
    static std::atomic<uint64_t> next{0};
    FStamp = ++next;
}

TBitmapCanvas& TBitmap::OwnCanvas() const {
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return *FCanvas;
}

TCanvas& TBitmap::Canvas() {
    Touch();
    return OwnCanvas();
}

HDC TBitmap::MemoryDC() {
    return Canvas().DC();
}

HDC TBitmap::SourceDC() const {
    return OwnCanvas().DC();
}

void TBitmap::ReplaceImage(TDibSection&& dib) {
    if (FCanvas) FCanvas->ImageChanging();
    FDib = std::move(dib);
    if (FCanvas) FCanvas->ImageChanged();
    Touch();
}

void TBitmap::FreeImage() {
    ReplaceImage(TDibSection::Create(0, 0, FDib.Format));
}

void TBitmap::SetSize(int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == Width() && h == Height()) return;
    TDibSection dib = NewSection(w, h, FDib.Format);
    GdiFlush(); // drawing may still be queued for the old pixels
    for (int y = 0; y < dib.Height; ++y)
        for (int x = 0; x < dib.Width; ++x)
            dib.Put(x, y, x < Width() && y < Height() ? FDib.Get(x, y) : kWhite);
    ReplaceImage(std::move(dib));
}

void TBitmap::SetPixelFormat(TPixelFormat pf) {
    if (pf == pfDevice) pf = pf24bit;
    if (!TDibSection::Supports(pf)) throw EInvalidGraphicOperation("Unsupported pixel format");
    if (pf == FDib.Format) return;
    TDibSection dib = NewSection(Width(), Height(), pf);
    GdiFlush();
    for (int y = 0; y < dib.Height; ++y)
        for (int x = 0; x < dib.Width; ++x)
            dib.Put(x, y, FDib.Get(x, y));
    ReplaceImage(std::move(dib));
}

void* TBitmap::ScanLine(int row) {
    Touch();
    return const_cast<void*>(std::as_const(*this).ScanLine(row));
}

const void* TBitmap::ScanLine(int row) const {
    if (row < 0 || row >= Height()) throw EInvalidGraphicOperation("Scan line index out of range");
    GdiFlush();
    return FDib.Row(row);
}

void TBitmap::Assign(const TPersistent* Source) {
    if (!Source) return FreeImage();
    auto* src = dynamic_cast<const TBitmap*>(Source);
    if (!src) return TPersistent::Assign(Source);
    if (src == this) return;
    TDibSection dib = NewSection(src->Width(), src->Height(), src->PixelFormat());
    GdiFlush();
    if (!dib.Empty()) std::memcpy(dib.Bits, src->FDib.Bits, dib.ImageBytes());
    ReplaceImage(std::move(dib));
    Transparent = src->Transparent;
    TransparentColor = src->TransparentColor;
}

TColor TBitmap::EffectiveTransparentColor() const {
    return TransparentColor != clDefault ? TransparentColor : BottomLeft(FDib);
}

void TBitmap::Mask(TColor transparentColor) {
    TColor key = ColorToRGB(transparentColor == clDefault ? BottomLeft(FDib) : transparentColor);
    TDibSection dib = NewSection(Width(), Height(), pf1bit);
    GdiFlush();
    for (int y = 0; y < dib.Height; ++y)
        for (int x = 0; x < dib.Width; ++x)
            dib.Put(x, y, ArgbToColor(FDib.Get(x, y)) == key ? kMaskSet : kMaskClear);
    ReplaceImage(std::move(dib));
}

// ---- BMP files ------------------------------------------------------------------------------------

void TBitmap::LoadFromBytes(const uint8_t* data, size_t size) {
    TBmpImage img;
    TBmpError error;
    if (!DecodeBmp(data, size, img, &error)) {
        FreeImage();
        if (error.TooLarge) throw EGraphicTooLarge("Bitmap " + error.Text);
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    TDibSection dib = NewSection(img.Width, img.Height, img.BitCount == 32 ? pf32bit : pf24bit);
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x)
            dib.Put(x, y, img.At(x, y));
    ReplaceImage(std::move(dib));
}

void TBitmap::LoadFromStream(TStream& s) {
    std::vector<uint8_t> data(size_t(std::max<int64_t>(s.Size() - s.Position(), 0)));
    size_t got = 0;
    while (got < data.size()) {
        int32_t n = s.Read(data.data() + got, int32_t(std::min<size_t>(data.size() - got, INT32_MAX)));
        if (n <= 0) break;
        got += size_t(n);
    }
    LoadFromBytes(data.data(), got);
}

void TBitmap::SaveToStream(TStream& s) const {
    if (Empty()) return;
    GdiFlush();
    TBmpImage img(Width(), Height());
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            img.At(x, y) = FDib.Get(x, y);
    std::vector<uint8_t> bytes = EncodeBmp(img, FDib.BitsPerPixel());
    s.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

void TBitmap::LoadFromFile(const std::string& path) {
    TFileStream f(path, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(f);
}

void TBitmap::SaveToFile(const std::string& path) const {
    TFileStream f(path, fmCreate);
    SaveToStream(f);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::u16string& name) {
    HRSRC res = FindResourceW(instance, reinterpret_cast<const wchar_t*>(name.c_str()), RT_BITMAP);
    HGLOBAL mem = res ? LoadResource(instance, res) : nullptr;
    auto* dib = mem ? static_cast<const uint8_t*>(LockResource(mem)) : nullptr;
    if (!dib) throw EResNotFound(Format("Resource %s not found", Utf16ToUtf8(name).c_str()));
    std::vector<uint8_t> file = ResourceToFile(dib, SizeofResource(instance, res));
    LoadFromBytes(file.data(), file.size());
}
