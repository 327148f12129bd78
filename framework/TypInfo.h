// Published properties by name: one registry per class, read by the description reader, by the
// skinners (GetProperty & co.) and by the skin loader. Portable: no Windows headers.
#pragma once

#include "Classes.h"

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

enum TTypeKind { tkInteger, tkEnumeration, tkSet, tkString, tkWString, tkClass, tkMethod, tkBinary };

using TEnumNames = std::vector<std::string>;
extern const TEnumNames BooleanNames; // "False", "True"

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = tkInteger;
    std::shared_ptr<const TEnumNames> Names; // enumeration values, or set members by bit
    const TClassInfo* PropClass = nullptr;   // tkClass: the declared class

    std::function<int64_t(const TObject&)> GetOrd; // tkInteger, tkEnumeration, tkSet
    std::function<void(TObject&, int64_t)> SetOrd;
    std::function<std::string(const TObject&)> GetStr; // tkString (UTF-8)
    std::function<void(TObject&, const std::string&)> SetStr;
    std::function<std::u16string(const TObject&)> GetWStr; // tkWString
    std::function<void(TObject&, const std::u16string&)> SetWStr;
    std::function<TObject*(const TObject&)> GetObj; // tkClass
    std::function<void(TObject&, TObject*)> SetObj;
    std::function<TMethod(const TObject&)> GetMethod;        // tkMethod
    std::function<bool(TObject&, const TMethod&)> SetMethod; // false: wrong handler signature
    std::function<void(TObject&, TStream&)> ReadData;        // tkBinary: the stream holds the bytes
    std::function<void(const TObject&, TStream&)> WriteData;
};

struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropInfo> Props;                   // this class's own, in declared order
    std::function<TComponent*(TComponent*)> Create; // null for classes a description cannot create

    const TPropInfo* FindProp(const std::string& name) const; // case-insensitive, ancestors too
    bool InheritsFrom(const TClassInfo& other) const;
    std::vector<const TPropInfo*> AllProps() const; // ancestors' first
};

// Classes a description may name. Lookup is case-insensitive.
void RegisterClassInfo(const TClassInfo& cls);
const TClassInfo* FindClass(const std::string& name);

std::string GetEnumName(const TEnumNames& names, int64_t value);    // empty when out of range
int GetEnumValue(const TEnumNames& names, const std::string& name); // -1 when unknown

