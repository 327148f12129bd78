// Free functions and process-wide variables of the skin data unit.
#include "WinSkinData.h"

#include "Controls.h"

#include <string_view>

// Every window of this program is a Unicode window, so text goes through the W functions.
bool Win32PlatformIsUnicode = true;
// Narrow strings are UTF-8 throughout the program, whatever the system's ANSI code page.
UINT DefaultUserCodePage = CP_UTF8;
TSkinData* GSkinData = nullptr;

namespace {
template <class F> F UserEntry(const char* name) {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user, name))) : nullptr;
}
} // namespace

// Looked up once at start: older systems lack some of them.
decltype(&::GetScrollBarInfo) pGetScrollBarInfo =
    UserEntry<decltype(&::GetScrollBarInfo)>("GetScrollBarInfo");
decltype(&::TrackMouseEvent) pTrackMouseEvent = UserEntry<decltype(&::TrackMouseEvent)>("TrackMouseEvent");
decltype(&::GetComboBoxInfo) pGetComboBoxInfo = UserEntry<decltype(&::GetComboBoxInfo)>("GetComboBoxInfo");
void(WINAPI* pDisableProcessWindowsGhosting)() = UserEntry<void(WINAPI*)()>("DisableProcessWindowsGhosting");

TColor RGBToColor(uint8_t r, uint8_t g, uint8_t b) {
    return TColor(r) | TColor(g) << 8 | TColor(b) << 16;
}

void CopyBMP(TBitmap& source, TBitmap& dest) {
    dest.SetPixelFormat(source.PixelFormat());
    dest.SetSize(source.Width(), source.Height());
    dest.Canvas().Draw(0, 0, source);
}

TControl* FindControlx(HWND wnd) {
    return wnd ? FindControl(wnd) : nullptr;
}

void DoTrackMouse(HWND wnd) {
    if (!pTrackMouseEvent) return;
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, wnd, 0};
    pTrackMouseEvent(&tme);
}

std::u16string StrToWideStr(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(DefaultUserCodePage, 0, s.data(), int(s.size()), nullptr, 0);
    std::u16string out(size_t(n), u'\0');
    MultiByteToWideChar(DefaultUserCodePage, 0, s.data(), int(s.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

std::string WideStringToStringEx(const std::u16string& ws) {
    if (ws.empty()) return {};
    auto* w = reinterpret_cast<const wchar_t*>(ws.data());
    int n = WideCharToMultiByte(DefaultUserCodePage, 0, w, int(ws.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(DefaultUserCodePage, 0, w, int(ws.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::u16string _WStr(const char16_t* text, int length) {
    if (!text) return {};
    std::u16string_view all(text);
    return std::u16string(length < 0 ? all : all.substr(0, size_t(length)));
}

int Tnt_DrawTextW(HDC dc, const std::u16string& text, RECT& rect, UINT format) {
    if (Win32PlatformIsUnicode)
        return DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), -1, &rect, format);
    std::string narrow = WideStringToStringEx(text);
    return DrawTextA(dc, narrow.c_str(), -1, &rect, format);
}
