// skinpack check: everything a skin needs from its archive, each problem on its own line.
#include "BmpHeader.h"
#include "SkinPackCommands.h"
#include "WinSkinIni.h"

#include <cstdio>
#include <map>

namespace {

struct TChecker {
    TSkinReader& R;
    int Problems = 0;

    void Problem(const std::string& text) {
        std::printf("problem: %s\n", text.c_str());
        Problems++;
    }

    // The size table against the entry data it describes.
    void CheckSizes() {
        int64_t end = 0, total = R.EntryData.Size();
        for (int i = 0; i < R.EntryCount; i++) {
            int64_t start = end, size = R.EntrySizes[size_t(i)];
            end += R.EntryLength(i);
            const std::string name = R.EntryNames[i];
            if (size < 0)
                Problem(Format("entry \"%s\" has a negative size (%lld)", name.c_str(),
                               static_cast<long long>(size)));
            else if (int64_t missing = end - std::max(start, total); missing > 0)
                Problem(Format("entry \"%s\" runs %lld bytes past the entry data", name.c_str(),
                               static_cast<long long>(missing)));
        }
        if (end < total)
            Problem(Format("%lld bytes after the last entry belong to no entry",
                           static_cast<long long>(total - end)));
    }

    // The description the skin loader would take (the first), or -1; there must be exactly one.
    int FindDescription() {
        std::vector<int> found;
        for (int i = 0; i < R.EntryCount; i++) {
            if (R.EntryNames[i].find(".ini") != std::string::npos) found.push_back(i);
        }
        if (found.empty()) {
            Problem("no description entry (a name containing \".ini\")");
            return -1;
        }
        if (found.size() > 1)
            Problem(Format("%u entries have names containing \".ini\"; a skin needs exactly one",
                           unsigned(found.size())));
        return found[0];
    }

    // Image names (values ending in .bmp) with the first place that names each.
    std::map<std::string, std::string> NamedImages(const TQuickIni& ini) {
        std::map<std::string, std::string> images;
        TStringList sections, lines;
        ini.ReadSections(sections);
        for (int s = 0; s < sections.Count(); s++) {
            ini.ReadSectionValues(sections[s], lines);
            for (int i = 0; i < lines.Count(); i++) {
                std::string key = TQuickIni::GetName(lines[i]);
                std::string name = LowerCase(TQuickIni::GetValue(lines[i], key));
                if (name.size() > 4 && name.ends_with(".bmp"))
                    images.emplace(name, Format("[%s] %s", sections[s].c_str(), key.c_str()));
            }
        }
        return images;
    }

    void CheckImages(int description) {
        TMemoryStream text;
        R.readEntry(description, text);
        TQuickIni ini;
        ini.LoadFromStream(&text);
        for (const auto& [name, where] : NamedImages(ini)) {
            TMemoryStream data;
            R.readfile(name, data);
            if (data.Size() == 0) {
                Problem(where + " names \"" + name + "\", which is not in the archive");
                continue;
            }
            for (const std::string& p : BmpProblems(data.Bytes()))
                Problem("\"" + name + "\": " + p);
        }
    }
};

} // namespace

int CheckArchive(const std::string& archive) {
    TSkinReader r;
    if (!OpenArchive(archive, r)) return 1;
    TChecker check{r};
    check.CheckSizes();
    int description = check.FindDescription();
    if (description >= 0) check.CheckImages(description);
    if (check.Problems) {
        std::printf("%s: %d problem(s)\n", archive.c_str(), check.Problems);
        return 1;
    }
    std::printf("%s: OK, %d entries\n", archive.c_str(), r.EntryCount);
    return 0;
}
