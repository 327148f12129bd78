#include "StartOptions.h"

#include "SysUtils.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

namespace {
struct TLocalFree {
    void operator()(wchar_t** p) const { LocalFree(p); }
};
} // namespace

TStartOptions ParseStartOptions(const wchar_t* commandLine) {
    TStartOptions options;
    int count = 0;
    std::unique_ptr<wchar_t*, TLocalFree> args(CommandLineToArgvW(commandLine, &count));
    if (!args) return options;
    for (int i = 1; i < count; ++i) {
        std::wstring arg = args.get()[i];
        if (arg == L"--plain")
            options.Plain = true;
        else if (arg == L"--skin" && i + 1 < count)
            options.SkinFile = Utf16ToUtf8(reinterpret_cast<const char16_t*>(args.get()[++i]));
        else if (arg == L"--measure-start" && i + 1 < count)
            options.TimingFile = Utf16ToUtf8(reinterpret_cast<const char16_t*>(args.get()[++i]));
    }
    return options;
}
