// quarlink: the device's settings block from the command line, for scripts and fleets.
#include "CliOptions.h"
#include "Commands.h"

#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef _WIN32
#include "SysUtils.h"
#include <windows.h>
#endif

namespace {

int Run(const std::vector<std::string>& args) {
    CliOptions options;
    try {
        options = ParseCliOptions(args);
    } catch (const std::invalid_argument& e) {
        std::cerr << "quarlink: " << e.what()
                  << "\n(quarlink --help lists the commands, keys and exit codes)\n";
        return ExitUsage;
    }
    if (options.Help) {
        std::cout << QuarlinkUsage();
        return ExitOk;
    }
    try {
        return RunCommand(options, std::cout, std::cerr);
    } catch (const std::runtime_error& e) {
        std::cerr << "quarlink: " << e.what() << "\n";
        return ExitSocketFailed;
    }
}

} // namespace

#ifdef _WIN32
// Windows hands the arguments over in UTF-16: the tables' Chinese entries survive only that way.
int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    return Run(args);
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
