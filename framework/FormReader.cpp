#include "FormReader.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

// Deeper than any form nests; keeps hostile text from exhausting the stack.
constexpr int kMaxObjectDepth = 32;
// Sub-objects of sub-objects (Font.Style) and no further: guards against objects that refer back.
constexpr int kMaxSubObjectDepth = 4;

bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string CharText(char c) {
    auto u = static_cast<unsigned char>(c);
    return u > 32 && u < 127 ? "'" + std::string(1, c) + "'" : "character #" + IntToStr(u);
}

// The component's name comes from its object line, never from a property.
const TPropInfo* NameProp() {
    static const TPropInfo* name = TComponent::StaticClassInfo().FindProp("Name");
    return name;
}

// A class property naming another component of the description.
bool IsReference(const TPropInfo& p) {
    return p.Kind == tkClass && p.SetObj && p.PropClass &&
           p.PropClass->InheritsFrom(TComponent::StaticClassInfo());
}

// Whether a description can give the property a value (class properties: through their object).
bool IsStorable(const TPropInfo& p) {
    switch (p.Kind) {
    case tkInteger:
    case tkEnumeration:
    case tkSet:
        return p.GetOrd && p.SetOrd;
    case tkString:
        return p.GetStr && p.SetStr;
    case tkWString:
        return p.GetWStr && p.SetWStr;
    case tkClass:
        return bool(p.GetObj);
    case tkMethod:
        return bool(p.SetMethod);
    case tkBinary:
        return p.ReadData && p.WriteData;
    }
    return false;
}

// ---- Reading: the text level --------------------------------------------------------------------

enum class TValueKind { Integer, Ident, String, Set, List, Binary };

struct TValue {
    TValueKind Kind = TValueKind::Ident;
    std::string Text;               // an integer or identifier as written; a string's content
    std::vector<std::string> Items; // set members or list strings
    std::vector<uint8_t> Bytes;     // binary data
};

std::string KindText(TValueKind k) {
    switch (k) {
    case TValueKind::Integer:
        return "an integer";
    case TValueKind::Ident:
        return "an identifier";
    case TValueKind::String:
        return "a quoted string";
    case TValueKind::Set:
        return "a set";
    case TValueKind::List:
        return "a string list";
    case TValueKind::Binary:
        return "binary data";
    }
    return {};
}

std::string FoundText(const TValue& v) {
    bool word = v.Kind == TValueKind::Integer || v.Kind == TValueKind::Ident;
    return word ? "'" + v.Text + "'" : KindText(v.Kind);
}

// The cursor over the text: blanks, identifiers and values, with the line count for messages.
class TLexer {
  public:
    explicit TLexer(const std::string& text) : FText(text) {
        if (FText.compare(0, 3, "\xEF\xBB\xBF") == 0) FPos = 3;
    }
    std::string Context; // what is being read ("property 'X' of 'Y'"), for messages

    [[noreturn]] void Fail(int line, const std::string& msg) const {
        std::string where = Context.empty() ? std::string() : Context + ": ";
        throw EParserError("Line " + IntToStr(line) + ": " + where + msg);
    }
    [[noreturn]] void Fail(const std::string& msg) const { Fail(FLine, msg); }

    // The line of the next token.
    int TokenLine() {
        SkipBlanks();
        return FLine;
    }
    bool AtEnd() {
        SkipBlanks();
        return FPos >= FText.size();
    }
    bool NextIsWord(const char* word) {
        SkipBlanks();
        return SameText(Word(), word);
    }
    void ExpectWord(const char* word) {
        if (!NextIsWord(word)) Fail("expected '" + std::string(word) + "' but found " + Found());
        FPos += std::strlen(word);
    }
    void Expect(char c) {
        SkipBlanks();
        if (FPos >= FText.size() || FText[FPos] != c)
            Fail("expected " + CharText(c) + " but found " + Found());
        ++FPos;
    }
    std::string Ident(const char* what);
    std::string Path();
    TValue Value();

