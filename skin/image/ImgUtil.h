// Colour and bitmap helpers used while a skin is prepared and by the control skinners: blending, a
// cached gradient fill, a saturation figure, magenta replacement, grey scale, mirroring and rotating.
// The pixel functions work on 24-bit bitmaps (32-bit ones are read as well).
#pragma once

#include "Graphics.h"

#include <windows.h>

#include <memory>

// W below 100 is a percentage of A, from 100 on a per-mille (150 means 15 % of A).
TColor Blend(TColor A, TColor B, int W);
// Direction 1: C1 at the top to C2 at the bottom; 0: left to right. Paints only what the clip box shows.
void GradFill(HDC DC, const RECT& R, TColor C1, TColor C2, int Direction);
// Saturation 0 ... 255; 200 for any colour whose three channels are all below 160.
int GetHSV(TColor K);

// Makes the bitmap 24-bit and replaces exact magenta by the colour's low three bytes.
void ChangeTrans(TBitmap& Bmp, TColor Color);
void ConvertBitmapToGrayscale(TBitmap& Bmp);
void SpiegelnHorizontal(TBitmap& Bmp); // left to right
void SpiegelnVertikal(TBitmap& Bmp);   // top to bottom
void Drehen90Grad(TBitmap& Bmp);       // a quarter turn clockwise; the result is 24-bit
void Drehen270Grad(TBitmap& Bmp);      // a quarter turn counter-clockwise; the result is 24-bit
void Drehen180Grad(TBitmap& Bmp);
// A new bitmap turned a quarter turn counter-clockwise; null unless Bmp is 24-bit.
std::unique_ptr<TBitmap> Rotate90(TBitmap& Bmp);
