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

BOOL CALLBACK MatchChild(HWND wnd, LPARAM data) {
    auto* f = reinterpret_cast<TFind*>(data);
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    bool match = lstrcmpiW(cls, reinterpret_cast<const wchar_t*>(f->ClassName)) == 0 &&
                 (!f->Text || WindowText(wnd) == f->Text);
    if (match) f->Found = wnd;
    return !match;
}

BOOL CALLBACK CountWindow(HWND wnd, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(wnd, CountWindow, count);
    return TRUE;
}
} // namespace

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

unsigned GdiHighWater() {
    std::vector<HBRUSH> batch;
    unsigned high = 0;
    for (int i = 0; i < 3000; ++i) {
        batch.push_back(CreateSolidBrush(RGB(i % 256, 0, 0)));
        high = std::max(high, unsigned(reinterpret_cast<uintptr_t>(batch.back())) & 0xFFFF);
    }
    for (HBRUSH b : batch)
        DeleteObject(b);
    return high;
}

int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TActivationHook::TActivationHook(std::function<void(HWND)> answer) {
    FHook.OnHook.Code = [answer = std::move(answer)](THookMessage& m) {
        if (m.Code == HCBT_ACTIVATE) answer(reinterpret_cast<HWND>(m.WParam));
    };
    FHook.Install();
}

void ExpectNoLeaks(const std::function<void()>& cycle, int rounds) {
    cycle();
    HANDLE self = GetCurrentProcess();
    DWORD gdi = GetGuiResources(self, GR_GDIOBJECTS), user = GetGuiResources(self, GR_USEROBJECTS);
    unsigned high = GdiHighWater();
    int windows = ThreadWindows();
    for (int i = 0; i < rounds; ++i)
        cycle();
    EXPECT_LE(GetGuiResources(self, GR_GDIOBJECTS), gdi);
    EXPECT_LE(GetGuiResources(self, GR_USEROBJECTS), user);
    EXPECT_LE(GdiHighWater(), high + 16); // one object left per cycle would add one per round
    EXPECT_EQ(ThreadWindows(), windows);
}