  private:
    char Peek() const { return FPos < FText.size() ? FText[FPos] : '\0'; }
    void SkipBlanks() {
        while (FPos < FText.size() && IsBlank(FText[FPos]))
            if (FText[FPos++] == '\n') ++FLine;
    }
    std::string Word() const;
    std::string Found() const;
    std::string Number();
    std::string String();
    void Quoted(std::string& s);
    char CharCode();
    std::vector<std::string> SetMembers();
    std::vector<std::string> List();
    std::vector<uint8_t> Binary();

    const std::string& FText;
    size_t FPos = 0;
    int FLine = 1;
};

std::string TLexer::Word() const {
    size_t e = FPos;
    if (e < FText.size() && IsIdentStart(FText[e]))
        while (e < FText.size() && IsIdentChar(FText[e]))
            ++e;
    return FText.substr(FPos, e - FPos);
}

std::string TLexer::Found() const {
    if (FPos >= FText.size()) return "end of text";
    std::string w = Word();
    return w.empty() ? CharText(FText[FPos]) : "'" + w + "'";
}

std::string TLexer::Ident(const char* what) {
    SkipBlanks();
    std::string w = Word();
    if (w.empty()) Fail(std::string("expected ") + what + " but found " + Found());
    FPos += w.size();
    return w;
}

// Name{.Name}, without blanks around the dots.
std::string TLexer::Path() {
    std::string path = Ident("a property name");
    while (Peek() == '.') {
        ++FPos;
        if (!IsIdentStart(Peek())) Fail("expected a property name after '.' but found " + Found());
        path += "." + Ident("a property name");
    }
    return path;
}

TValue TLexer::Value() {
    SkipBlanks();
    TValue v;
    char c = Peek();
    if (c == '\'' || c == '#') {
        v.Kind = TValueKind::String;
        v.Text = String();
    } else if (c == '[') {
        v.Kind = TValueKind::Set;
        v.Items = SetMembers();
    } else if (c == '(') {
        v.Kind = TValueKind::List;
        v.Items = List();
    } else if (c == '{') {
        v.Kind = TValueKind::Binary;
        v.Bytes = Binary();
    } else if (c == '$' || c == '-' || c == '+' || (c >= '0' && c <= '9')) {
        v.Kind = TValueKind::Integer;
        v.Text = Number();
    } else if (IsIdentStart(c)) {
        v.Text = Ident("a value");
    } else {
        Fail("expected a value but found " + Found());
    }
    return v;
}

// The whole run, so that "12abc" is refused as one bad number rather than read as two tokens.
std::string TLexer::Number() {
    size_t b = FPos++;
    while (FPos < FText.size() && (IsIdentChar(FText[FPos]) || FText[FPos] == '$'))
        ++FPos;
    return FText.substr(b, FPos - b);
}

// Adjacent 'quoted' and #code pieces form one string; '+' joins strings across lines.
std::string TLexer::String() {
    std::string s;
    for (;;) {
        while (Peek() == '\'' || Peek() == '#') {
            if (Peek() == '#')
                s += CharCode();
            else
                Quoted(s);
        }
        SkipBlanks();
        if (Peek() != '+') return s;
        ++FPos;
        SkipBlanks();
        if (Peek() != '\'' && Peek() != '#') Fail("expected a string after '+' but found " + Found());
    }
}

void TLexer::Quoted(std::string& s) {
    for (++FPos;; ++FPos) {
        if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r') Fail("unterminated string");
        if (FText[FPos] == '\'') {
            if (FPos + 1 >= FText.size() || FText[FPos + 1] != '\'') break;
            ++FPos; // '' stands for one quote
        }
        s += FText[FPos];
    }
    ++FPos;
}

