#include "platform/rtl/TypInfo.h"

#include <cxxabi.h>
#include <map>
#include <mutex>
#include <unordered_map>

namespace {

String Lower(const String& S) {
    return LowerCase(S);
}

struct TRegistry {
    std::recursive_mutex Lock;
    std::vector<std::unique_ptr<TClassInfo>> Classes;
    std::map<String, const TClassInfo*> ByName; // lower-case names
    std::unordered_map<std::type_index, const TClassInfo*> ByType;
    // Dynamic types resolved to their nearest built ancestor.
    std::unordered_map<std::type_index, const TClassInfo*> Resolved;
    std::unordered_map<std::type_index, const TTypeInfo*> Enums;
};

TRegistry& Registry() {
    static TRegistry* registry = new TRegistry; // lives as long as the program
    return *registry;
}

Integer Depth(const TClassInfo* Info) {
    Integer d = 0;
    for (; Info; Info = Info->ClassParent())
        ++d;
    return d;
}

const TTypeInfo* NewType(TTypeKind Kind, const String& Name) {
    auto* t = new TTypeInfo;
    t->Kind = Kind;
    t->Name = Name;
    return t;
}

[[noreturn]] void UnknownProperty(const String& PropName) {
    throw EPropertyError("Unknown property: " + PropName);
}

const TPropInfo& NeedProp(const TObject* Instance, const String& PropName) {
    const TPropInfo* p = GetPropInfo(Instance, PropName);
    if (!p) UnknownProperty(PropName);
    return *p;
}

[[noreturn]] void WrongKind(const TPropInfo& P) {
    throw EPropertyConvertError("Invalid property type: " + P.Name + " is of type " + P.PropType->Name);
}

[[noreturn]] void ReadOnly(const TPropInfo& P) {
    throw EPropertyError("Property " + P.Name + " is read-only");
}

bool IsOrdinal(const TPropInfo& P) {
    TTypeKind k = P.Kind();
    return k == tkInteger || k == tkEnumeration || k == tkSet;
}

} // namespace

String typinfo_detail::DemangledName(const std::type_info& Type) {
    int status = 0;
    char* d = abi::__cxa_demangle(Type.name(), nullptr, nullptr, &status);
    String name = (status == 0 && d) ? String(d) : String(Type.name());
    std::free(d);
    return name;
}

// ================================================================ types

const TTypeInfo* IntegerTypeInfo() {
    static const TTypeInfo* t = NewType(tkInteger, "Integer");
    return t;
}

const TTypeInfo* CardinalTypeInfo() {
    static const TTypeInfo* t = [] {
        auto* c = new TTypeInfo;
        c->Kind = tkInteger;
        c->Name = "Cardinal";
        c->MinValue = 0;
        c->MaxValue = UINT32_MAX;
        return c;
    }();
    return t;
}

const TTypeInfo* CharTypeInfo() {
    static const TTypeInfo* t = [] {
        auto* c = new TTypeInfo;
        c->Kind = tkInteger;
        c->Name = "Char";
        c->MinValue = 0;
        c->MaxValue = 255;
        c->IsChar = true;
        return c;
    }();
    return t;
}

const TTypeInfo* BooleanTypeInfo() {
    static const TTypeInfo* t = [] {
        auto* b = new TTypeInfo;
        b->Kind = tkEnumeration;
        b->Name = "Boolean";
        b->Names = {"False", "True"};
        return b;
    }();
    return t;
}

const TTypeInfo* FloatTypeInfo() {
    static const TTypeInfo* t = NewType(tkFloat, "Double");
    return t;
}

const TTypeInfo* StringTypeInfo() {
    static const TTypeInfo* t = NewType(tkString, "String");
    return t;
}

const TTypeInfo* MakeIdentIntegerType(const String& Name,
                                      std::function<bool(const String&, Int64&)> IdentToInt,
                                      std::function<bool(Int64, String&)> IntToIdent) {
    auto* t = new TTypeInfo;
    t->Kind = tkInteger;
    t->Name = Name;
    t->IdentToInt = std::move(IdentToInt);
    t->IntToIdent = std::move(IntToIdent);
    // Such values (colours) are 32-bit patterns, written signed or unsigned.
    t->MaxValue = UINT32_MAX;
    return t;
}

