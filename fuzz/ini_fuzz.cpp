// INI text from outside bytes: every lookup and edit must keep the section index pointing at its
// header lines. Each lookup and edit walks the lines, and the loop below does up to 16 x 16 of them,
// so at most kMaxText bytes are taken to keep the fuzzer's pace.
#include "WinSkinIni.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr size_t kMaxText = 1024;

void CheckIndex(const TQuickIni& ini) {
    for (int i = 0; i < ini.Sections.Count(); i++) {
        intptr_t at = ini.Sections.GetInteger(i);
        if (at < 0 || at >= ini.Lines.Count() || ini.Lines[int(at)] != ini.Sections[i]) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream text;
    text.WriteBuffer(data, int64_t(std::min(size, kMaxText)));
    text.SetPosition(0);
    TQuickIni ini;
    ini.LoadFromStream(&text);
    CheckIndex(ini);

    TStringList sections, keys;
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count() && s < 16; s++) {
        ini.ReadSection(sections[s], keys);
        for (int k = 0; k < keys.Count() && k < 16; k++) {
            ini.ReadInteger(sections[s], keys[k], 0);
            ini.WriteString(sections[s], keys[k] + "x", ini.ReadString(sections[s], keys[k], ""));
            CheckIndex(ini);
        }
        if (keys.Count()) ini.DeleteKey(sections[s], keys[0]);
        CheckIndex(ini);
        if (s % 2) ini.EraseSection(sections[s]);
        CheckIndex(ini);
    }
    ini.WriteString("new", "k", "v");
    CheckIndex(ini);
    return 0;
}
