#include "TypInfo.h"

#include <map>

const TEnumNames BooleanNames{"False", "True"};

const TPropInfo* TClassInfo::FindProp(const std::string& name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Props)
            if (SameText(p.Name, name)) return &p;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other) return true;
    return false;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
    std::vector<const TPropInfo*> out = Parent ? Parent->AllProps() : std::vector<const TPropInfo*>{};
    for (const TPropInfo& p : Props)
        out.push_back(&p);
    return out;
}

namespace {
std::map<std::string, const TClassInfo*>& Registry() {
    static std::map<std::string, const TClassInfo*> classes;
    return classes;
}
} // namespace

void RegisterClassInfo(const TClassInfo& cls) {
    Registry()[LowerCase(cls.Name)] = &cls;
}

const TClassInfo* FindClass(const std::string& name) {
    auto it = Registry().find(LowerCase(name));
    return it == Registry().end() ? nullptr : it->second;
}

std::string GetEnumName(const TEnumNames& names, int64_t value) {
    return value >= 0 && value < int64_t(names.size()) ? names[size_t(value)] : std::string();
}

int GetEnumValue(const TEnumNames& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], name)) return int(i);
    return -1;
}

std::string SetToString(const TEnumNames& members, uint32_t bits) {
    std::string out = "[";
    for (size_t i = 0; i < members.size() && i < 32; ++i) {
        if (!(bits >> i & 1)) continue;
        if (out.size() > 1) out += ", ";
        out += members[i];
    }
    return out + "]";
}

// ---- Access by name -----------------------------------------------------------------------------

const TPropInfo* GetPropInfo(const TObject* obj, const std::string& name) {
    return obj ? obj->ClassInfo().FindProp(name) : nullptr;
}

namespace {
const TPropInfo* PropOfKind(const TObject* obj, const std::string& name, TTypeKind kind) {
    const TPropInfo* p = GetPropInfo(obj, name);
    return p && p->Kind == kind ? p : nullptr;
}
} // namespace

std::string GetProperty(const TObject* obj, const std::string& name) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p) return {};
    if (p->Kind == tkEnumeration) return GetEnumName(*p->Names, p->GetOrd(*obj));
    if (p->Kind == tkInteger) return IntToStr(static_cast<int32_t>(p->GetOrd(*obj)));
    return {};
}

int32_t GetIntProperty(const TObject* obj, const std::string& name) {
    const TPropInfo* p = PropOfKind(obj, name, tkInteger);
    return p ? static_cast<int32_t>(p->GetOrd(*obj)) : -1;
}

std::string GetEnumProperty(const TObject* obj, const std::string& name) {
    const TPropInfo* p = PropOfKind(obj, name, tkEnumeration);
    return p ? GetEnumName(*p->Names, p->GetOrd(*obj)) : std::string();
}

std::u16string GetStringProp(const TObject* obj, const std::string& name) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p) return {};
    if (p->Kind == tkWString) return p->GetWStr(*obj);
    if (p->Kind == tkString) return Utf8ToUtf16(p->GetStr(*obj));
    return {};
}

void GetObjMethod(const TObject* obj, const std::string& name, TMethod& method) {
    if (const TPropInfo* p = PropOfKind(obj, name, tkMethod)) method = p->GetMethod(*obj);
}

TObject* GetObjProp(const TObject* obj, const std::string& name, const TClassInfo& cls) {
    const TPropInfo* p = PropOfKind(obj, name, tkClass);
    TObject* value = p ? p->GetObj(*obj) : nullptr;
    return value && value->InheritsFrom(cls) ? value : nullptr;
}

void SetProperty(TObject* obj, const std::string& name, const std::string& value) {
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p) return;
    switch (p->Kind) {
    case tkEnumeration:
        if (int v = GetEnumValue(*p->Names, value); v >= 0 && p->SetOrd) p->SetOrd(*obj, v);
        break;
    case tkInteger:
        if (int32_t v = 0; TryStrToInt(value, v) && p->SetOrd) p->SetOrd(*obj, v);
        break;
    case tkString:
        if (p->SetStr) p->SetStr(*obj, value);
        break;
    case tkWString:
        if (p->SetWStr) p->SetWStr(*obj, Utf8ToUtf16(value));
        break;
    default:
        break;
    }
}