const TTypeInfo* MakeSetType(const String& Name, const TTypeInfo* CompType) {
    if (!CompType || CompType->Kind != tkEnumeration || CompType->Names.size() > 64)
        throw EInvalidOperation("Set type " + Name + " needs an enumeration of at most 64 values");
    auto* t = new TTypeInfo;
    t->Kind = tkSet;
    t->Name = Name;
    t->CompType = CompType;
    return t;
}

const TTypeInfo* RegisterEnumType(std::type_index Type, const String& Name, std::vector<String> Names) {
    auto& r = Registry();
    std::lock_guard<std::recursive_mutex> g(r.Lock);
    auto it = r.Enums.find(Type);
    if (it != r.Enums.end()) return it->second;
    auto* t = new TTypeInfo;
    t->Kind = tkEnumeration;
    t->Name = Name;
    t->Names = std::move(Names);
    r.Enums.emplace(Type, t);
    return t;
}

const TTypeInfo* FindEnumType(std::type_index Type) {
    auto& r = Registry();
    std::lock_guard<std::recursive_mutex> g(r.Lock);
    auto it = r.Enums.find(Type);
    return it == r.Enums.end() ? nullptr : it->second;
}

String GetEnumName(const TTypeInfo* TypeInfo, Integer Value) {
    if (!TypeInfo || Value < 0 || Value >= static_cast<Integer>(TypeInfo->Names.size())) return String();
    return TypeInfo->Names[static_cast<size_t>(Value)];
}

Integer GetEnumValue(const TTypeInfo* TypeInfo, const String& Name) {
    if (!TypeInfo) return -1;
    for (size_t i = 0; i < TypeInfo->Names.size(); ++i)
        if (SameText(TypeInfo->Names[i], Name)) return static_cast<Integer>(i);
    return -1;
}

String SetToString(const TTypeInfo* SetType, Int64 Value, bool Brackets) {
    String s;
    const TTypeInfo* comp = SetType ? SetType->CompType : nullptr;
    if (comp)
        for (size_t i = 0; i < comp->Names.size(); ++i)
            if (static_cast<UInt64>(Value) & (UInt64(1) << i)) {
                if (!s.empty()) s += ',';
                s += comp->Names[i];
            }
    return Brackets ? "[" + s + "]" : s;
}

Int64 StringToSet(const TTypeInfo* SetType, const String& Value) {
    const TTypeInfo* comp = SetType ? SetType->CompType : nullptr;
    if (!comp) throw EPropertyConvertError("Not a set type");
    String text = Trim(Value);
    if (!text.empty() && text.front() == '[') {
        if (text.back() != ']') throw EPropertyConvertError("Invalid set value: " + Value);
        text = text.substr(1, text.size() - 2);
    }
    UInt64 result = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        String name = Trim(text.substr(start, comma == String::npos ? String::npos : comma - start));
        if (!name.empty()) {
            Integer v = GetEnumValue(comp, name);
            if (v < 0) throw EPropertyConvertError("Invalid property element: " + name);
            result |= UInt64(1) << v;
        } else if (comma != String::npos) {
            throw EPropertyConvertError("Invalid set value: " + Value);
        }
        if (comma == String::npos) break;
        start = comma + 1;
    }
    return static_cast<Int64>(result);
}

// ================================================================ properties and classes

bool TPropInfo::IsStored(const TObject* Instance) const {
    if (StoredFn && !StoredFn(Instance)) return false;
    if (Default && GetOrd) return GetOrd(Instance) != *Default;
    return true;
}

bool TClassInfo::InheritsFrom(const TClassInfo* Ancestor) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (c == Ancestor) return true;
    return false;
}

TComponent* TClassInfo::Create(TComponent* AOwner) const {
    if (!FCreate) throw EInvalidOperation("Cannot create an instance of class " + FName);
    return FCreate(AOwner);
}

const TPropInfo* TClassInfo::FindProperty(const String& Name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const auto& p : c->FProps)
            if (SameText(p->Name, Name)) return p.get();
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->FParent)
        chain.push_back(c);
    std::vector<const TPropInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const auto& p : (*it)->FProps) {
            // A redeclared property replaces the inherited one in place.
            bool replaced = false;
            for (auto& r : result)
                if (SameText(r->Name, p->Name)) {
                    r = p.get();
                    replaced = true;
                }
            if (!replaced) result.push_back(p.get());
        }
    return result;
}

