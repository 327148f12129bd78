#include "SkinWrite.h"

#include "SkinRead.h"
#include "WinConvert.h"

namespace {

void Put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; i++)
        v.push_back(uint8_t(x >> (8 * i)));
}

std::string NameText(const std::vector<TSkinEntry>& entries) {
    std::string text;
    for (const TSkinEntry& e : entries) {
        if (e.Name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            throw Exception("Entry name \"" + e.Name + "\" contains a line break or a 0 byte");
        text += e.Name + "\r\n";
    }
    return text;
}

} // namespace

std::vector<uint8_t> BuildSkinImage(const std::vector<TSkinEntry>& entries, const uint8_t (&reserved)[8]) {
    std::string names = NameText(entries);
    std::vector<uint8_t> image;
    Put32(image, uint32_t(SkinArchiveMagic));
    Put32(image, uint32_t(names.size()));
    image.insert(image.end(), reserved, reserved + 8);
    image.insert(image.end(), names.begin(), names.end());
    for (const TSkinEntry& e : entries)
        Put32(image, uint32_t(e.Data.size()));
    for (const TSkinEntry& e : entries)
        image.insert(image.end(), e.Data.begin(), e.Data.end());
    return image;
}

std::vector<uint8_t> BuildSkinImage(const std::vector<TSkinEntry>& entries) {
    const uint8_t zero[8] = {};
    return BuildSkinImage(entries, zero);
}

void WriteSkinArchive(const std::vector<TSkinEntry>& entries, TStream& Dest) {
    std::vector<uint8_t> image = BuildSkinImage(entries);
    TMemoryStream source;
    source.WriteBuffer(image.data(), int64_t(image.size()));
    LZHCompress(source, Dest);
}
