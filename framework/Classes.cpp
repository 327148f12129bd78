#include "Classes.h"
#include "TypInfo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

// ---- TObject / TPersistent ----------------------------------------------------------------------

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo info{"TObject", nullptr, {}, {}};
    return info;
}
const TClassInfo& TObject::ClassInfo() const {
    return StaticClassInfo();
}
std::string TObject::ClassName() const {
    return ClassInfo().Name;
}
bool TObject::InheritsFrom(const TClassInfo& cls) const {
    return ClassInfo().InheritsFrom(cls);
}

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TClassInfo info{"TPersistent", &TObject::StaticClassInfo(), {}, {}};
    return info;
}
const TClassInfo& TPersistent::ClassInfo() const {
    return StaticClassInfo();
}

void TPersistent::Assign(const TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

// ---- TComponent ---------------------------------------------------------------------------------

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    NotifyFreeing();
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

const TClassInfo& TComponent::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TComponent>("TComponent", TPersistent::StaticClassInfo())
                                       .Str("Name", &TComponent::Name, &TComponent::SetName)
                                       .Int("Tag", &TComponent::Tag, &TComponent::Tag)
                                       .Build();
    return info;
}
const TClassInfo& TComponent::ClassInfo() const {
    return StaticClassInfo();
}

void TComponent::BeforeDestruction() {
    ComponentState |= csDestroying;
    NotifyFreeing();
    DestroyComponents();
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->Name(), name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
    if (c->FOwner) c->FOwner->RemoveComponent(c);
    FComponents.push_back(c);
    c->FOwner = this;
    Notification(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
    auto it = std::find(FComponents.begin(), FComponents.end(), c);
    if (it == FComponents.end()) return;
    FComponents.erase(it);
    c->FOwner = nullptr;
    Notification(c, opRemove);
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        RemoveComponent(c);
        c->Free();
    }
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) != FFreeNotifies.end()) return;
    FFreeNotifies.push_back(AComponent);
    AComponent->FFreeNotifies.push_back(this);
}

void TComponent::NotifyFreeing() {
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& back = other->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, opRemove);
    }
}

TMethod TComponent::MethodAddress(const std::string&) const {
    return {};
}

// ---- TStream ------------------------------------------------------------------------------------

void TStream::SetSize(int64_t) {}

int64_t TStream::Size() {
    int64_t pos = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    auto* p = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        int32_t chunk = static_cast<int32_t>(std::min<int64_t>(count, 1 << 30));
        if (Read(p, chunk) != chunk) throw EReadError("Stream read error");
        p += chunk;
        count -= chunk;
    }
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    auto* p = static_cast<const uint8_t*>(buffer);
    while (count > 0) {
        int32_t chunk = static_cast<int32_t>(std::min<int64_t>(count, 1 << 30));
        if (Write(p, chunk) != chunk) throw EWriteError("Stream write error");
        p += chunk;
        count -= chunk;
    }
}

int64_t TStream::CopyFrom(TStream& Source, int64_t count) {
    if (count == 0) {
        Source.SetPosition(0);
        count = Source.Size();
    }
    std::vector<uint8_t> buf(static_cast<size_t>(std::min<int64_t>(count, 1 << 16)));
    int64_t left = count;
    while (left > 0) {
        int32_t n = static_cast<int32_t>(std::min<int64_t>(left, int64_t(buf.size())));
        Source.ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        left -= n;
    }
    return count;
}

// ---- TMemoryStream ------------------------------------------------------------------------------

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
    if (count <= 0 || FPos >= int64_t(FData.size())) return 0;
    int32_t n = static_cast<int32_t>(std::min<int64_t>(count, int64_t(FData.size()) - FPos));
    std::memcpy(buffer, FData.data() + FPos, size_t(n));
    FPos += n;
    return n;
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
    if (count <= 0) return 0;
    if (FPos + count > int64_t(FData.size())) FData.resize(size_t(FPos + count));
    std::memcpy(FData.data() + FPos, buffer, size_t(count));
    FPos += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? FPos : int64_t(FData.size());
    FPos = std::max<int64_t>(0, base + offset);
    return FPos;
}