const TFieldInfo* TClassInfo::FindField(const String& Name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const auto& f : c->FFields)
            if (SameText(f.Name, Name)) return &f;
    return nullptr;
}

std::vector<const TFieldInfo*> TClassInfo::Fields() const {
    std::vector<const TFieldInfo*> result;
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const auto& f : c->FFields)
            result.push_back(&f);
    return result;
}

const TMethodInfo* TClassInfo::FindMethod(const String& Name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const auto& m : c->FMethods)
            if (SameText(m.Name, Name)) return &m;
    return nullptr;
}

const TClassInfo& RegisterClassInfo(std::unique_ptr<TClassInfo> Info, std::type_index Type) {
    auto& r = Registry();
    std::lock_guard<std::recursive_mutex> g(r.Lock);
    String key = Lower(Info->ClassName());
    auto named = r.ByName.find(key);
    if (named != r.ByName.end())
        throw EInvalidOperation("A class named " + Info->ClassName() + " is already registered");
    if (r.ByType.count(Type)) throw EInvalidOperation("Class " + Info->ClassName() + " is built twice");
    const TClassInfo* info = Info.get();
    r.Classes.push_back(std::move(Info));
    r.ByName.emplace(key, info);
    r.ByType.emplace(Type, info);
    r.Resolved.clear(); // a nearer ancestor may exist now
    return *info;
}

const TClassInfo* GetExactClassInfo(std::type_index Type) {
    auto& r = Registry();
    std::lock_guard<std::recursive_mutex> g(r.Lock);
    auto it = r.ByType.find(Type);
    return it == r.ByType.end() ? nullptr : it->second;
}

const TClassInfo* GetClassInfo(const TObject* Instance) {
    if (!Instance) return nullptr;
    if (auto* p = dynamic_cast<const TPersistent*>(Instance))
        if (const TClassInfo* info = p->PublishedClassInfo()) return info;
    // Make sure the run-time library's own classes exist.
    ComponentClassInfo();
    StringsClassInfo();
    CollectionClassInfo();
    auto& r = Registry();
    std::lock_guard<std::recursive_mutex> g(r.Lock);
    std::type_index type(typeid(*Instance));
    if (auto it = r.ByType.find(type); it != r.ByType.end()) return it->second;
    if (auto it = r.Resolved.find(type); it != r.Resolved.end()) return it->second;
    const TClassInfo* best = nullptr;
    Integer bestDepth = -1;
    for (const auto& c : r.Classes)
        if (c->IsInstance(Instance)) {
            Integer d = Depth(c.get());
            if (d > bestDepth) {
                best = c.get();
                bestDepth = d;
            }
        }
    r.Resolved.emplace(type, best);
    return best;
}

const TClassInfo* GetClass(const String& ClassName) {
    ComponentClassInfo();
    auto& r = Registry();
    std::lock_guard<std::recursive_mutex> g(r.Lock);
    auto it = r.ByName.find(Lower(ClassName));
    return it == r.ByName.end() ? nullptr : it->second;
}

const TClassInfo& FindClass(const String& ClassName) {
    const TClassInfo* c = GetClass(ClassName);
    if (!c) throw EClassNotFound("Class " + ClassName + " not found");
    return *c;
}

void RegisterClass(const TClassInfo& Info) {
    if (GetClass(Info.ClassName()) != &Info)
        throw EInvalidOperation("Class " + Info.ClassName() + " was not built through TClassBuilder");
}

void RegisterClasses(std::initializer_list<const TClassInfo*> Infos) {
    for (const TClassInfo* i : Infos)
        if (i) RegisterClass(*i);
}

const TClassInfo& PersistentClassInfo() {
    static const TClassInfo& info = TClassBuilder<TPersistent>("TPersistent", nullptr).Register();
    return info;
}

const TClassInfo& ComponentClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TComponent>("TComponent", &PersistentClassInfo())
            .Property("Name", &TComponent::Name, &TComponent::SetName)
            .Stored([](const TComponent*) { return false; })
            .Property(
                "Tag", [](const TComponent* c) { return static_cast<Int64>(c->Tag); },
                [](TComponent* c, Int64 v) { c->Tag = static_cast<std::intptr_t>(v); })
            .Default(0)
            .Register();
    return info;
}

