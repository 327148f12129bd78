// The skin description reader: one INI text held in memory as lines plus an index of its section
// headers. Lookups ignore the case of section and key names; values keep theirs.
// Portable: no Windows headers.
#pragma once

#include "Classes.h"

#include <cstdint>
#include <string>

class TQuickIni {
  public:
    std::string FileName; // a name only; setting it loads nothing
    TStringList Lines;    // trimmed lines, blank lines and ";" comments dropped when loaded
    // One entry per header line: its trimmed text and its position in Lines.
    TStringList Sections;

    // Reading.
    void LoadFromStream(TStream* Stream); // from its position to its end; nullptr does nothing
    void LoadFromFile(const std::string& path);
    void LoadFromZip(const std::string& path);
    void ReadSections(TStrings& list) const;
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    void ReadSection(const std::string& section, TStrings& list) const;
    void ReadSectionValues(const std::string& section, TStrings& list) const;
    int GetSectionIndex(const std::string& section) const;

    static void Compress(TStream& Source, TStream& Dest);
    static void Decompress(TStream& Source, TStream& Dest);
    static bool IsSection(const std::string& line);
    static std::string GetName(const std::string& line);
    static std::string GetValue(const std::string& line, const std::string& key);

    // Editing and saving; every edit keeps Sections pointing at its header lines.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void DeleteKey(const std::string& section, const std::string& key);
    void EraseSection(const std::string& section);
    void Clear();
    void SetIniFile(const TStrings& list);    // lines taken unchanged
    void SaveToStream(TStream& Stream) const; // lines joined with CR LF
    void SaveToFile(const std::string& path) const;
    void SavetoZip(const std::string& path) const;
    void SetFileName(const std::string& name);

  private:
    int SectionEnd(int header) const;
    int FindKey(int header, const std::string& key) const;
    void InsertLine(int pos, const std::string& line);
    void DeleteLine(int pos);
    void RebuildSections();
};

// The integer text of an INI value: optional leading spaces and sign, then decimal digits or "$"
// and hexadecimal digits (all 32 bits); false for anything else or a decimal out of range.
bool IniTextToInt(const std::string& text, int32_t& value);
