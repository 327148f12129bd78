#include "ItemList.h"

namespace {

[[noreturn]] void Refuse(const std::string& line, const std::string& why) {
    throw EConvertError("Invalid item '" + line + "': " + why);
}

// The line's fields, split at the commas outside quotes; quoted values keep their quotes.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '\'') quoted = !quoted;
        if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    if (quoted) Refuse(line, "unterminated string");
    return fields;
}

// 'text' with '' for a quote, or the bare value.
std::string Unquoted(const std::string& value, const std::string& line) {
    if (value.empty() || value[0] != '\'') return value;
    if (value.size() < 2 || value.back() != '\'') Refuse(line, "text after a quoted value");
    std::string out;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\'' && value[++i] != '\'') Refuse(line, "text after a quoted value");
        out += value[i];
    }
    return out;
}

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

void SetField(TObject& item, const std::string& field, const std::string& line) {
    size_t eq = field.find('=');
    if (eq == std::string::npos) Refuse(line, "'" + Trim(field) + "' has no value");
    std::string name = Trim(field.substr(0, eq));
    std::string value = Unquoted(Trim(field.substr(eq + 1)), line);
    const TPropInfo* p = GetPropInfo(&item, name);
    if (!p) Refuse(line, "unknown property '" + name + "'");
    switch (p->Kind) {
    case tkString:
        return p->SetStr(item, value);
    case tkInteger:
        return p->SetOrd(item, StrToInt(value));
    case tkEnumeration: {
        int v = GetEnumValue(*p->Names, value);
        if (v < 0) Refuse(line, "'" + value + "' is not a value of " + p->Name);
        return p->SetOrd(item, v);
    }
    default:
        Refuse(line, "'" + name + "' cannot be given here");
    }
}

// The value as a line states it; empty for the kinds a line cannot hold.
std::string FieldText(const TObject& item, const TPropInfo& p) {
    switch (p.Kind) {
    case tkString:
        return Quoted(p.GetStr(item));
    case tkInteger:
        return IntToStr(static_cast<int32_t>(p.GetOrd(item)));
    case tkEnumeration:
        return GetEnumName(*p.Names, p.GetOrd(item));
    default:
        return {};
    }
}

} // namespace

void SetItemProperties(TObject& item, const std::string& line) {
    for (const std::string& field : Fields(line))
        if (!Trim(field).empty()) SetField(item, field, line);
}

std::string ItemPropertiesText(const TObject& item, const TObject* fresh) {
    std::string out;
    for (const TPropInfo* p : item.ClassInfo().AllProps()) {
        std::string value = FieldText(item, *p);
        if (value.empty() || (fresh && value == FieldText(*fresh, *p))) continue;
        out += (out.empty() ? "" : ",") + p->Name + "=" + value;
    }
    return out;
}
