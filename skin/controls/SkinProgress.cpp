// Progress bars.
#include "SkinProgress.h"

#include "ImgUtil.h"
#include "SkinDraw.h"
#include "SkinMap.h"

#include <commctrl.h>

namespace {

constexpr int ChunkInset = 2; // the chunks keep off the background's edge

bool IsRangeMessage(UINT Msg) {
    switch (Msg) {
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
        return true;
    }
    return false;
}

} // namespace

RECT ChunkRowRect(int Filled, int ChunkHeight, int Height, int Inset) {
    int top = (Height - ChunkHeight) / 2;
    return {Inset, top, Inset + Filled, top + ChunkHeight};
}

bool TSkinProgress::BeforeProc(TMessage& Message) {
    TDataSkinBorder* image = SkinData ? SkinData->Progress.get() : nullptr;
    if (!image || image->Image.Empty()) return TSkinControl::BeforeProc(Message);
    return !PaintWholeFace(Message) && TSkinControl::BeforeProc(Message);
}

// The control repaints only the part it would have changed itself; the skin's fill differs.
void TSkinProgress::AfterProc(TMessage& Message) {
    if (IsRangeMessage(Message.Msg)) return Invalidate();
    TSkinControl::AfterProc(Message);
}

bool TSkinProgress::Vertical() const {
    return GetWindowLongEx(GWL_STYLE) & PBS_VERTICAL;
}

int TSkinProgress::Filled(int Length) const {
    int position = int(SendMessageW(Handle, PBM_GETPOS, 0, 0));
    int low = int(SendMessageW(Handle, PBM_GETRANGE, TRUE, 0));
    int high = int(SendMessageW(Handle, PBM_GETRANGE, FALSE, 0));
    return FilledLength(Length, position, low, high);
}

void TSkinProgress::DrawControl(HDC DC, const RECT& R) {
    TDataSkinBorder* image = SkinData ? SkinData->Progress.get() : nullptr;
    if (!image || image->Image.Empty()) return;
    int w = R.right - R.left, h = R.bottom - R.top;
    bool vertical = Vertical();
    TBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(vertical ? h : w, vertical ? w : h);
    RECT bar{0, 0, work.Width(), work.Height()};
    HDC mem = work.MemoryDC();
    FillBG(mem, bar);
    if (image->Style == 1)
        DrawChunked(mem, bar);
    else
        DrawFramed(mem, bar);
    if (vertical) Drehen270Grad(work);
    BitBlt(DC, R.left, R.top, w, h, work.MemoryDC(), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawFramed(HDC DC, const RECT& Bar) {
    TDataSkinBorder& image = *SkinData->Progress;
    DrawRect2(DC, Bar, image.Image, image.Margins, 1, 2, true, image.Tile != 0, false);
    RECT done = Bar;
    done.right = Filled(Bar.right);
    if (done.right > 0) DrawRect2(DC, done, image.Image, image.Margins, 2, 2, true, image.Tile != 0, false);
}

// The chunks fill the inside of the background, never its far edge.
void TSkinProgress::DrawChunked(HDC DC, const RECT& Bar) {
    TDataSkinObject* chunk = SkinData->ProgressChunk.get();
    if (!chunk || chunk->Image.Empty()) return;
    TDataSkinBorder& image = *SkinData->Progress;
    DrawRect2(DC, Bar, image.Image, image.Margins, 1, 1, true, false, false);
    int filled = Filled(Bar.right - 2 * ChunkInset);
    if (filled <= 0) return;
    if (chunk->Tile == 1) {
        RECT row = ChunkRowRect(filled, chunk->Image.Height(), Bar.bottom, ChunkInset);
        TCanvas canvas(DC);
        TSaveDC saved(DC);
        IntersectClipRect(DC, row.left, row.top, row.right, row.bottom);
        DrawBGbmp(canvas, row, chunk->Image,
                  {0, 0, chunk->Image.Width() / Max(1, chunk->Frame), chunk->Image.Height()});
        return;
    }
    RECT row{ChunkInset, ChunkInset, ChunkInset + filled, Bar.bottom - ChunkInset};
    DrawRectH(DC, row, chunk->Image, chunk->Margins, 1, 1, 0, false);
}