void TMemoryStream::SetSize(int64_t size) {
    FData.resize(size_t(std::max<int64_t>(0, size)));
    FPos = std::min<int64_t>(FPos, int64_t(FData.size()));
}

void TMemoryStream::Clear() {
    FData.clear();
    FPos = 0;
}

void TMemoryStream::LoadFromStream(TStream& s) {
    s.SetPosition(0);
    int64_t n = s.Size();
    FData.resize(size_t(n));
    if (n > 0) s.ReadBuffer(FData.data(), n);
    FPos = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
    TFileStream f(path, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(f);
}

void TMemoryStream::SaveToStream(TStream& s) const {
    if (!FData.empty()) s.WriteBuffer(FData.data(), int64_t(FData.size()));
}

void TMemoryStream::SaveToFile(const std::string& path) const {
    TFileStream f(path, fmCreate);
    SaveToStream(f);
}

// ---- TFileStream --------------------------------------------------------------------------------

namespace {
std::filesystem::path Utf8Path(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}
} // namespace

TFileStream::TFileStream(const std::string& path, uint16_t mode) : FFileName(path) {
    bool create = mode == fmCreate;
    auto how = std::ios::binary | std::ios::in;
    if (create)
        how |= std::ios::out | std::ios::trunc;
    else if ((mode & 3) != fmOpenRead)
        how |= std::ios::out;
    // filesystem::path carries UTF-8 names to the wide file API where there is one.
    std::error_code ec;
    bool directory = std::filesystem::is_directory(Utf8Path(path), ec);
    if (!directory && FFile.open(Utf8Path(path), how)) return;
    std::string reason = directory ? "Is a directory" : std::strerror(errno);
    if (create) throw EFCreateError("Cannot create file \"" + path + "\". " + reason);
    throw EFOpenError("Cannot open file \"" + path + "\". " + reason);
}

TFileStream::~TFileStream() = default;

int32_t TFileStream::Read(void* buffer, int32_t count) {
    return count <= 0 ? 0 : static_cast<int32_t>(FFile.sgetn(static_cast<char*>(buffer), count));
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
    return count <= 0 ? 0 : static_cast<int32_t>(FFile.sputn(static_cast<const char*>(buffer), count));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    auto dir = origin == soBeginning ? std::ios::beg : origin == soCurrent ? std::ios::cur : std::ios::end;
    return static_cast<int64_t>(FFile.pubseekoff(offset, dir));
}

// ---- TStrings -----------------------------------------------------------------------------------

const TClassInfo& TStrings::StaticClassInfo() {
    static const TClassInfo info{"TStrings", &TPersistent::StaticClassInfo(), {}, {}};
    return info;
}
const TClassInfo& TStrings::ClassInfo() const {
    return StaticClassInfo();
}

void TStrings::RaiseIndexError(int i) {
    throw EListError(Format("List index out of bounds (%d)", i));
}

void TStrings::Put(int i, const std::string& s) {
    TObject* obj = Objects(i);
    intptr_t v = GetInteger(i);
    Delete(i);
    Insert(i, s);
    SetObjects(i, obj);
    PutInteger(i, v);
}

TObject* TStrings::Objects(int) const {
    return nullptr;
}
void TStrings::SetObjects(int, TObject*) {}
intptr_t TStrings::GetInteger(int) const {
    return 0;
}
void TStrings::PutInteger(int, intptr_t) {}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), s)) return i;
    return -1;
}

int TStrings::Add(const std::string& s) {
    int i = Count();
    Insert(i, s);
    return i;
}

int TStrings::AddObject(const std::string& s, TObject* obj) {
    int i = Add(s);
    SetObjects(i, obj);
    return i;
}

int TStrings::AddInteger(const std::string& s, intptr_t v) {
    int i = Add(s);
    PutInteger(i, v);
    return i;
}

void TStrings::AddStrings(const TStrings& other) {
    for (int i = 0; i < other.Count(); ++i) {
        int k = AddObject(other.Get(i), other.Objects(i));
        PutInteger(k, other.GetInteger(i));
    }
}

