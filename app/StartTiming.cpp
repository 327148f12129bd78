#include "StartTiming.h"

#include "MainUnit.h"
#include "SkinMessages.h"

#include <windows.h>

#include <cstdio>
#include <memory>

namespace {
long long Ticks() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

long long Micros(long long from, long long to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return (to - from) * 1000000 / f.QuadPart;
}

// Posted and sent messages and paints: what the window still has to do after showing.
bool WorkPending() {
    return HIWORD(GetQueueStatus(QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0;
}

struct TCloseFile {
    void operator()(FILE* f) const { fclose(f); }
};
} // namespace

TStartTiming::TStartTiming() : Start(Ticks()) {}

void TStartTiming::FormRead() {
    Read = Ticks();
}

void TStartTiming::Shown() {
    Show = Ticks();
}

void TStartTiming::Painted() {
    Paint = Ticks();
}

bool TStartTiming::WriteTo(const std::string& file, bool skinned) const {
    std::unique_ptr<FILE, TCloseFile> f(fopen(file.c_str(), "w"));
    if (!f) return false;
    fprintf(f.get(), "%lld %lld %lld %d\n", Micros(Start, Read), Micros(Read, Show), Micros(Show, Paint),
            skinned ? 1 : 0);
    return true;
}

void TimeFirstPaint(TStartTiming& timing, const std::string& file) {
    timing.FormRead();
    MainForm->Show();
    timing.Shown();
    while (WorkPending())
        Application->ProcessMessages();
    timing.Painted();
    const bool skinned = SendMessageW(MainForm->Handle(), WM_SKINQUERY, 0, 0) == 1;
    timing.WriteTo(file, skinned);
    Application->Terminate();
}
