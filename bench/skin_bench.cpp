// Timing harness for the skin model under Wine: loading the default skin and the drawing primitives
// that run on every paint, each beside a plain BitBlt of the same size measured in the same run.
#include "SkinDraw.h"
#include "SkinRead.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "SkinMessages.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(freq.QuadPart);
}

// Milliseconds per call: the best mean of five rounds of about 0.2 s each, so that other work on a
// shared machine shows up as little as possible.
double Time(const std::function<void()>& fn) {
    fn(); // warm up caches and lazily made DCs
    double best = 1e9;
    for (int round = 0; round < 5; round++) {
        int n = 0;
        double start = Now(), elapsed = 0;
        while (elapsed < 0.2) {
            fn();
            n++;
            elapsed = Now() - start;
        }
        best = std::min(best, elapsed * 1000.0 / n);
    }
    return best;
}

double BitBltTime(int w, int h) {
    TBitmap src, dst;
    src.SetSize(w, h);
    dst.SetSize(w, h);
    HDC s = src.MemoryDC(), d = dst.MemoryDC();
    return Time([&] {
        BitBlt(d, 0, 0, w, h, s, 0, 0, SRCCOPY);
        GdiFlush();
    });
}

void Report(const char* what, double ms, const char* baseName, double baseMs) {
    std::printf("%-44s %9.4f ms   %-24s %9.4f ms   ratio %7.1f\n", what, ms, baseName, baseMs, ms / baseMs);
}

// The whole skinned frame of a window of the main window's size painted on screen, beside one blit
// of the window's size onto the same window.
void FramePaint(TSkinData& skin) {
    const int w = 863, h = 620;
    HWND wnd = CreateWindowExW(0, L"STATIC", L"QUARLINK Config",
                               WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 0, 0, w,
                               h, nullptr, nullptr, nullptr, nullptr);
    {
        TWinSkinForm form;
        form.InitDlg(&skin, wnd);
        SendMessageW(wnd, WM_SKINACTIVATE, 0, 1000);
        SetWindowPos(wnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
        double paint = Time([&] {
            form.UpdateNc(nullptr);
            GdiFlush();
        });
        TBitmap src;
        src.SetSize(w, h);
        double blit = Time([&] {
            TWindowDC dc(wnd);
            BitBlt(dc, 0, 0, w, h, src.MemoryDC(), 0, 0, SRCCOPY);
            GdiFlush();
        });
        Report("whole frame paint 863 x 620 (target < 1 ms)", paint, "BitBlt 863 x 620 window", blit);
    }
    DestroyWindow(wnd);
}

} // namespace

int main() {
    SkinReadReport = [](const std::string& m) { std::printf("archive refused: %s\n", m.c_str()); };
    TSkinData skin(nullptr);
    TMemoryStream archive;
    archive.LoadFromFile(QL_DEFAULT_SKIN);

    double load = Time([&] { skin.LoadFromStream(archive); });
    double unpack = Time([&] {
        TSkinReader reader;
        reader.Loadfromstream(archive);
    });
    std::printf("%-44s %9.4f ms   (target < 30 ms)\n", "load the default skin", load);
    std::printf("%-44s %9.4f ms   share %5.1f %%\n", "  of which unpacking the archive", unpack,
                100.0 * unpack / load);

    TDataSkinBorder& top = *skin.Borders[bdTop];
    double title = Time([&] {
        GetHMap({0, 0, 855, 29}, top.Image, top.Margins, 1, top.Frame, top.Tile, true);
    });
    Report("GetHMap title strip 855 x 29", title, "BitBlt 855 x 29", BitBltTime(855, 29));

    TDataSkinButton& button = *skin.Button;
    double face = Time([&] {
        GetHMap({0, 0, 89, 25}, button.Image, button.Margins, 1, 5, button.Tile, false);
    });
    double base = BitBltTime(89, 25);
    Report("GetHMap button face 89 x 25 (target 0.2)", face, "BitBlt 89 x 25", base);
    TBitmap target;
    target.SetSize(89, 25);
    double drawn = Time([&] {
        DrawRect2(target.MemoryDC(), {0, 0, 89, 25}, button.Image, button.Margins, 4, 5, button.Trans == 1,
                  button.Tile == 1, false);
        GdiFlush();
    });
    Report("DrawRect2 button face, magenta keyed", drawn, "BitBlt 89 x 25", base);

    auto border = GetHMap({0, 0, 863, 29}, top.Image, top.Margins, 1, top.Frame, top.Tile, true);
    double region = Time([&] { BitmapToRegion(*border, 0, 0, clFuchsia, 0, 0, 0); });
    Report("BitmapToRegion top border 863 x 29", region, "BitBlt 863 x 29", BitBltTime(863, 29));
    FramePaint(skin);
    return 0;
}
