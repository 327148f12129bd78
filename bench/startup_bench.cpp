// Start-up of the real program under Wine: wWinMain to the main window's first complete paint,
// skinned beside --plain, the two started in turn in the same run. The program times itself
// (--measure-start) so process creation is not counted. `--quick` runs few starts (make test).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Microseconds of one start: form read with the skin, shown and taken over, first paint.
struct TStart {
    double Load = 0, TakeOver = 0, Paint = 0;
    bool Skinned = false;
    double Total() const { return Load + TakeOver + Paint; }
};

std::wstring Widen(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

std::string TempFile() {
    char dir[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "qls", 0, name);
    return name;
}

bool RunOnce(bool plain, TStart& start) {
    const std::string out = TempFile();
    std::wstring cmd = L"\"" + Widen(QL_PROGRAM) + L"\" --measure-start \"" + Widen(out) + L"\"";
    if (plain) cmd += L" --plain";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    const bool ended = WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    FILE* f = fopen(out.c_str(), "r");
    int skinned = 0;
    const bool read =
        f && fscanf(f, "%lf %lf %lf %d", &start.Load, &start.TakeOver, &start.Paint, &skinned) == 4;
    if (f) fclose(f);
    DeleteFileA(out.c_str());
    start.Skinned = skinned == 1;
    return ended && read;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct TSummary {
    double Load, TakeOver, Paint, Total;
};

TSummary Summarize(const std::vector<TStart>& starts) {
    auto of = [&](double TStart::*field) {
        std::vector<double> v;
        for (const TStart& s : starts)
            v.push_back(s.*field);
        return Median(v) / 1000.0;
    };
    std::vector<double> totals;
    for (const TStart& s : starts)
        totals.push_back(s.Total());
    return {of(&TStart::Load), of(&TStart::TakeOver), of(&TStart::Paint), Median(totals) / 1000.0};
}

void Print(const char* name, const TSummary& s) {
    printf("%-8s total %7.2f ms = load %7.2f + take-over %6.2f + first paint %6.2f\n", name, s.Total, s.Load,
           s.TakeOver, s.Paint);
}

} // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && strcmp(argv[1], "--quick") == 0;
    const int rounds = quick ? 3 : 15;
    std::vector<TStart> plain, skinned;
    TStart warm;
    RunOnce(false, warm); // the file cache and the Wine server warmed
    for (int i = 0; i < rounds; ++i) {
        TStart p, s;
        if (!RunOnce(true, p) || !RunOnce(false, s)) {
            printf("start-up: the program did not report its start\n");
            return 1;
        }
        if (p.Skinned || !s.Skinned) {
            printf("start-up: --plain started skinned or the default start did not\n");
            return 1;
        }
        plain.push_back(p);
        skinned.push_back(s);
    }
    const TSummary p = Summarize(plain), s = Summarize(skinned);
    printf("start-up, median of %d starts each (wWinMain to the first complete paint)\n", rounds);
    Print("plain", p);
    Print("skinned", s);
    printf("ratio skinned/plain %.2f (target <= 1.1); skinned total %.1f ms (target < 50 ms)\n",
           s.Total / p.Total, s.Total);
    return 0;
}
