// The skin archive reader: unpacks an archive in memory and hands out its entries by name.
// Unpacked layout: int32 Magic (20000), int32 NameLength, 8 reserved bytes, the name text (one
// entry name per line), one int32 size per entry, then the entries' bytes back to back.
// Portable: no Windows headers.
#pragma once

#include "Classes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr int32_t SkinArchiveMagic = 20000;
extern const char* const OlderSkinFileMessage;

// Hears why an archive was refused. The Windows build shows it in a message box; by default it
// goes to stderr.
extern std::function<void(const std::string&)> SkinReadReport;

struct TSkinHeader {
    int32_t Magic = 0;
    int32_t NameLength = 0;
    uint8_t Reserved[8] = {};
};

class TSkinReader {
  public:
    TStringList EntryNames; // lowercased, in directory order
    int32_t EntryCount = 0;
    std::vector<int32_t> EntrySizes; // one per entry, however many entries there are
    TMemoryStream EntryData;         // the bytes after the size table
    TSkinHeader Header;

    // Unpacks Source (int32 size + LZH stream) into Dest; both are rewound first.
    void Decompress(TStream& Source, TStream& Dest);
    // False (reported through SkinReadReport) for a wrong magic or a broken archive; the reader
    // keeps what it had then.
    bool Loadfromstream(TStream& Stream);
    // False, without a report, when the file cannot be opened.
    bool loadfromfile(const std::string& path);
    // Loadfromstream's work after unpacking, on an image that is already unpacked.
    bool LoadImage(const std::vector<uint8_t>& image);

    // Output cleared, then filled with the first entry named name (ASCII case ignored) and
    // rewound; stays empty when there is none.
    void readfile(const std::string& name, TMemoryStream& out);
    // The first entry whose lowercased name contains pattern; foundName unchanged when none does.
    void readIni(const std::string& pattern, TMemoryStream& out, std::string& foundName);
    // Entry index's bytes. Sizes are not trusted: the entry is cut to the bytes that exist.
    void readEntry(int index, TMemoryStream& out);
    // Where entry index starts in EntryData and how many bytes it claims; a negative size claims
    // none, so it never moves the later entries back.
    int64_t EntryStart(int index) const;
    int64_t EntryLength(int index) const;
};