// #n: an ASCII control character, as the writer puts them so that strings stay on one line.
char TLexer::CharCode() {
    size_t b = ++FPos;
    int code = 0;
    for (; FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9'; ++FPos)
        if (code <= 127) code = code * 10 + (FText[FPos] - '0');
    if (FPos == b || code > 127) Fail("'#" + FText.substr(b, FPos - b) + "' is not a valid character code");
    return char(code);
}

std::vector<std::string> TLexer::SetMembers() {
    std::vector<std::string> members;
    ++FPos;
    SkipBlanks();
    if (Peek() == ']') {
        ++FPos;
        return members;
    }
    for (;;) {
        members.push_back(Ident("a set member"));
        SkipBlanks();
        if (Peek() == ']') break;
        Expect(',');
    }
    ++FPos;
    return members;
}

std::vector<std::string> TLexer::List() {
    std::vector<std::string> items;
    ++FPos;
    for (SkipBlanks(); Peek() != ')'; SkipBlanks()) {
        if (Peek() != '\'' && Peek() != '#') Fail("expected a string or ')' but found " + Found());
        items.push_back(String());
    }
    ++FPos;
    return items;
}

// Hexadecimal digits up to '}', blanks and line breaks ignored.
std::vector<uint8_t> TLexer::Binary() {
    std::vector<uint8_t> bytes;
    int high = -1;
    for (++FPos;; ++FPos) {
        if (FPos >= FText.size()) Fail("unterminated binary value");
        char c = FText[FPos];
        if (c == '}') break;
        if (IsBlank(c)) {
            FLine += c == '\n';
            continue;
        }
        int d = HexValue(c);
        if (d < 0) Fail(CharText(c) + " is not a hexadecimal digit");
        if (high < 0) {
            high = d;
        } else {
            bytes.push_back(uint8_t(high << 4 | d));
            high = -1;
        }
    }
    ++FPos;
    if (high >= 0) Fail("odd number of hexadecimal digits");
    return bytes;
}

// ---- Reading: objects and properties ------------------------------------------------------------

struct THeader {
    int Line = 0;
    std::string Name, Class;
};

// Where a property path leads: a property of an object, or (Prop null) the lines of a TStrings.
struct TTarget {
    TObject* Obj = nullptr;
    const TPropInfo* Prop = nullptr;
};

// A reference to a component that comes later in the text, set once the whole text is read.
struct TFixup {
    TTarget Target;
    std::string Name, Context;
    int Line = 0;
};

class TDescriptionReader {
  public:
    TDescriptionReader(TComponent& root, const std::string& text) : FRoot(root), FLex(text) {}
    void Read();

  private:
    THeader ReadHeader();
    void ReadRoot();
    void ReadBody(TComponent& obj, int depth);
    void ReadChild(TComponent& parent, int depth);
    void ReadProperty(TComponent& obj);
    TTarget Resolve(TObject* obj, const std::string& path, int line) const;
    void Assign(const TTarget& t, const TValue& v, int line);
    void Refer(const TTarget& t, const TValue& v, int line);
    TComponent* Referenced(const std::string& name) const;
    void SetReference(const TTarget& t, TComponent* c, int line) const;
    void ResolveFixups();
    void Need(const TValue& v, TValueKind kind, int line) const;
    int64_t OrdinalOf(const TPropInfo& p, const TValue& v, int line) const;
    void BindHandler(TObject& obj, const TPropInfo& p, const TValue& v, int line) const;
    template <class F> void Guarded(int line, F&& f);
    std::vector<TComponent*> Loading() const;

    TComponent& FRoot;
    TLexer FLex;
    std::vector<TComponent*> FCreated; // in creation order
    std::vector<TFixup> FFixups;
};

std::vector<TComponent*> TDescriptionReader::Loading() const {
    std::vector<TComponent*> all{&FRoot};
    all.insert(all.end(), FCreated.begin(), FCreated.end());
    return all;
}

void TDescriptionReader::Read() {
    FRoot.ComponentState |= csLoading | csReading;
    try {
        ReadRoot();
        ResolveFixups();
    } catch (...) {
        for (TComponent* c : Loading())
            c->ComponentState &= ~unsigned(csLoading | csReading);
        throw;
    }
    std::vector<TComponent*> all = Loading();
    for (TComponent* c : all)
        c->ComponentState &= ~unsigned(csReading);
    for (TComponent* c : all)
        c->Loaded();
}

// Errors of the framework raised by setters and constructors get the line and context added.
template <class F> void TDescriptionReader::Guarded(int line, F&& f) {
    try {
        f();
    } catch (const EParserError&) {
        throw;
    } catch (const Exception& e) {
        FLex.Fail(line, e.Message());
    }
}

THeader TDescriptionReader::ReadHeader() {
    THeader h;
    h.Line = FLex.TokenLine();
    FLex.ExpectWord("object");
    h.Name = FLex.Ident("a component name");
    FLex.Expect(':');
    h.Class = FLex.Ident("a class name");
    return h;
}

void TDescriptionReader::ReadRoot() {
    THeader h = ReadHeader();
    if (!SameText(h.Class, FRoot.ClassName()))
        FLex.Fail(h.Line, "class '" + h.Class + "' does not match '" + FRoot.ClassName() + "'");
    FLex.Context = "object '" + h.Name + "'";
    Guarded(h.Line, [&] { FRoot.SetName(h.Name); });
    FLex.Context.clear();
    ReadBody(FRoot, 0);
    if (!FLex.AtEnd()) FLex.Fail("text after the final 'end'");
}

void TDescriptionReader::ReadBody(TComponent& obj, int depth) {
    for (;;) {
        if (FLex.AtEnd()) FLex.Fail("missing 'end' of '" + obj.Name() + "'");
        if (FLex.NextIsWord("end")) return FLex.ExpectWord("end");
        if (FLex.NextIsWord("object"))
            ReadChild(obj, depth + 1);
        else
            ReadProperty(obj);
    }
}

void TDescriptionReader::ReadChild(TComponent& parent, int depth) {
    THeader h = ReadHeader();
    const TClassInfo* cls = FindClass(h.Class);
    if (!cls) FLex.Fail(h.Line, "class '" + h.Class + "' not found");
    FLex.Context = "object '" + h.Name + "'";
    if (!cls->Create) FLex.Fail(h.Line, "class '" + h.Class + "' cannot be created");
    if (depth > kMaxObjectDepth) FLex.Fail(h.Line, "objects nested too deeply");
    if (FRoot.FindComponent(h.Name)) FLex.Fail(h.Line, "a component named '" + h.Name + "' already exists");
    TComponent* c = nullptr;
    Guarded(h.Line, [&] {
        c = cls->Create(&FRoot);
        c->ComponentState |= csLoading | csReading;
        FCreated.push_back(c);
        c->SetName(h.Name);
        c->SetParentComponent(&parent);
    });
    FLex.Context.clear();
    ReadBody(*c, depth);
}

void TDescriptionReader::ReadProperty(TComponent& obj) {
    int line = FLex.TokenLine();
    std::string path = FLex.Path();
    FLex.Context = "property '" + path + "' of '" + obj.Name() + "'";
    TTarget t;
    Guarded(line, [&] { t = Resolve(&obj, path, line); });
    FLex.Expect('=');
    TValue v = FLex.Value();
    Guarded(line, [&] { Assign(t, v, line); });
    FLex.Context.clear();
}

TTarget TDescriptionReader::Resolve(TObject* obj, const std::string& path, int line) const {
    for (size_t b = 0;;) {
        size_t dot = path.find('.', b);
        std::string name = path.substr(b, dot == std::string::npos ? std::string::npos : dot - b);
        bool last = dot == std::string::npos;
        if (last && SameText(name, "Strings") && obj->InheritsFrom(TStrings::StaticClassInfo()))
            return {obj, nullptr};
        const TPropInfo* p = obj->ClassInfo().FindProp(name);
        if (!p) FLex.Fail(line, name == path ? "unknown property" : "unknown property '" + name + "'");
        if (p == NameProp()) FLex.Fail(line, "the name is given in the object line");
        if (!IsStorable(*p)) FLex.Fail(line, "read-only property");
        if (last) return {obj, p};
        if (p->Kind != tkClass) FLex.Fail(line, "'" + name + "' has no sub-properties");
        obj = p->GetObj(*obj);
        if (!obj) FLex.Fail(line, "'" + name + "' is not assigned");
        b = dot + 1;
    }
}

void TDescriptionReader::Need(const TValue& v, TValueKind kind, int line) const {
    if (v.Kind != kind) FLex.Fail(line, "expected " + KindText(kind) + " but found " + FoundText(v));
}

int64_t TDescriptionReader::OrdinalOf(const TPropInfo& p, const TValue& v, int line) const {
    if (p.Kind == tkInteger) {
        int32_t n = 0;
        if (v.Kind == TValueKind::Integer && TryStrToInt(v.Text, n)) return n;
        if (v.Kind != TValueKind::Ident) Need(v, TValueKind::Integer, line);
        FLex.Fail(line, "'" + v.Text + "' is not a valid integer value");
    }
    static const TEnumNames none;
    const TEnumNames& names = p.Names ? *p.Names : none;
    if (p.Kind == tkEnumeration) {
        Need(v, TValueKind::Ident, line);
        int value = GetEnumValue(names, v.Text);
        if (value < 0) FLex.Fail(line, "'" + v.Text + "' is not a valid value");
        return value;
    }
    Need(v, TValueKind::Set, line);
    uint32_t bits = 0;
    for (const std::string& m : v.Items) {
        int bit = GetEnumValue(names, m);
        if (bit < 0 || bit >= 32) FLex.Fail(line, "'" + m + "' is not a member of the set");
        bits |= 1u << bit;
    }
    return bits;
}

void TDescriptionReader::BindHandler(TObject& obj, const TPropInfo& p, const TValue& v, int line) const {
    Need(v, TValueKind::Ident, line);
    TMethod m = FRoot.MethodAddress(v.Text);
    if (!m) FLex.Fail(line, "handler '" + v.Text + "' not found in '" + FRoot.Name() + "'");
    if (m.Name.empty()) m.Name = v.Text; // so that writing the description names it again
    if (!p.SetMethod(obj, m)) FLex.Fail(line, "handler '" + v.Text + "' does not fit the event");
}

void TDescriptionReader::Assign(const TTarget& t, const TValue& v, int line) {
    if (!t.Prop) {
        Need(v, TValueKind::List, line);
        auto& lines = static_cast<TStrings&>(*t.Obj);
        lines.Clear();
        for (const std::string& s : v.Items)
            lines.Add(s);
        return;
    }
    const TPropInfo& p = *t.Prop;
    switch (p.Kind) {
    case tkInteger:
    case tkEnumeration:
    case tkSet:
        return p.SetOrd(*t.Obj, OrdinalOf(p, v, line));
    case tkString:
        Need(v, TValueKind::String, line);
        return p.SetStr(*t.Obj, v.Text);
    case tkWString:
        Need(v, TValueKind::String, line);
        return p.SetWStr(*t.Obj, Utf8ToUtf16(v.Text));
    case tkClass:
        if (v.Kind != TValueKind::Ident || !IsReference(p))
            FLex.Fail(line, "an object property takes no value; set its sub-properties");
        return Refer(t, v, line);
    case tkMethod:
        return BindHandler(*t.Obj, p, v, line);
    case tkBinary: {
        Need(v, TValueKind::Binary, line);
        TMemoryStream data;
        if (!v.Bytes.empty()) data.WriteBuffer(v.Bytes.data(), int64_t(v.Bytes.size()));
        data.SetPosition(0);
        return p.ReadData(*t.Obj, data);
    }
    }
}

TComponent* TDescriptionReader::Referenced(const std::string& name) const {
    return SameText(name, FRoot.Name()) ? &FRoot : FRoot.FindComponent(name);
}

void TDescriptionReader::SetReference(const TTarget& t, TComponent* c, int line) const {
    if (c && !c->InheritsFrom(*t.Prop->PropClass))
        FLex.Fail(line, "'" + c->Name() + "' is not a " + t.Prop->PropClass->Name);
    t.Prop->SetObj(*t.Obj, c);
}

void TDescriptionReader::Refer(const TTarget& t, const TValue& v, int line) {
    if (SameText(v.Text, "nil")) return SetReference(t, nullptr, line);
    if (TComponent* c = Referenced(v.Text)) return SetReference(t, c, line);
    FFixups.push_back({t, v.Text, FLex.Context, line});
}

void TDescriptionReader::ResolveFixups() {
    for (const TFixup& f : FFixups) {
        FLex.Context = f.Context;
        TComponent* c = Referenced(f.Name);
        if (!c) FLex.Fail(f.Line, "component '" + f.Name + "' not found");
        Guarded(f.Line, [&] { SetReference(f.Target, c, f.Line); });
    }
    FLex.Context.clear();
}

// ---- Writing ------------------------------------------------------------------------------------

// Control characters go out as #n so that every string stays on one line.
std::string QuotedText(const std::string& s) {
    std::string out;
    bool open = false;
    for (char c : s) {
        bool control = static_cast<unsigned char>(c) < 32 || c == 127;
        if (control == open) {
            out += '\'';
            open = !open;
        }
        if (control)
            out += "#" + IntToStr(static_cast<unsigned char>(c));
        else
            out += c == '\'' ? std::string("''") : std::string(1, c);
    }
    if (open) out += '\'';
    return out.empty() ? "''" : out;
}

std::string Indent(int n) {
    return "\n" + std::string(size_t(n), ' ');
}

std::string ListText(const TStrings& list, int indent) {
    std::string out = "(";
    for (int i = 0; i < list.Count(); ++i)
        out += Indent(indent + 2) + QuotedText(list.Get(i));
    return out + ")";
}

std::string BinaryText(const TObject& obj, const TPropInfo& p, int indent) {
    static const char digits[] = "0123456789ABCDEF";
    TMemoryStream data;
    p.WriteData(obj, data);
    std::string out = "{";
    const std::vector<uint8_t>& bytes = data.Bytes();
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0) out += Indent(indent + 2);
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out + "}";
}

