#include "SkinRead.h"

#include "WinConvert.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

const char* const OlderSkinFileMessage = "This is Older Skin File\rPlease update to new version !";

std::function<void(const std::string&)> SkinReadReport = [](const std::string& message) {
    std::string text = message;
    std::replace(text.begin(), text.end(), '\r', '\n');
    std::fprintf(stderr, "%s\n", text.c_str());
};

namespace {

constexpr size_t kHeaderSize = 16;

int32_t Get32(const uint8_t* p) {
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

bool Refuse(const std::string& why) {
    SkinReadReport("Broken skin archive: " + why);
    return false;
}

// Lowercased name lines; a 0 byte ends the text early.
void SplitNames(const uint8_t* text, size_t length, TStringList& names) {
    const uint8_t* end = std::find(text, text + length, uint8_t(0));
    names.SetText(LowerCase(std::string(text, end)));
}

} // namespace

void TSkinReader::Decompress(TStream& Source, TStream& Dest) {
    LZHDecompress(Source, Dest);
}

bool TSkinReader::Loadfromstream(TStream& Stream) {
    TMemoryStream image;
    try {
        Decompress(Stream, image);
    } catch (const ElzhException& e) {
        return Refuse(e.Message());
    } catch (const EReadError&) {
        return Refuse("no size in front of the packed data");
    }
    return LoadImage(image.Bytes());
}

bool TSkinReader::LoadImage(const std::vector<uint8_t>& image) {
    if (image.size() >= 4 && Get32(image.data()) != SkinArchiveMagic) {
        SkinReadReport(OlderSkinFileMessage);
        return false;
    }
    if (image.size() < kHeaderSize) return Refuse("too short for its header");
    TSkinHeader header;
    header.Magic = Get32(&image[0]);
    header.NameLength = Get32(&image[4]);
    std::memcpy(header.Reserved, &image[8], sizeof header.Reserved);
    if (header.NameLength < 0 || size_t(header.NameLength) > image.size() - kHeaderSize)
        return Refuse("the name text runs past the unpacked data");

    TStringList names;
    SplitNames(&image[kHeaderSize], size_t(header.NameLength), names);
    size_t table = kHeaderSize + size_t(header.NameLength);
    size_t data = table + 4 * size_t(names.Count());
    if (data > image.size()) return Refuse("the size table runs past the unpacked data");

    Header = header;
    EntryNames.Assign(&names);
    EntryCount = names.Count();
    EntrySizes.resize(size_t(EntryCount));
    for (size_t i = 0; i < EntrySizes.size(); i++)
        EntrySizes[i] = Get32(&image[table + 4 * i]);
    EntryData.Clear();
    EntryData.WriteBuffer(image.data() + data, int64_t(image.size() - data));
    EntryData.SetPosition(0);
    return true;
}

bool TSkinReader::loadfromfile(const std::string& path) {
    TMemoryStream file;
    try {
        file.LoadFromFile(path);
    } catch (const EFOpenError&) {
        return false;
    }
    return Loadfromstream(file);
}

int64_t TSkinReader::EntryLength(int index) const {
    return std::max<int32_t>(EntrySizes[size_t(index)], 0);
}

int64_t TSkinReader::EntryStart(int index) const {
    // Sizes add up in 64 bits, so a forged table cannot overflow.
    int64_t start = 0;
    for (int i = 0; i < index; i++)
        start += EntryLength(i);
    return start;
}

void TSkinReader::readEntry(int index, TMemoryStream& out) {
    out.Clear();
    if (index < 0 || index >= EntryCount) return;
    int64_t total = int64_t(EntryData.Bytes().size());
    int64_t from = std::min(EntryStart(index), total);
    int64_t to = std::min(from + EntryLength(index), total);
    out.WriteBuffer(EntryData.Memory() + from, to - from);
    out.SetPosition(0);
}

void TSkinReader::readfile(const std::string& name, TMemoryStream& out) {
    out.Clear();
    std::string wanted = LowerCase(name);
    for (int i = 0; i < EntryCount; i++) {
        if (EntryNames[i] == wanted) return readEntry(i, out);
    }
}

void TSkinReader::readIni(const std::string& pattern, TMemoryStream& out, std::string& foundName) {
    out.Clear();
    for (int i = 0; i < EntryCount; i++) {
        if (EntryNames[i].find(pattern) == std::string::npos) continue;
        readEntry(i, out);
        foundName = EntryNames[i];
        return;
    }
}
