// Timing harness for the skin model under Wine: loading the default skin and the drawing primitives
// that run on every paint, each beside a plain BitBlt of the same size measured in the same run, and
// the main window's whole client area skinned beside plain.
// One function per measurement, listed in main. `--quick` runs short rounds (make test).
#include "FaceCache.h"
#include "MainUnit.h"
#include "SkinDraw.h"
#include "SkinRead.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "SkinMessages.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
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

// Full rounds: the best mean of five rounds of about 0.2 s each, so that other work on a shared
// machine shows up as little as possible. Quick rounds only prove the code runs and give a rough figure.
struct TRounds {
    int Count = 5;
    double Seconds = 0.2;
};
TRounds Rounds;

// Milliseconds per call.
double Time(const std::function<void()>& fn) {
    fn(); // warm up caches and lazily made DCs
    double best = 1e9;
    for (int round = 0; round < Rounds.Count; round++) {
        int n = 0;
        double start = Now(), elapsed = 0;
        while (elapsed < Rounds.Seconds) {
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

// A ratio with a target: "met" or "MISSED" is for the reader; the run never fails on speed.
void ReportTarget(const char* what, double ms, const char* baseName, double baseMs, double target) {
    Report(what, ms, baseName, baseMs);
    std::printf("  %s (ratio target <= %.1f)\n", ms / baseMs <= target ? "target met" : "target MISSED",
                target);
}

// ---- Measurements -----------------------------------------------------------------------------------

void LoadSkin(TSkinData& skin, TMemoryStream& archive) {
    double load = Time([&] { skin.LoadFromStream(archive); });
    double unpack = Time([&] {
        TSkinReader reader;
        reader.Loadfromstream(archive);
    });
    std::printf("%-44s %9.4f ms   (target < 30 ms)\n", "load the default skin", load);
    std::printf("%-44s %9.4f ms   share %5.1f %%\n", "  of which unpacking the archive", unpack,
                100.0 * unpack / load);
}

void TitleStrip(TSkinData& skin) {
    TDataSkinBorder& top = *skin.Borders[bdTop];
    double title = Time([&] {
        GetHMap({0, 0, 855, 29}, top.Image, top.Margins, 1, top.Frame, top.Tile, true);
    });
    Report("GetHMap title strip 855 x 29", title, "BitBlt 855 x 29", BitBltTime(855, 29));
}

constexpr RECT kButton{0, 0, 89, 25};

void ButtonFaceUncached(TSkinData& skin) {
    TDataSkinButton& b = *skin.Button;
    double face = Time([&] { GetHMap(kButton, b.Image, b.Margins, 1, 5, b.Tile, false); });
    Report("GetHMap button face 89 x 25, uncached", face, "BitBlt 89 x 25", BitBltTime(89, 25));
}

// What a button repaint costs: its face drawn through the face cache into a canvas.
void ButtonRepaintCached(TSkinData& skin, bool transparent, const char* what, double target) {
    TDataSkinButton& b = *skin.Button;
    TBitmap target24;
    target24.SetSize(89, 25);
    HDC d = target24.MemoryDC();
    double drawn = Time([&] {
        DrawRect2(d, kButton, b.Image, b.Margins, 1, 5, transparent, b.Tile == 1, false);
        GdiFlush();
    });
    ReportTarget(what, drawn, "BitBlt 89 x 25", BitBltTime(89, 25), target);
}

// Magenta-keyed draw of a whole 89 x 25 face: the key mask kept, and made anew each time (as it
// was before masks were kept) by touching the bitmap's pixels, which gives it a new stamp.
void KeyedDraw(TSkinData& skin) {
    TDataSkinButton& b = *skin.Button;
    auto face = GetHMap(kButton, b.Image, b.Margins, 1, 5, b.Tile, false);
    TBitmap target24;
    target24.SetSize(89, 25);
    HDC d = target24.MemoryDC();
    double kept = Time([&] {
        DrawTranmap(d, kButton, *face, clFuchsia);
        GdiFlush();
    });
    double fresh = Time([&] {
        face->ScanLine(0);
        DrawTranmap(d, kButton, *face, clFuchsia);
        GdiFlush();
    });
    double base = BitBltTime(89, 25);
    ReportTarget("DrawTranmap 89 x 25, mask kept", kept, "BitBlt 89 x 25", base, 3.0);
    Report("DrawTranmap 89 x 25, mask made each time", fresh, "BitBlt 89 x 25", base);
}

void TopBorderRegion(TSkinData& skin) {
    TDataSkinBorder& top = *skin.Borders[bdTop];
    auto border = GetHMap({0, 0, 863, 29}, top.Image, top.Margins, 1, top.Frame, top.Tile, true);
    double region = Time([&] { BitmapToRegion(*border, 0, 0, clFuchsia, 0, 0, 0); });
    Report("BitmapToRegion top border 863 x 29", region, "BitBlt 863 x 29", BitBltTime(863, 29));
}

// ---- Window paints, one function each -----------------------------------------------------------
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
        ReportTarget("whole frame paint 863 x 620 (target < 1 ms)", paint, "BitBlt 863 x 620 window", blit,
                     10.0);
    }
    DestroyWindow(wnd);
}

// The main window's client area repainted whole, children included: once as the program skins it,
// once plain. Each is timed alone on screen.
double ClientRepaintTime(bool plain) {
    TMainForm* form = nullptr;
    TMainForm::StartOptions.Plain = plain;
    Application->CreateForm(form);
    TMainForm::StartOptions = {};
    form->Show();
    Application->ProcessMessages();
    HWND wnd = form->Handle();
    double ms = Time([&] {
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
    });
    form->Free();
    Application->ProcessMessages();
    return ms;
}

void ClientRepaint() {
    Application->Initialize();
    double skinned = ClientRepaintTime(false), plain = ClientRepaintTime(true);
    Report("main window client repaint 855 x 591, skinned", skinned, "the same, plain", plain);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--quick") == 0) Rounds = {2, 0.02};
    SkinReadReport = [](const std::string& m) { std::printf("archive refused: %s\n", m.c_str()); };
    TSkinData skin(nullptr);
    TMemoryStream archive;
    archive.LoadFromFile(QL_DEFAULT_SKIN);
    skin.LoadFromStream(archive);

    const std::function<void()> measurements[] = {
        [&] { LoadSkin(skin, archive); },
        [&] { TitleStrip(skin); },
        [&] { ButtonFaceUncached(skin); },
        [&] { ButtonRepaintCached(skin, false, "button repaint 89 x 25, face kept", 3.0); },
        [&] { ButtonRepaintCached(skin, true, "button repaint 89 x 25, magenta keyed, kept", 3.0); },
        [&] { KeyedDraw(skin); },
        [&] { TopBorderRegion(skin); },
        [&] { FramePaint(skin); },
        [&] { ClientRepaint(); },
    };
    for (const auto& measure : measurements)
        measure();
    return 0;
}