// The value as stored, or "" when it is not stored (handlers not bound by name, unnamed enumeration
// values).
std::string StoredText(const TObject& obj, const TPropInfo& p, int indent) {
    static const TEnumNames none;
    const TEnumNames& names = p.Names ? *p.Names : none;
    switch (p.Kind) {
    case tkInteger:
        return IntToStr(static_cast<int32_t>(p.GetOrd(obj)));
    case tkEnumeration:
        return GetEnumName(names, p.GetOrd(obj));
    case tkSet:
        return SetToString(names, static_cast<uint32_t>(p.GetOrd(obj)));
    case tkString:
        return QuotedText(p.GetStr(obj));
    case tkWString:
        return QuotedText(Utf16ToUtf8(p.GetWStr(obj)));
    case tkBinary:
        return BinaryText(obj, p, indent);
    case tkMethod:
        return p.GetMethod(obj).Name;
    case tkClass:
        break;
    }
    return {};
}

class TDescriptionWriter {
  public:
    explicit TDescriptionWriter(const TComponent& root) : FRoot(root) {}
    std::string Write() {
        WriteObject(FRoot, nullptr, 0);
        return std::move(FOut);
    }

  private:
    struct TFree {
        void operator()(TComponent* c) const { c->Free(); }
    };
    void WriteObject(const TComponent& c, const TObject* fresh, int indent);
    void WriteProps(const TObject& obj, const TObject* fresh, const std::string& prefix, int indent,
                    int depth);
    void WriteSubObject(const TObject& obj, const TObject* fresh, const TPropInfo& p, const std::string& name,
                        int indent, int depth);
    void WriteReference(const TComponent& c, const TPropInfo& p, const std::string& name, int indent);
    void Line(int indent, const std::string& text) { FOut += std::string(size_t(indent), ' ') + text + "\n"; }
    const TObject* Fresh(const TClassInfo& cls);
    const TComponent* ParentOf(const TComponent& c) const;