void TStrings::Assign(const TPersistent* Source) {
    if (auto* src = dynamic_cast<const TStrings*>(Source)) {
        if (src == this) return;
        Clear();
        AddStrings(*src);
        return;
    }
    TPersistent::Assign(Source);
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0; i < Count(); ++i)
        out += Get(i) + "\r\n";
    return out;
}

void TStrings::SetText(const std::string& text) {
    Clear();
    size_t i = 0;
    while (i < text.size()) {
        size_t e = text.find_first_of("\r\n", i);
        if (e == std::string::npos) e = text.size();
        Add(text.substr(i, e - i));
        if (e < text.size() && text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n') ++e;
        i = e + 1;
    }
}

std::string TStrings::Names(int i) const {
    std::string s = Get(i);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int i) const {
    std::string s = Get(i);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        std::string s = Get(i);
        size_t eq = s.find('=');
        if (eq != std::string::npos && SameText(s.substr(0, eq), name)) return i;
    }
    return -1;
}

std::string TStrings::Values(const std::string& name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::LoadFromStream(TStream& s) {
    int64_t n = s.Size() - s.Position();
    std::string text(size_t(std::max<int64_t>(0, n)), '\0');
    if (n > 0) s.ReadBuffer(text.data(), n);
    SetText(text);
}

void TStrings::SaveToStream(TStream& s) const {
    std::string text = Text();
    s.WriteBuffer(text.data(), int64_t(text.size()));
}

void TStrings::LoadFromFile(const std::string& path) {
    TFileStream f(path, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(f);
}

void TStrings::SaveToFile(const std::string& path) const {
    TFileStream f(path, fmCreate);
    SaveToStream(f);
}

// ---- TStringList --------------------------------------------------------------------------------

const TClassInfo& TStringList::StaticClassInfo() {
    static const TClassInfo info{"TStringList", &TStrings::StaticClassInfo(), {}, {}};
    return info;
}
const TClassInfo& TStringList::ClassInfo() const {
    return StaticClassInfo();
}

const TStringList::Item& TStringList::At(int i) const {
    if (i < 0 || i >= Count()) RaiseIndexError(i);
    return FItems[size_t(i)];
}

TStringList::Item& TStringList::At(int i) {
    if (i < 0 || i >= Count()) RaiseIndexError(i);
    return FItems[size_t(i)];
}

std::string TStringList::Get(int i) const {
    return At(i).S;
}
TObject* TStringList::Objects(int i) const {
    return At(i).Obj;
}
intptr_t TStringList::GetInteger(int i) const {
    return At(i).Int;
}

void TStringList::Put(int i, const std::string& s) {
    At(i).S = s;
    Changed();
}

void TStringList::SetObjects(int i, TObject* obj) {
    At(i).Obj = obj;
}
void TStringList::PutInteger(int i, intptr_t v) {
    At(i).Int = v;
}

void TStringList::Insert(int i, const std::string& s) {
    if (i < 0 || i > Count()) RaiseIndexError(i);
    FItems.insert(FItems.begin() + i, Item{s, nullptr, 0});
    Changed();
}

void TStringList::Delete(int i) {
    At(i);
    FItems.erase(FItems.begin() + i);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

// ---- TList --------------------------------------------------------------------------------------

void* TList::Get(int i) const {
    if (i < 0 || i >= Count()) TStrings::RaiseIndexError(i);
    return FItems[size_t(i)];
}

void TList::Put(int i, void* p) {
    Get(i);
    FItems[size_t(i)] = p;
}

int TList::Add(void* p) {
    FItems.push_back(p);
    return Count() - 1;
}

void TList::Insert(int i, void* p) {
    if (i < 0 || i > Count()) TStrings::RaiseIndexError(i);
    FItems.insert(FItems.begin() + i, p);
}

void TList::Delete(int i) {
    Get(i);
    FItems.erase(FItems.begin() + i);
}

int TList::IndexOf(void* p) const {
    auto it = std::find(FItems.begin(), FItems.end(), p);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TList::Remove(void* p) {
    int i = IndexOf(p);
    if (i >= 0) Delete(i);
    return i;
}
