// The default skin's bitmaps: names, sizes and depths in archive order, and how each is drawn.
#pragma once

#include "BmpCodec.h"

#include <cstdint>
#include <string>
#include <vector>

struct TSkinBitmapSpec {
    const char* FileName; // as the description writes it
    int Width, Height, BitCount;
    int Frames;   // for the contact sheet
    bool Stacked; // frames one above the other
    TBmpImage (*Paint)();
};

const std::vector<TSkinBitmapSpec>& DefaultSkinBitmaps();

// Draws an entry and encodes it; throws Exception when the drawing does not have the listed size.
std::vector<uint8_t> RenderEntry(const TSkinBitmapSpec& entry);

// Whole-file helpers for the tool.
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFileBytes(const std::string& path);
