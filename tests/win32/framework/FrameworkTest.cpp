#include "FrameworkTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
struct TFind {
    const char16_t* ClassName;
    const char16_t* Text;
    HWND Found;
};

// GetGuiResources counts nothing under Wine, but freed handle slots are taken first: the highest
// slot a batch of new objects gets only grows when objects were left alive.
template <class Make, class Destroy> unsigned HighWater(Make make, Destroy destroy) {
    std::vector<decltype(make(0))> batch;
    unsigned high = 0;
    for (int i = 0; i < 3000; ++i) {
        batch.push_back(make(i));
        high = std::max(high, unsigned(reinterpret_cast<uintptr_t>(batch.back())) & 0xFFFF);
    }
    for (auto h : batch)
        destroy(h);
    return high;
}

BOOL CALLBACK CountWindow(HWND wnd, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(wnd, CountWindow, count);
    return TRUE;
}

BOOL CALLBACK MatchChild(HWND wnd, LPARAM data) {
    auto* f = reinterpret_cast<TFind*>(data);
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    bool match = lstrcmpiW(cls, reinterpret_cast<const wchar_t*>(f->ClassName)) == 0 &&
                 (!f->Text || WindowText(wnd) == f->Text);
    if (match) f->Found = wnd;
    return !match;
}
} // namespace

// Brushes: the GDI table.
unsigned GdiHighWater() {
    return HighWater([](int i) { return CreateSolidBrush(RGB(i % 256, 0, 0)); }, DeleteObject);
}

// Menus: the table of windows and menus.
unsigned UserHighWater() {
    return HighWater([](int) { return CreatePopupMenu(); }, DestroyMenu);
}

int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

void Pump() {
    Application->ProcessMessages();
}

std::u16string WindowText(HWND wnd) {
    std::u16string text(size_t(GetWindowTextLengthW(wnd)) + 1, u'\0');
    text.resize(size_t(GetWindowTextW(wnd, reinterpret_cast<wchar_t*>(text.data()), int(text.size()))));
    return text;
}

HWND FindChild(HWND parent, const char16_t* className, const char16_t* text) {
    TFind f{className, text, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&f));
    return f.Found;
}

std::u16string MessageBoxText(HWND box) {
    std::u16string out;
    for (HWND w = GetWindow(box, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (lstrcmpiW(cls, L"Static") != 0 || (GetWindowLongW(w, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            continue;
        if (!out.empty()) out += u"\n";
        out += WindowText(w);
    }
    return out;
}

COLORREF ScreenPixel(HWND wnd, int x, int y) {
    TClientDC dc(wnd);
    return GetPixel(dc, x, y);
}

void ExpectNoLeaks(const std::function<void()>& cycle, int rounds) {
    ExpectFlatCounts(cycle, rounds);
    EXPECT_EQ(Screen->FormCount(), 0);
}

void ExpectFlatCounts(const std::function<void()>& cycle, int rounds) {
    cycle();
    HANDLE self = GetCurrentProcess();
    DWORD gdi = GetGuiResources(self, GR_GDIOBJECTS), user = GetGuiResources(self, GR_USEROBJECTS);
    unsigned gdiHigh = GdiHighWater(), userHigh = UserHighWater();
    int windows = ThreadWindows();
    for (int i = 0; i < rounds; ++i)
        cycle();
    EXPECT_LE(GetGuiResources(self, GR_GDIOBJECTS), gdi);
    EXPECT_LE(GetGuiResources(self, GR_USEROBJECTS), user);
    EXPECT_LE(GdiHighWater(), gdiHigh + 16); // one object left per cycle would add one per round
    EXPECT_LE(UserHighWater(), userHigh + 16);
    EXPECT_EQ(ThreadWindows(), windows);
}

TCbtHook::TCbtHook(std::function<void(int, HWND)> watch) {
    FHook.OnHook.Code = [watch = std::move(watch)](THookMessage& m) {
        watch(m.Code, reinterpret_cast<HWND>(m.WParam));
    };
    FHook.Install();
}
