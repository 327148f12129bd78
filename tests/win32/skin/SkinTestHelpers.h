// Small skins built in memory, and pixel access for the skin tests. Colours are TColor (0x00BBGGRR).
#pragma once

#include "BmpCodec.h"
#include "Graphics.h"
#include "SkinRead.h"
#include "SkinWrite.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

inline uint32_t ToArgb(TColor c) {
    return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

// A 24-bit BMP file of one colour; `paint(x, y)` may give other pixels their own colour.
inline std::vector<uint8_t> BmpFile(int w, int h, TColor color,
                                    std::function<TColor(int, int)> paint = nullptr) {
    TBmpImage img(w, h, ToArgb(color));
    if (paint)
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                img.At(x, y) = ToArgb(paint(x, y));
    return EncodeBmp(img, 24);
}

inline std::vector<uint8_t> Text(const std::string& s) {
    return {s.begin(), s.end()};
}

// An archive of the given files plus the description, packed last as skins are.
inline void PackSkin(TMemoryStream& out, const std::string& ini, std::vector<TSkinEntry> files = {}) {
    files.push_back({"skin.ini", Text(ini)});
    out.Clear();
    WriteSkinArchive(files, out);
    out.SetPosition(0);
}

// The entries of the archive at `path`; none when it does not read.
inline std::vector<TSkinEntry> SkinEntriesOf(const std::string& path) {
    TSkinReader reader;
    std::vector<TSkinEntry> entries;
    if (!reader.loadfromfile(path)) return entries;
    for (int i = 0; i < reader.EntryCount; ++i) {
        TMemoryStream bytes;
        reader.readEntry(i, bytes);
        entries.push_back({reader.EntryNames[i], bytes.Bytes()});
    }
    return entries;
}

// The archive at `path` packed anew with the first `from` in its description replaced by `to`
// (another skin made from a real one); false when the archive or the text is not there.
inline bool RepackWithIniEdit(const std::string& path, const std::string& from, const std::string& to,
                              TMemoryStream& out) {
    std::vector<TSkinEntry> entries = SkinEntriesOf(path);
    bool edited = false;
    for (TSkinEntry& e : entries) {
        std::string data(e.Data.begin(), e.Data.end());
        size_t at = e.Name.ends_with(".ini") ? data.find(from) : std::string::npos;
        if (at == std::string::npos) continue;
        data.replace(at, from.size(), to);
        e.Data.assign(data.begin(), data.end());
        edited = true;
    }
    out.Clear();
    WriteSkinArchive(entries, out);
    out.SetPosition(0);
    return edited;
}

inline TColor Px(TBitmap& bmp, int x, int y) {
    return bmp.Canvas().Pixel(x, y);
}

// A 24-bit bitmap from rows of pixels.
inline void FillBitmap(TBitmap& bmp, int w, int h, const std::vector<TColor>& pixels) {
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            bmp.Canvas().SetPixel(x, y, pixels[size_t(y * w + x)]);
}

// A bitmap of one colour.
inline void SolidBitmap(TBitmap& bmp, int w, int h, TColor color) {
    bmp.SetSize(w, h);
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(color));
    RECT r{0, 0, w, h};
    FillRect(bmp.MemoryDC(), &r, brush);
}
