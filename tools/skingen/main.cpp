// skingen: draws the default skin's bitmaps, the engine's built-in bitmaps, or a contact sheet.
#include "Builtin.h"
#include "ContactSheet.h"
#include "Preview.h"
#include "SkinLayout.h"
#include "SysUtils.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kUsage = "usage: skingen --out DIR [--ini FILE [--ini-name NAME]]\n"
                           "       skingen --builtin DIR\n"
                           "       skingen --sheet FILE.bmp\n"
                           "       skingen --preview FILE.bmp\n";

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void WriteSkin(const std::string& dir, const std::string& ini, const std::string& iniName) {
    for (const TSkinBitmapSpec& e : DefaultSkinBitmaps())
        WriteFileBytes(dir + "/" + e.FileName, RenderEntry(e));
    if (!ini.empty())
        WriteFileBytes(dir + "/" + (iniName.empty() ? BaseName(ini) : iniName), ReadFileBytes(ini));
}

void WriteBuiltin(const std::string& dir) {
    WriteFileBytes(dir + "/glazkitmenu.bmp", EncodeBmp(BuiltinMenuGlyphs(), 1));
    WriteFileBytes(dir + "/track.bmp", EncodeBmp(BuiltinTrack(), 24));
    WriteFileBytes(dir + "/trackvert.bmp", EncodeBmp(BuiltinTrackVert(), 24));
}

// Options come in pairs: "--name value".
bool ParseArgs(int argc, char** argv, std::string& command, std::string& target, std::string& ini,
               std::string& iniName) {
    if (argc < 3 || argc % 2 == 0) return false;
    command = argv[1], target = argv[2];
    for (int i = 3; i + 1 < argc; i += 2) {
        std::string opt = argv[i];
        if (opt == "--ini" && command == "--out")
            ini = argv[i + 1];
        else if (opt == "--ini-name" && command == "--out")
            iniName = argv[i + 1];
        else
            return false;
    }
    return command == "--out" || command == "--builtin" || command == "--sheet" || command == "--preview";
}

} // namespace

int main(int argc, char** argv) {
    std::string command, target, ini, iniName;
    if (!ParseArgs(argc, argv, command, target, ini, iniName)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        if (command == "--out")
            WriteSkin(target, ini, iniName);
        else if (command == "--builtin")
            WriteBuiltin(target);
        else if (command == "--sheet")
            WriteFileBytes(target, EncodeBmp(ContactSheet(DefaultSkinBitmaps()), 24));
        else
            WriteFileBytes(target, EncodeBmp(PreviewWindows(), 24));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
