#include "RecentSkins.h"

#include "Classes.h"

#include <algorithm>
#include <exception>

namespace {

// Longer than any path Windows accepts: not a path.
constexpr size_t MaxPathLength = 32767;

std::string SameFileKey(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return key;
}

bool UsablePath(const std::string& line) {
    if (line.empty() || line.size() > MaxPathLength) return false;
    return std::none_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

} // namespace

void TRecentSkins::Add(const std::string& path) {
    Remove(path);
    FItems.insert(FItems.begin(), path);
    if (FItems.size() > MaxCount) FItems.resize(MaxCount);
}

void TRecentSkins::Remove(const std::string& path) {
    const std::string key = SameFileKey(path);
    std::erase_if(FItems, [&](const std::string& item) { return SameFileKey(item) == key; });
}

std::string TRecentSkins::Text() const {
    std::string text;
    for (const std::string& item : FItems)
        text += item + "\n";
    return text;
}

void TRecentSkins::SetText(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size() && lines.size() < MaxCount) {
        size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        const std::string key = SameFileKey(line);
        bool repeated = std::any_of(lines.begin(), lines.end(),
                                    [&](const std::string& seen) { return SameFileKey(seen) == key; });
        if (UsablePath(line) && !repeated) lines.push_back(line);
    }
    FItems = std::move(lines);
}

// Only the start of an oversized file is read: it holds all the lines that could be kept.
void TRecentSkins::LoadFromFile(const std::string& file) {
    std::string text(MaxCount * (MaxPathLength + 2), '\0');
    try {
        TFileStream stream(file, fmOpenRead | fmShareDenyNone);
        text.resize(size_t(std::max(stream.Read(text.data(), int32_t(text.size())), 0)));
    } catch (const std::exception&) {
        text.clear();
    }
    SetText(text);
}

bool TRecentSkins::SaveToFile(const std::string& file) const {
    TMemoryStream bytes;
    std::string text = Text();
    try {
        bytes.WriteBuffer(text.data(), int64_t(text.size()));
        bytes.SaveToFile(file);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}