const TClassInfo& StringsClassInfo() {
    static const TClassInfo& info = TClassBuilder<TStrings>("TStrings", &PersistentClassInfo()).Register();
    return info;
}

const TClassInfo& CollectionClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TCollection>("TCollection", &PersistentClassInfo()).Register();
    return info;
}

// ================================================================ access by name

const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName) {
    const TClassInfo* c = GetClassInfo(Instance);
    return c ? c->FindProperty(PropName) : nullptr;
}

bool IsPublishedProp(const TObject* Instance, const String& PropName) {
    return GetPropInfo(Instance, PropName) != nullptr;
}

bool PropIsType(const TObject* Instance, const String& PropName, TTypeKind Kind) {
    const TPropInfo* p = GetPropInfo(Instance, PropName);
    return p && p->Kind() == Kind;
}

Int64 GetOrdProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (!IsOrdinal(p) || !p.GetOrd) WrongKind(p);
    return p.GetOrd(Instance);
}

void SetOrdProp(TObject* Instance, const String& PropName, Int64 Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (!IsOrdinal(p)) WrongKind(p);
    if (!p.SetOrd) ReadOnly(p);
    p.SetOrd(Instance, Value);
}

String GetEnumProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkEnumeration) WrongKind(p);
    return GetEnumName(p.PropType, static_cast<Integer>(p.GetOrd(Instance)));
}

void SetEnumProp(TObject* Instance, const String& PropName, const String& Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkEnumeration) WrongKind(p);
    if (!p.SetOrd) ReadOnly(p);
    Integer v = GetEnumValue(p.PropType, Value);
    if (v < 0) throw EPropertyConvertError("Invalid enumeration value: " + Value);
    p.SetOrd(Instance, v);
}

String GetSetProp(const TObject* Instance, const String& PropName, bool Brackets) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkSet) WrongKind(p);
    return SetToString(p.PropType, p.GetOrd(Instance), Brackets);
}

void SetSetProp(TObject* Instance, const String& PropName, const String& Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkSet) WrongKind(p);
    if (!p.SetOrd) ReadOnly(p);
    p.SetOrd(Instance, StringToSet(p.PropType, Value));
}

String GetStrProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkString) WrongKind(p);
    return p.GetStr(Instance);
}

void SetStrProp(TObject* Instance, const String& PropName, const String& Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkString) WrongKind(p);
    if (!p.SetStr) ReadOnly(p);
    p.SetStr(Instance, Value);
}

double GetFloatProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkFloat) WrongKind(p);
    return p.GetFloat(Instance);
}

void SetFloatProp(TObject* Instance, const String& PropName, double Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkFloat) WrongKind(p);
    if (!p.SetFloat) ReadOnly(p);
    p.SetFloat(Instance, Value);
}

TObject* GetObjectProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkClass) WrongKind(p);
    return p.GetObj(Instance);
}

void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkClass) WrongKind(p);
    if (!p.SetObj) ReadOnly(p);
    p.SetObj(Instance, Value);
}

std::any GetMethodProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkMethod) WrongKind(p);
    return p.GetMethod(Instance);
}

void SetMethodProp(TObject* Instance, const String& PropName, const std::any& Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind() != tkMethod) WrongKind(p);
    p.SetMethod(Instance, Value);
}

bool SetFieldByName(TObject* Instance, const String& FieldName, TComponent* Value) {
    const TClassInfo* c = GetClassInfo(Instance);
    const TFieldInfo* f = c ? c->FindField(FieldName) : nullptr;
    if (!f) return false;
    if (Value && !f->Accepts(Value))
        throw EPropertyConvertError("Field " + FieldName + " of " + c->ClassName() + " cannot hold a " +
                                    Value->ClassName());
    f->Set(Instance, Value);
    return true;
}

void ClearFieldsReferring(TObject* Instance, const TComponent* Value) {
    const TClassInfo* c = GetClassInfo(Instance);
    if (!c || !Value) return;
    for (const TFieldInfo* f : c->Fields())
        if (f->Get(Instance) == Value) f->Set(Instance, nullptr);
}
