// skinpack: list, unpack, pack and check skin archives, and read a key of their description.
#include "SkinPackCommands.h"

#include <cstdio>
#include <exception>

namespace {

const char* const kUsage = "usage: skinpack list ARCHIVE\n"
                           "       skinpack unpack ARCHIVE DIR\n"
                           "       skinpack pack -o ARCHIVE FILE...\n"
                           "       skinpack check ARCHIVE\n"
                           "       skinpack ini ARCHIVE SECTION KEY\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

int Dispatch(const std::vector<std::string>& a) {
    if (a.empty()) return Usage();
    const std::string& cmd = a[0];
    if (cmd == "list" && a.size() == 2) return ListArchive(a[1]);
    if (cmd == "unpack" && a.size() == 3) return UnpackArchive(a[1], a[2]);
    if (cmd == "pack" && a.size() >= 4 && a[1] == "-o") return PackArchive(a[2], {a.begin() + 3, a.end()});
    if (cmd == "check" && a.size() == 2) return CheckArchive(a[1]);
    if (cmd == "ini" && a.size() == 4) return ShowIniValue(a[1], a[2], a[3]);
    return Usage();
}

} // namespace

int main(int argc, char** argv) {
    SkinReadReport = [](const std::string& m) {
        std::string text = m;
        for (char& c : text)
            c = c == '\r' ? ' ' : c;
        Fail(text);
    };
    try {
        return Dispatch({argv + 1, argv + argc});
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
