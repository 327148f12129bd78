#include "SkinPackCommands.h"

#include "BmpHeader.h"
#include "SkinWrite.h"
#include "WinSkinIni.h"

#include <cstdio>
#include <filesystem>
#include <set>

namespace {

std::filesystem::path Utf8Path(const std::string& s) {
    return std::filesystem::path(std::u8string(s.begin(), s.end()));
}

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string BmpColumn(const std::vector<uint8_t>& data) {
    TBmpHeaderInfo info;
    if (!ReadBmpHeader(data, info)) return "";
    return Format("  %dx%dx%u", info.Width, info.Height, unsigned(info.BitCount));
}

} // namespace

int Fail(const std::string& message) {
    std::fprintf(stderr, "skinpack: %s\n", message.c_str());
    return 1;
}

bool OpenArchive(const std::string& path, TSkinReader& reader) {
    try {
        TFileStream probe(path, fmOpenRead | fmShareDenyWrite);
    } catch (const EFOpenError& e) {
        Fail(e.Message());
        return false;
    }
    if (reader.loadfromfile(path)) return true;
    Fail(path + ": not a usable skin archive");
    return false;
}

bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name) {
        if (c < 32 || c == '/' || c == '\\' || c == ':') return false;
    }
    return true;
}

std::vector<uint8_t> EntryBytes(TSkinReader& reader, int index) {
    TMemoryStream out;
    reader.readEntry(index, out);
    return out.Bytes();
}

int ListArchive(const std::string& archive) {
    TSkinReader r;
    if (!OpenArchive(archive, r)) return 1;
    std::string reserved;
    for (uint8_t b : r.Header.Reserved)
        reserved += Format(" %02X", b);
    std::printf("Magic: %d\nNameLength: %d\nReserved:%s\nEntries: %d\nData: %lld bytes\n", r.Header.Magic,
                r.Header.NameLength, reserved.c_str(), r.EntryCount,
                static_cast<long long>(r.EntryData.Size()));
    for (int i = 0; i < r.EntryCount; i++) {
        std::string bmp = BmpColumn(EntryBytes(r, i));
        std::printf("%4d  %-32s %10d%s\n", i, r.EntryNames[i].c_str(), r.EntrySizes[size_t(i)], bmp.c_str());
    }
    return 0;
}

int UnpackArchive(const std::string& archive, const std::string& dir) {
    TSkinReader r;
    if (!OpenArchive(archive, r)) return 1;
    std::error_code ec;
    std::filesystem::create_directories(Utf8Path(dir), ec);
    if (ec) return Fail("cannot create " + dir + ": " + ec.message());
    int status = 0;
    std::set<std::string> written;
    for (int i = 0; i < r.EntryCount; i++) {
        const std::string name = r.EntryNames[i];
        if (!IsPlainFileName(name)) {
            status = Fail(Format("entry %d: \"%s\" is not a plain file name, skipped", i, name.c_str()));
        } else if (!written.insert(name).second) {
            status = Fail(Format("entry %d: a second \"%s\", skipped", i, name.c_str()));
        } else {
            TMemoryStream out;
            r.readEntry(i, out);
            out.SaveToFile(dir + "/" + name);
        }
    }
    return status;
}

int PackArchive(const std::string& archive, const std::vector<std::string>& files) {
    std::vector<TSkinEntry> entries;
    std::set<std::string> names;
    for (const std::string& file : files) {
        std::string name = LowerCase(BaseName(file));
        if (!IsPlainFileName(name)) return Fail("\"" + file + "\" does not end in a plain file name");
        if (!names.insert(name).second) return Fail("two files named \"" + name + "\"");
        TMemoryStream data;
        data.LoadFromFile(file);
        entries.push_back({name, data.Bytes()});
    }
    TMemoryStream packed;
    WriteSkinArchive(entries, packed);
    packed.SaveToFile(archive);
    return 0;
}

int ShowIniValue(const std::string& archive, const std::string& section, const std::string& key) {
    TSkinReader r;
    if (!OpenArchive(archive, r)) return 1;
    TMemoryStream text;
    std::string found;
    r.readIni(".ini", text, found);
    if (found.empty()) return Fail(archive + ": no description (.ini) entry");
    TQuickIni ini;
    ini.LoadFromStream(&text);
    std::string value = ini.ReadString(section, key, "");
    if (value.empty()) return Fail("no value for [" + section + "] " + key + " in " + found);
    std::printf("%s\n", value.c_str());
    return 0;
}
