#include "WinSkinIni.h"

#include "WinConvert.h"

#include <algorithm>

namespace {

// A header as the index records it: the text itself starts with "[" and ends with "]".
bool IsHeaderText(const std::string& s) {
    return !s.empty() && s.front() == '[' && s.back() == ']';
}

std::string ValueOf(const std::string& line) {
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : Trim(line.substr(eq + 1));
}

int DigitValue(char c, int base) {
    int d = c >= '0' && c <= '9'   ? c - '0'
            : c >= 'a' && c <= 'f' ? c - 'a' + 10
            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                   : 99;
    return d < base ? d : -1;
}

} // namespace

bool IniTextToInt(const std::string& text, int32_t& value) {
    size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return false;
    bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') i++;
    int base = i < text.size() && text[i] == '$' ? 16 : 10;
    if (base == 16) i++;
    if (i == text.size()) return false;
    const uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
    uint64_t v = 0;
    for (; i < text.size(); i++) {
        int d = DigitValue(text[i], base);
        if (d < 0) return false;
        v = v * uint64_t(base) + uint64_t(d);
        if (v > limit) return false;
    }
    // Hexadecimal fills all 32 bits, as colours are written.
    uint32_t bits = uint32_t(v);
    value = int32_t(negative ? 0u - bits : bits);
    return true;
}

// ---- text conventions ---------------------------------------------------------------------------

bool TQuickIni::IsSection(const std::string& line) {
    return IsHeaderText(Trim(line));
}

std::string TQuickIni::GetName(const std::string& line) {
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : LowerCase(Trim(line.substr(0, eq)));
}

std::string TQuickIni::GetValue(const std::string& line, const std::string& key) {
    if (line.empty() || key.empty() || line.find('=') == std::string::npos) return {};
    return GetName(line) == key ? ValueOf(line) : std::string();
}

// ---- reading ------------------------------------------------------------------------------------

void TQuickIni::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    int64_t n = std::max<int64_t>(0, Stream->Size() - Stream->Position());
    std::string text(size_t(n), '\0');
    if (n > 0) Stream->ReadBuffer(text.data(), n);
    text.resize(std::min(text.find('\0'), text.size()));
    Clear();
    TStringList raw;
    raw.SetText(text);
    for (int i = 0; i < raw.Count(); i++) {
        std::string line = Trim(raw[i]);
        if (line.empty() || line[0] == ';') continue;
        int pos = Lines.Add(line);
        if (IsHeaderText(line)) Sections.AddInteger(line, pos);
    }
}

void TQuickIni::LoadFromFile(const std::string& path) {
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

void TQuickIni::LoadFromZip(const std::string& path) {
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    TMemoryStream text;
    Decompress(file, text);
    text.SetPosition(0);
    LoadFromStream(&text);
}

void TQuickIni::Compress(TStream& Source, TStream& Dest) {
    LZHCompress(Source, Dest);
}

void TQuickIni::Decompress(TStream& Source, TStream& Dest) {
    LZHDecompress(Source, Dest);
}

int TQuickIni::GetSectionIndex(const std::string& section) const {
    std::string header = "[" + section + "]";
    for (int i = 0; i < Sections.Count(); i++) {
        if (SameText(Sections[i], header)) return int(Sections.GetInteger(i));
    }
    return -1;
}

// The position of the next section line after header, or the end of Lines.
int TQuickIni::SectionEnd(int header) const {
    int i = header + 1;
    while (i < Lines.Count() && !IsSection(Lines[i]))
        i++;
    return i;
}

int TQuickIni::FindKey(int header, const std::string& key) const {
    std::string name = LowerCase(key);
    int end = SectionEnd(header);
    for (int i = header + 1; i < end; i++) {
        if (GetName(Lines[i]) == name) return i;
    }
    return -1;
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& def) const {
    int header = GetSectionIndex(section);
    int line = header < 0 ? -1 : FindKey(header, key);
    std::string value = line < 0 ? std::string() : ValueOf(Lines[line]);
    return value.empty() ? def : value;
}

int32_t TQuickIni::ReadInteger(const std::string& section, const std::string& key, int32_t def) const {
    std::string text = ReadString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, 1, '$');
    int32_t value = 0;
    return IniTextToInt(text, value) ? value : def;
}

