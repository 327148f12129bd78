// The gallery's list of recently opened skin files: most recent first, each file once, at most
// eight. Kept as UTF-8 lines in a small file; a missing or damaged file gives what it can.
#pragma once

#include <string>
#include <vector>

class TRecentSkins {
  public:
    static constexpr size_t MaxCount = 8;

    const std::vector<std::string>& Items() const { return FItems; }
    // Puts the file first; an entry naming the same file goes (Windows names ignore case and
    // take either slash).
    void Add(const std::string& path);
    void Remove(const std::string& path);

    // One path a line, most recent first.
    std::string Text() const;
    // Reads lines in order: blank lines, repeats, lines too long to be a path and lines with
    // control characters are passed over; the first MaxCount good ones stay.
    void SetText(const std::string& text);

    // A file that cannot be read gives an empty list; false when saving failed.
    void LoadFromFile(const std::string& file);
    bool SaveToFile(const std::string& file) const;

  private:
    std::vector<std::string> FItems;
};