    const TComponent& FRoot;
    std::string FOut;
    std::map<const TClassInfo*, std::unique_ptr<TComponent, TFree>> FFresh;
};

// A freshly created instance: what a description need not say about a component of this class.
const TObject* TDescriptionWriter::Fresh(const TClassInfo& cls) {
    if (!cls.Create) return nullptr;
    auto& fresh = FFresh[&cls];
    if (!fresh) fresh.reset(cls.Create(nullptr));
    return fresh.get();
}

// Components nested in something outside the tree go directly under the root.
const TComponent* TDescriptionWriter::ParentOf(const TComponent& c) const {
    const TComponent* p = c.GetParentComponent();
    return p && (p == &FRoot || p->Owner() == &FRoot) ? p : &FRoot;
}

void TDescriptionWriter::WriteObject(const TComponent& c, const TObject* fresh, int indent) {
    Line(indent, "object " + c.Name() + ": " + c.ClassName());
    WriteProps(c, fresh, "", indent + 2, 0);
    for (int i = 0; i < FRoot.ComponentCount(); ++i) {
        const TComponent& child = *FRoot.Components(i);
        if (ParentOf(child) == &c) WriteObject(child, Fresh(child.ClassInfo()), indent + 2);
    }
    Line(indent, "end");
}

void TDescriptionWriter::WriteProps(const TObject& obj, const TObject* fresh, const std::string& prefix,
                                    int indent, int depth) {
    if (fresh && &fresh->ClassInfo() != &obj.ClassInfo()) fresh = nullptr;
    for (const TPropInfo* p : obj.ClassInfo().AllProps()) {
        if (p == NameProp() || !IsStorable(*p)) continue;
        std::string name = prefix + p->Name;
        if (p->Kind == tkClass) {
            WriteSubObject(obj, fresh, *p, name, indent, depth);
            continue;
        }
        std::string value = StoredText(obj, *p, indent);
        if (!value.empty() && (!fresh || value != StoredText(*fresh, *p, indent)))
            Line(indent, name + " = " + value);
    }
}