// Registers the published properties of T. Getters and setters may be member functions, data
// members or lambdas taking the object; an ordinal property with setter nullptr is read-only (never
// stored).
template <class T> class TClassBuilder {
  public:
    TClassBuilder(std::string name, const TClassInfo& parent) {
        FInfo.Name = std::move(name);
        FInfo.Parent = &parent;
    }
    TClassBuilder& Creatable() {
        FInfo.Create = [](TComponent* owner) -> TComponent* { return new T(owner); };
        return *this;
    }
    template <class G, class S> TClassBuilder& Int(const std::string& name, G get, S set) {
        return Ord(name, tkInteger, nullptr, get, set);
    }
    template <class G, class S> TClassBuilder& Bool(const std::string& name, G get, S set) {
        return Ord(name, tkEnumeration, &BooleanNames, get, set);
    }
    template <class G, class S>
    TClassBuilder& Enum(const std::string& name, const TEnumNames& names, G get, S set) {
        return Ord(name, tkEnumeration, &names, get, set);
    }
    template <class G, class S>
    TClassBuilder& Set(const std::string& name, const TEnumNames& members, G get, S set) {
        return Ord(name, tkSet, &members, get, set);
    }
    template <class G, class S> TClassBuilder& Str(const std::string& name, G get, S set) {
        TPropInfo& p = Add(name, tkString);
        p.GetStr = [get](const TObject& o) { return std::string(Get(get, o)); };
        p.SetStr = [set](TObject& o, const std::string& v) { Put(set, o, v); };
        return *this;
    }
    template <class G, class S> TClassBuilder& WStr(const std::string& name, G get, S set) {
        TPropInfo& p = Add(name, tkWString);
        p.GetWStr = [get](const TObject& o) { return std::u16string(Get(get, o)); };
        p.SetWStr = [set](TObject& o, const std::u16string& v) { Put(set, o, v); };
        return *this;
    }
    // A class property; with set == nullptr it is read-only (the reader fills the object in place).
    template <class C, class G, class S = std::nullptr_t>
    TClassBuilder& Obj(const std::string& name, G get, S set = nullptr) {
        TPropInfo& p = Add(name, tkClass);
        p.PropClass = &C::StaticClassInfo();
        p.GetObj = [get](const TObject& o) -> TObject* { return Get(get, o); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetObj = [set](TObject& o, TObject* v) { Put(set, o, static_cast<C*>(v)); };
        return *this;
    }
    template <class... A> TClassBuilder& Event(const std::string& name, TEvent<A...> T::*field) {
        TPropInfo& p = Add(name, tkMethod);
        p.GetMethod = [field](const TObject& o) { return ToMethod(static_cast<const T&>(o).*field); };
        p.SetMethod = [field](TObject& o, const TMethod& m) {
            return FromMethod(m, static_cast<T&>(o).*field);
        };
        return *this;
    }
    template <class R, class W> TClassBuilder& Binary(const std::string& name, R read, W write) {
        TPropInfo& p = Add(name, tkBinary);
        p.ReadData = [read](TObject& o, TStream& s) { std::invoke(read, static_cast<T&>(o), s); };
        p.WriteData = [write](const TObject& o, TStream& s) {
            std::invoke(write, static_cast<const T&>(o), s);
        };
        return *this;
    }
    TClassInfo Build() { return std::move(FInfo); }

  private:
    TPropInfo& Add(const std::string& name, TTypeKind kind) {
        FInfo.Props.push_back({});
        FInfo.Props.back().Name = name;
        FInfo.Props.back().Kind = kind;
        return FInfo.Props.back();
    }
    template <class G> static decltype(auto) Get(G get, const TObject& o) {
        return std::invoke(get, static_cast<const T&>(o));
    }
    template <class S, class V> static void Put(S set, TObject& o, V&& v) {
        if constexpr (std::is_member_object_pointer_v<S>)
            static_cast<T&>(o).*set = std::forward<V>(v);
        else
            std::invoke(set, static_cast<T&>(o), std::forward<V>(v));
    }
    template <class G, class S>
    TClassBuilder& Ord(const std::string& name, TTypeKind kind, const TEnumNames* names, G get, S set) {
        TPropInfo& p = Add(name, kind);
        if (names) p.Names = std::make_shared<const TEnumNames>(*names);
        p.GetOrd = [get](const TObject& o) { return static_cast<int64_t>(Get(get, o)); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrd = [set](TObject& o, int64_t v) {
                using V = std::remove_cvref_t<decltype(Get(std::declval<G>(), o))>;
                Put(set, o, static_cast<V>(v));
            };
        return *this;
    }
    TClassInfo FInfo;
};

// Declares the class's registry entry; define StaticClassInfo() in the .cpp with a TClassBuilder.
#define QL_CLASS_INFO()                                                                                      \
  public:                                                                                                    \
    static const TClassInfo& StaticClassInfo();                                                              \
    const TClassInfo& ClassInfo() const override {                                                           \
        return StaticClassInfo();                                                                            \
    }

// ---- Property access by name, with the neutral values a skinner relies on ------------------------

const TPropInfo* GetPropInfo(const TObject* obj, const std::string& name);

// Enumeration value name or integer decimal text; "" otherwise.
std::string GetProperty(const TObject* obj, const std::string& name);
// Integer property value; -1 when missing or not an integer.
int32_t GetIntProperty(const TObject* obj, const std::string& name);
// Enumeration value name; "" when missing.
std::string GetEnumProperty(const TObject* obj, const std::string& name);
// Wide and narrow string properties as wide text; "" when missing.
std::u16string GetStringProp(const TObject* obj, const std::string& name);
// The handler in a method property; `method` unchanged when missing.
void GetObjMethod(const TObject* obj, const std::string& name, TMethod& method);
// The object in a class property when it is of `cls`; null otherwise.
TObject* GetObjProp(const TObject* obj, const std::string& name, const TClassInfo& cls);
// Enumeration from a value name, integer from decimal text, string from text; nothing when missing.
void SetProperty(TObject* obj, const std::string& name, const std::string& value);

// Set text "[a, b]" <-> bits.
std::string SetToString(const TEnumNames& members, uint32_t bits);