bool TQuickIni::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TQuickIni::ReadSections(TStrings& list) const {
    list.Clear();
    for (int i = 0; i < Sections.Count(); i++) {
        std::string header = Trim(Sections[i]);
        list.Add(Trim(header.substr(1, header.size() - 2)));
    }
}

void TQuickIni::ReadSection(const std::string& section, TStrings& list) const {
    list.Clear();
    int header = GetSectionIndex(section);
    if (header < 0) return;
    for (int i = header + 1, end = SectionEnd(header); i < end; i++) {
        std::string name = GetName(Lines[i]);
        if (!name.empty()) list.Add(name);
    }
}

void TQuickIni::ReadSectionValues(const std::string& section, TStrings& list) const {
    list.Clear();
    int header = GetSectionIndex(section);
    if (header < 0) return;
    for (int i = header + 1, end = SectionEnd(header); i < end; i++)
        list.Add(Lines[i]);
}

// ---- editing ------------------------------------------------------------------------------------

void TQuickIni::InsertLine(int pos, const std::string& line) {
    Lines.Insert(pos, line);
    for (int i = 0; i < Sections.Count(); i++) {
        if (Sections.GetInteger(i) >= pos) Sections.PutInteger(i, Sections.GetInteger(i) + 1);
    }
}

void TQuickIni::DeleteLine(int pos) {
    Lines.Delete(pos);
    for (int i = Sections.Count() - 1; i >= 0; i--) {
        intptr_t at = Sections.GetInteger(i);
        if (at == pos)
            Sections.Delete(i);
        else if (at > pos)
            Sections.PutInteger(i, at - 1);
    }
}

void TQuickIni::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    std::string line = key + "=" + value;
    int header = GetSectionIndex(section);
    if (header < 0) {
        std::string text = "[" + section + "]";
        Sections.AddInteger(text, Lines.Add(text));
        if (!key.empty()) Lines.Add(line);
        return;
    }
    if (key.empty()) return;
    int at = FindKey(header, key);
    if (at >= 0)
        Lines.Put(at, line);
    else
        InsertLine(SectionEnd(header), line);
}

void TQuickIni::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    WriteString(section, key, IntToStr(value));
}

void TQuickIni::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TQuickIni::DeleteKey(const std::string& section, const std::string& key) {
    int header = GetSectionIndex(section);
    int at = header < 0 ? -1 : FindKey(header, key);
    if (at >= 0) DeleteLine(at);
}

void TQuickIni::EraseSection(const std::string& section) {
    int header = GetSectionIndex(section);
    if (header < 0) return;
    for (int n = SectionEnd(header) - header; n > 0; n--)
        DeleteLine(header);
    // Keeps the blank line that separated it from the section before.
    if (header > 0) InsertLine(header, "");
}

void TQuickIni::Clear() {
    Lines.Clear();
    Sections.Clear();
}

void TQuickIni::RebuildSections() {
    Sections.Clear();
    for (int i = 0; i < Lines.Count(); i++) {
        if (IsHeaderText(Lines[i])) Sections.AddInteger(Trim(Lines[i]), i);
    }
}

void TQuickIni::SetIniFile(const TStrings& list) {
    Lines.Clear();
    for (int i = 0; i < list.Count(); i++)
        Lines.Add(list[i]);
    RebuildSections();
}

// ---- saving -------------------------------------------------------------------------------------

void TQuickIni::SaveToStream(TStream& Stream) const {
    std::string text;
    for (int i = 0; i < Lines.Count(); i++)
        text += (i ? "\r\n" : "") + Lines[i];
    Stream.WriteBuffer(text.data(), int64_t(text.size()));
}

void TQuickIni::SaveToFile(const std::string& path) const {
    TFileStream file(path, fmCreate);
    SaveToStream(file);
}

void TQuickIni::SavetoZip(const std::string& path) const {
    TMemoryStream text, packed;
    SaveToStream(text);
    Compress(text, packed);
    packed.SaveToFile(path);
}

void TQuickIni::SetFileName(const std::string& name) {
    if (name != FileName) FileName = name;
}