// String lists, plain sub-objects (Font) and references to other components of the description.
void TDescriptionWriter::WriteSubObject(const TObject& obj, const TObject* fresh, const TPropInfo& p,
                                        const std::string& name, int indent, int depth) {
    const TObject* sub = p.GetObj(obj);
    const TObject* freshSub = fresh ? p.GetObj(*fresh) : nullptr;
    if (!sub) return;
    if (sub->InheritsFrom(TComponent::StaticClassInfo()))
        return WriteReference(static_cast<const TComponent&>(*sub), p, name, indent);
    if (!sub->InheritsFrom(TStrings::StaticClassInfo())) {
        if (depth < kMaxSubObjectDepth) WriteProps(*sub, freshSub, name + ".", indent, depth + 1);
        return;
    }
    std::string value = ListText(static_cast<const TStrings&>(*sub), indent);
    bool freshList = freshSub && freshSub->InheritsFrom(TStrings::StaticClassInfo());
    if (!freshList || value != ListText(static_cast<const TStrings&>(*freshSub), indent))
        Line(indent, name + ".Strings = " + value);
}

// Only components that the text itself holds can be named: a fresh instance refers to none.
void TDescriptionWriter::WriteReference(const TComponent& c, const TPropInfo& p, const std::string& name,
                                        int indent) {
    if (IsReference(p) && !c.Name().empty() && (&c == &FRoot || c.Owner() == &FRoot))
        Line(indent, name + " = " + c.Name());
}

} // namespace

void ReadComponentText(TComponent* root, const std::string& text) {
    if (!root) throw EParserError("Line 1: no component to read into");
    TDescriptionReader(*root, text).Read();
}

std::string WriteComponentText(const TComponent* root) {
    return root ? TDescriptionWriter(*root).Write() : std::string();
}
