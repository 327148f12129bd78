#include "Glyphs.h"

namespace {

const uint16_t kTriangle[] = {0b0001000, 0b0011100, 0b0111110, 0b1111111};
const uint16_t kChevron[] = {0b100000001, 0b010000010, 0b001000100, 0b000101000, 0b000010000};
const uint16_t kCheck[] = {0b0000001, 0b0000011, 0b1000110, 0b1101100, 0b0111000, 0b0010000};
const uint16_t kClose[] = {0b100000001, 0b010000010, 0b001000100, 0b000101000, 0b000010000,
                           0b000101000, 0b001000100, 0b010000010, 0b100000001};
const uint16_t kMax[] = {0b111111111, 0b100000001, 0b100000001, 0b100000001, 0b100000001,
                         0b100000001, 0b100000001, 0b100000001, 0b111111111};
const uint16_t kMin[] = {0, 0, 0, 0, 0b111111111, 0, 0, 0, 0};
const uint16_t kRestore[] = {0b001111111, 0b001000001, 0b111111101, 0b100000101, 0b100000101,
                             0b100000101, 0b100000111, 0b100000100, 0b111111100};
const uint16_t kSmallClose[] = {0b1000001, 0b0100010, 0b0010100, 0b0001000, 0b0010100, 0b0100010, 0b1000001};
const uint16_t kSmallMin[] = {0, 0, 0, 0, 0, 0b1111111, 0b1111111};
const uint16_t kSmallRestore[] = {0b0011111, 0b0010001, 0b1111101, 0b1000101,
                                  0b1000111, 0b1000100, 0b1111100};

} // namespace

namespace Glyphs {

const TGlyph Triangle{7, 4, kTriangle};
const TGlyph Chevron{9, 5, kChevron};
const TGlyph CheckMark{7, 6, kCheck};
const TGlyph CaptionClose{9, 9, kClose};
const TGlyph CaptionMax{9, 9, kMax};
const TGlyph CaptionMin{9, 9, kMin};
const TGlyph CaptionRestore{9, 9, kRestore};
const TGlyph SmallClose{7, 7, kSmallClose};
const TGlyph SmallMin{7, 7, kSmallMin};
const TGlyph SmallRestore{7, 7, kSmallRestore};

} // namespace Glyphs
