#pragma once
// Published properties: the run-time type information through which form
// descriptions are read and settings are pushed to objects by property name.
//
// A class publishes its properties by declaring QUENTA_PUBLISHED in a public
// section and defining the static ClassInfo() it declares with TClassBuilder:
//
//   class TMyControl : public TCustomControl {
//   public:
//       QUENTA_PUBLISHED
//       ...
//   };
//   const TClassInfo& TMyControl::ClassInfo() {
//       static const TClassInfo& Info =
//           TClassBuilder<TMyControl>("TMyControl", &TCustomControl::ClassInfo())
//               .Property("FrameStyle", &TMyControl::FrameStyle, &TMyControl::SetFrameStyle)
//               .Default(fsFlat)
//               .Property("Color", &TMyControl::Color, &TMyControl::SetColor, ColorTypeInfo())
//               .Event("OnClick", &TMyControl::OnClick)
//               .Register();
//       return Info;
//   }
//
// The class is built the first time it is asked for and then registered by
// name (FindClass) and by its C++ type. An object shows the properties of the
// nearest class in its ancestry that declares QUENTA_PUBLISHED. Forms also list their component fields and
// their event handler methods, so the form reader can fill the fields and wire "OnClick = FindAllBtnClick" by
// name.

#include "platform/rtl/Classes.h"

#include <any>
#include <concepts>
#include <memory>
#include <optional>
#include <typeindex>
#include <typeinfo>
#include <vector>

#define QUENTA_PUBLISHED                                                                                     \
    static const TClassInfo& ClassInfo();                                                                    \
    const TClassInfo* PublishedClassInfo() const override {                                                  \
        return &ClassInfo();                                                                                 \
    }

enum TTypeKind { tkUnknown, tkInteger, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod };

class TClassInfo;

QUENTA_DECLARE_EXCEPTION(EPropertyError, Exception);
QUENTA_DECLARE_EXCEPTION(EPropertyConvertError, Exception);
QUENTA_DECLARE_EXCEPTION(EClassNotFound, Exception);

// The type of a published property. Type infos live as long as the program.
struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    String Name; // "Integer", "Boolean", "TColor", "TFrameStyle", "TSides", "TFont", "TNotifyEvent"
    // tkEnumeration: the identifiers of the values 0 .. n-1 ("False", "True").
    std::vector<String> Names;
    // tkSet: the element type; bit n of a set value holds element n.
    const TTypeInfo* CompType = nullptr;
    // tkInteger: optional identifiers for values (colours "clBtnFace",
    // cursors "crHandPoint"). Either may be empty.
    std::function<bool(const String& Ident, Int64& Value)> IdentToInt;
    std::function<bool(Int64 Value, String& Ident)> IntToIdent;
    Int64 MinValue = INT32_MIN;
    Int64 MaxValue = INT32_MAX;
    // tkInteger: a character (Char), whose value form descriptions write as
    // a string of one character ('*', #0).
    bool IsChar = false;
    // tkClass: whether an object is of the property's class, and whether the
    // class is a component (so that the property can name one).
    std::function<bool(const TObject* Obj)> IsInstance;
    bool IsComponent = false;
};

const TTypeInfo* IntegerTypeInfo();
const TTypeInfo* CardinalTypeInfo();
const TTypeInfo* CharTypeInfo();
const TTypeInfo* BooleanTypeInfo();
const TTypeInfo* FloatTypeInfo();
const TTypeInfo* StringTypeInfo();

// Creates an integer type whose values may also be written as identifiers;
// its values are 32-bit patterns (-2^31 .. 2^32-1 are accepted).
const TTypeInfo* MakeIdentIntegerType(const String& Name,
                                      std::function<bool(const String&, Int64&)> IdentToInt,
                                      std::function<bool(Int64, String&)> IntToIdent);

// Identifier tables: arrays of entries with a Value and a Name (the
// colour, cursor and character-set names). NameOfValue answers the name of
// the first entry of that value, ValueOfName the value of a name
// (case-insensitive); each is false when the table has none.
template <class E, std::size_t N, class V> bool NameOfValue(const E (&Entries)[N], const V& Value, String& Name) {
    for (const E& e : Entries)
        if (e.Value == Value) {
            Name = e.Name;
            return true;
        }
    return false;
}
template <class E, std::size_t N, class V> bool ValueOfName(const E (&Entries)[N], const String& Name, V& Value) {
    for (const E& e : Entries)
        if (SameText(Name, e.Name)) {
            Value = e.Value;
            return true;
        }
    return false;
}
// An integer type whose values may also be written as the names of a
// table that lives as long as the program.
template <class E, std::size_t N>
const TTypeInfo* MakeIdentIntegerType(const String& Name, const E (&Entries)[N]) {
    return MakeIdentIntegerType(
        Name, [&Entries](const String& Ident, Int64& Value) { return ValueOfName(Entries, Ident, Value); },
        [&Entries](Int64 Value, String& Ident) { return NameOfValue(Entries, Value, Ident); });
}

// Creates a set type over an enumeration type.
const TTypeInfo* MakeSetType(const String& Name, const TTypeInfo* CompType);

// Registers the identifiers of a C++ enumeration (values 0 .. n-1), so that
// properties of that type are published as enumerations.
const TTypeInfo* RegisterEnumType(std::type_index Type, const String& Name, std::vector<String> Names);
template <class E> const TTypeInfo* RegisterEnumType(const String& Name, std::vector<String> Names) {
    return RegisterEnumType(std::type_index(typeid(E)), Name, std::move(Names));
}
// The registered enumeration type of E, or nullptr.
const TTypeInfo* FindEnumType(std::type_index Type);
template <class E> const TTypeInfo* EnumTypeInfo() {
    return FindEnumType(std::type_index(typeid(E)));
}

// The identifier of an enumeration value; "" when out of range.
String GetEnumName(const TTypeInfo* TypeInfo, Integer Value);
// The value of an identifier (case-insensitive); -1 when unknown.
Integer GetEnumValue(const TTypeInfo* TypeInfo, const String& Name);
// "[sdLeft,sdTop]" (or without brackets) for a set value.
String SetToString(const TTypeInfo* SetType, Int64 Value, bool Brackets = true);
// Parses "[a, b]" or "a,b"; raises EPropertyConvertError for an unknown element.
Int64 StringToSet(const TTypeInfo* SetType, const String& Value);

// ---------------------------------------------------------------- properties

// One published property: its type, how to read and write it, and its
// stored default.
struct TPropInfo {
    String Name;
    const TTypeInfo* PropType = nullptr;
    // tkInteger, tkEnumeration, tkSet
    std::function<Int64(const TObject*)> GetOrd;
    std::function<void(TObject*, Int64)> SetOrd;
    // tkFloat
    std::function<double(const TObject*)> GetFloat;
    std::function<void(TObject*, double)> SetFloat;
    // tkString
    std::function<String(const TObject*)> GetStr;
    std::function<void(TObject*, const String&)> SetStr;
    // tkClass: owned sub-objects (Font, Lines, Picture) have no setter and
    // are filled in place; component references have one.
    std::function<TObject*(const TObject*)> GetObj;
    std::function<void(TObject*, TObject*)> SetObj;
    // tkMethod: the value is the event's std::function held in a std::any.
    std::function<std::any(const TObject*)> GetMethod;
    std::function<void(TObject*, const std::any&)> SetMethod;
    // The value a form description leaves out (ordinal properties).
    std::optional<Int64> Default;
    // Whether the value is written to a form description at all.
    std::function<bool(const TObject*)> StoredFn;

    TTypeKind Kind() const { return PropType ? PropType->Kind : tkUnknown; }
    bool IsWritable() const { return SetOrd || SetFloat || SetStr || SetObj || SetMethod; }
    // Stored: the stored function agrees and an ordinal differs from its default.
    bool IsStored(const TObject* Instance) const;
};

// A component field of a form, filled by name when the form is read.
struct TFieldInfo {
    String Name;
    const TClassInfo* FieldClass = nullptr; // the field's declared class, when it publishes
    std::function<bool(const TComponent*)> Accepts;
    std::function<void(TObject* Instance, TComponent* Value)> Set;
    std::function<TComponent*(const TObject* Instance)> Get;
};

// An event handler of a form, bound to a form instance on request.
struct TMethodInfo {
    String Name;
    std::function<std::any(TObject* Instance)> Bind;
};

// ---------------------------------------------------------------- classes

class TClassInfo {
public:
    const String& ClassName() const { return FName; }
    const TClassInfo* ClassParent() const { return FParent; }
    bool InheritsFrom(const TClassInfo* Ancestor) const;
    bool IsInstance(const TObject* Obj) const { return Obj && FIsInstance(Obj); }
    // Whether new components of this class can be made by name.
    bool CanCreate() const { return static_cast<bool>(FCreate); }
    // A new component of this class with the given owner.
    TComponent* Create(TComponent* AOwner) const;

    // Published properties, own ones and inherited; lookup is case-insensitive.
    const TPropInfo* FindProperty(const String& Name) const;
    std::vector<const TPropInfo*> Properties() const; // ancestors first
    const TFieldInfo* FindField(const String& Name) const;
    std::vector<const TFieldInfo*> Fields() const;
    const TMethodInfo* FindMethod(const String& Name) const;

private:
    template <class T> friend class TClassBuilder;
    friend const TClassInfo& RegisterClassInfo(std::unique_ptr<TClassInfo> Info, std::type_index Type);
    TClassInfo() = default;

    String FName;
    const TClassInfo* FParent = nullptr;
    std::function<bool(const TObject*)> FIsInstance;
    std::function<TComponent*(TComponent*)> FCreate;
    std::vector<std::unique_ptr<TPropInfo>> FProps;
    std::vector<TFieldInfo> FFields;
    std::vector<TMethodInfo> FMethods;
};

// Registers a built class; raises EInvalidOperation when another class of
// the same name is registered.
const TClassInfo& RegisterClassInfo(std::unique_ptr<TClassInfo> Info, std::type_index Type);

// The class info of an object: that of the nearest class in its ancestry
// that publishes; nullptr when none applies.
const TClassInfo* GetClassInfo(const TObject* Instance);
// The class built for exactly this C++ type, or nullptr.
const TClassInfo* GetExactClassInfo(std::type_index Type);
// A registered class by name, or nullptr / EClassNotFound "Class X not found".
const TClassInfo* GetClass(const String& ClassName);
const TClassInfo& FindClass(const String& ClassName);
// Makes classes findable by name (building a class does that already; this
// call exists so that start-up code can name what it needs).
void RegisterClass(const TClassInfo& Info);
void RegisterClasses(std::initializer_list<const TClassInfo*> Infos);

const TClassInfo& PersistentClassInfo();
const TClassInfo& ComponentClassInfo();
const TClassInfo& StringsClassInfo();
const TClassInfo& CollectionClassInfo();

// The class info of C++ class T: T::ClassInfo() when T (or an ancestor)
// declares it, else the run-time library's nearest base.
template <class T> const TClassInfo& ClassInfoOf() {
    if constexpr (requires {
                      { T::ClassInfo() } -> std::convertible_to<const TClassInfo&>;
                  })
        return T::ClassInfo();
    else if constexpr (std::is_base_of_v<TComponent, T>)
        return ComponentClassInfo();
    else if constexpr (std::is_base_of_v<TStrings, T>)
        return StringsClassInfo();
    else if constexpr (std::is_base_of_v<TCollection, T>)
        return CollectionClassInfo();
    else
        return PersistentClassInfo();
}

// ---------------------------------------------------------------- access by name

const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName);
bool IsPublishedProp(const TObject* Instance, const String& PropName);
bool PropIsType(const TObject* Instance, const String& PropName, TTypeKind Kind);

// Each raises EPropertyError "Unknown property: X" for a property the object
// does not publish, and EPropertyConvertError for a value of the wrong kind.
Int64 GetOrdProp(const TObject* Instance, const String& PropName);
void SetOrdProp(TObject* Instance, const String& PropName, Int64 Value);
String GetEnumProp(const TObject* Instance, const String& PropName);
void SetEnumProp(TObject* Instance, const String& PropName, const String& Value);
String GetSetProp(const TObject* Instance, const String& PropName, bool Brackets = false);
void SetSetProp(TObject* Instance, const String& PropName, const String& Value);
String GetStrProp(const TObject* Instance, const String& PropName);
void SetStrProp(TObject* Instance, const String& PropName, const String& Value);
double GetFloatProp(const TObject* Instance, const String& PropName);
void SetFloatProp(TObject* Instance, const String& PropName, double Value);
TObject* GetObjectProp(const TObject* Instance, const String& PropName);
void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value);
std::any GetMethodProp(const TObject* Instance, const String& PropName);
void SetMethodProp(TObject* Instance, const String& PropName, const std::any& Value);

// Sets the form field of that name (if the form's class lists one) to Value.
// Returns false when there is no such field; raises EPropertyConvertError when
// the field cannot hold Value's class.
bool SetFieldByName(TObject* Instance, const String& FieldName, TComponent* Value);
// Clears every listed field of Instance that refers to Value.
void ClearFieldsReferring(TObject* Instance, const TComponent* Value);

// ---------------------------------------------------------------- building

namespace typinfo_detail {
template <class V> struct IsStdFunction : std::false_type {};

// A set type with a bit image (TSet): bit n holds element n.
template <class V>
concept SetLike = requires(const V v, UInt64 bits) {
    { v.ToInt() } -> std::convertible_to<UInt64>;
    { V::FromInt(bits) } -> std::same_as<V>;
};
template <class Sig> struct IsStdFunction<std::function<Sig>> : std::true_type {};

template <class M> struct MethodTraits;
template <class C, class R, class... A> struct MethodTraits<R (C::*)(A...)> {
    using Class = C;
    using Function = std::function<R(A...)>;
};

String DemangledName(const std::type_info& Type);
} // namespace typinfo_detail

// The type of a property that holds an object of class C.
template <class C> const TTypeInfo* ClassTypeInfo() {
    static const TTypeInfo* info = [] {
        auto* t = new TTypeInfo;
        t->Kind = tkClass;
        t->Name = typinfo_detail::DemangledName(typeid(C));
        t->IsInstance = [](const TObject* o) { return dynamic_cast<const C*>(o) != nullptr; };
        t->IsComponent = std::is_base_of_v<TComponent, C>;
        return t;
    }();
    return info;
}

// The type of an event property of std::function type E.
template <class E> const TTypeInfo* MethodTypeInfo() {
    static const TTypeInfo* info = [] {
        auto* t = new TTypeInfo;
        t->Kind = tkMethod;
        t->Name = typinfo_detail::DemangledName(typeid(E));
        return t;
    }();
    return info;
}

template <class T> class TClassBuilder {
public:
    TClassBuilder(const String& Name, const TClassInfo* Parent) : FInfo(new TClassInfo) {
        FInfo->FName = Name;
        FInfo->FParent = Parent;
        FInfo->FIsInstance = [](const TObject* Obj) { return dynamic_cast<const T*>(Obj) != nullptr; };
        if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T> &&
                      std::is_base_of_v<TComponent, T>)
            FInfo->FCreate = [](TComponent* AOwner) -> TComponent* { return new T(AOwner); };
    }

    // A property read and written through Get and Set: member functions of T
    // or callables taking (const T*) and (T*, value). Set may be nullptr for
    // a read-only property. The type is deduced (bool: Boolean; integers:
    // Integer; registered enumerations; double; String; pointers to
    // classes) unless Type is given (colours, sets, identifier integers).
    template <class G, class S>
    TClassBuilder& Property(const String& Name, G Get, S Set, const TTypeInfo* Type = nullptr) {
        using V = std::remove_cvref_t<std::invoke_result_t<G, const T*>>;
        auto p = std::make_unique<TPropInfo>();
        p->Name = Name;
        constexpr bool writable = !std::is_same_v<S, std::nullptr_t>;
        if constexpr (std::is_same_v<V, bool>) {
            p->PropType = Type ? Type : BooleanTypeInfo();
            p->GetOrd = [Get](const TObject* o) -> Int64 { return std::invoke(Get, Self(o)) ? 1 : 0; };
            if constexpr (writable)
                p->SetOrd = [Set](TObject* o, Int64 v) { std::invoke(Set, Self(o), v != 0); };
        } else if constexpr (typinfo_detail::SetLike<V>) {
            if (!Type || Type->Kind != tkSet)
                throw EInvalidOperation("Property " + Name + " of " + FInfo->FName +
                                        ": a set type is needed");
            p->PropType = Type;
            p->GetOrd = [Get](const TObject* o) -> Int64 {
                return static_cast<Int64>(std::invoke(Get, Self(o)).ToInt());
            };
            if constexpr (writable)
                p->SetOrd = [Set](TObject* o, Int64 v) {
                    std::invoke(Set, Self(o), V::FromInt(static_cast<UInt64>(v)));
                };
        } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
            if (!Type) {
                if constexpr (std::is_enum_v<V>)
                    Type = EnumTypeInfo<V>();
                else if constexpr (std::is_unsigned_v<V> && sizeof(V) >= 4)
                    Type = CardinalTypeInfo();
                else
                    Type = IntegerTypeInfo();
            }
            if (!Type)
                throw EInvalidOperation("Property " + Name + " of " + FInfo->FName +
                                        ": its enumeration type is not registered");
            p->PropType = Type;
            p->GetOrd = [Get](const TObject* o) -> Int64 {
                if constexpr (std::is_enum_v<V>)
                    return static_cast<Int64>(
                        static_cast<std::underlying_type_t<V>>(std::invoke(Get, Self(o))));
                else
                    return static_cast<Int64>(std::invoke(Get, Self(o)));
            };
            if constexpr (writable)
                p->SetOrd = [Set](TObject* o, Int64 v) { std::invoke(Set, Self(o), static_cast<V>(v)); };
        } else if constexpr (std::is_floating_point_v<V>) {
            p->PropType = Type ? Type : FloatTypeInfo();
            p->GetFloat = [Get](const TObject* o) -> double {
                return static_cast<double>(std::invoke(Get, Self(o)));
            };
            if constexpr (writable)
                p->SetFloat = [Set](TObject* o, double v) { std::invoke(Set, Self(o), static_cast<V>(v)); };
        } else if constexpr (std::is_same_v<V, String>) {
            p->PropType = Type ? Type : StringTypeInfo();
            p->GetStr = [Get](const TObject* o) -> String { return std::invoke(Get, Self(o)); };
            if constexpr (writable)
                p->SetStr = [Set](TObject* o, const String& v) { std::invoke(Set, Self(o), v); };
        } else if constexpr (std::is_pointer_v<V> && std::is_class_v<std::remove_pointer_t<V>>) {
            using C = std::remove_cv_t<std::remove_pointer_t<V>>;
            p->PropType = Type ? Type : ClassTypeInfo<C>();
            p->GetObj = [Get](const TObject* o) -> TObject* {
                return const_cast<C*>(std::invoke(Get, Self(o)));
            };
            if constexpr (writable)
                p->SetObj = [Set, Name](TObject* o, TObject* v) {
                    C* c = dynamic_cast<C*>(v);
                    if (v && !c)
                        throw EPropertyConvertError("Invalid property value: " + v->ClassName() +
                                                    " cannot be assigned to " + Name);
                    std::invoke(Set, Self(o), c);
                };
        } else {
            static_assert(sizeof(V) == 0, "unsupported published property type");
        }
        Add(std::move(p));
        return *this;
    }

    // An event: a public std::function member of T or of a base of T (OnClick).
    template <class E, class C> TClassBuilder& Event(const String& Name, E C::*Member) {
        static_assert(typinfo_detail::IsStdFunction<E>::value, "events are std::function members");
        static_assert(std::is_base_of_v<C, T>, "the event must be a member of the class or a base");
        auto p = std::make_unique<TPropInfo>();
        p->Name = Name;
        p->PropType = MethodTypeInfo<E>();
        p->GetMethod = [Member](const TObject* o) -> std::any { return Self(o)->*Member; };
        p->SetMethod = [Member, Name](TObject* o, const std::any& v) {
            if (!v.has_value()) {
                Self(o)->*Member = nullptr;
                return;
            }
            const E* f = std::any_cast<E>(&v);
            if (!f)
                throw EPropertyConvertError("Invalid property value: the method does not fit event " + Name);
            Self(o)->*Member = *f;
        };
        Add(std::move(p));
        return *this;
    }

    // Makes the property of that name, which this class has published
    // already, the one that Default and Stored qualify next: a class gives its
    // own default to a property that a shared publishing helper added.
    // Raises EInvalidOperation when the class has not published it.
    TClassBuilder& Qualify(const String& Name) {
        for (const auto& p : FInfo->FProps)
            if (SameText(p->Name, Name)) {
                FQualified = p.get();
                return *this;
            }
        throw EInvalidOperation("Property " + Name + " of " + FInfo->FName + ": not published yet");
    }

    // The stored default of the last property.
    template <class V> TClassBuilder& Default(V Value) {
        LastProp().Default = static_cast<Int64>(Value);
        return *this;
    }
    // Whether the last property is written to form descriptions.
    TClassBuilder& Stored(std::function<bool(const T*)> Fn) {
        LastProp().StoredFn = [Fn](const TObject* o) { return Fn(Self(o)); };
        return *this;
    }
    // A further condition for writing the last property: it is written only
    // when its own rule and Fn both say so.
    TClassBuilder& AlsoStoredIf(std::function<bool(const T*)> Fn) {
        TPropInfo& p = LastProp();
        p.StoredFn = [Fn, Own = std::move(p.StoredFn)](const TObject* o) { return (!Own || Own(o)) && Fn(Self(o)); };
        return *this;
    }

    // A component field of a form (a pointer member named like the component).
    template <class C> TClassBuilder& Field(const String& Name, C* T::*Member) {
        TFieldInfo f;
        f.Name = Name;
        f.FieldClass = &ClassInfoOf<C>();
        f.Accepts = [](const TComponent* c) { return dynamic_cast<const C*>(c) != nullptr; };
        f.Set = [Member](TObject* o, TComponent* v) { static_cast<T*>(o)->*Member = dynamic_cast<C*>(v); };
        f.Get = [Member](const TObject* o) -> TComponent* { return static_cast<const T*>(o)->*Member; };
        FInfo->FFields.push_back(std::move(f));
        return *this;
    }

    // An event handler of a form: a member function of T whose parameters
    // match the event it is assigned to.
    template <class M> TClassBuilder& Method(const String& Name, M Member) {
        using Fn = typename typinfo_detail::MethodTraits<M>::Function;
        TMethodInfo m;
        m.Name = Name;
        m.Bind = [Member](TObject* o) -> std::any {
            T* self = static_cast<T*>(o);
            return Fn([self, Member](auto&&... args) {
                return (self->*Member)(std::forward<decltype(args)>(args)...);
            });
        };
        FInfo->FMethods.push_back(std::move(m));
        return *this;
    }

    const TClassInfo& Register() { return RegisterClassInfo(std::move(FInfo), std::type_index(typeid(T))); }

private:
    static const T* Self(const TObject* o) { return static_cast<const T*>(o); }
    static T* Self(TObject* o) { return static_cast<T*>(o); }

    // A property declared again replaces the earlier declaration of this
    // class, so that lookup by name and the list of properties agree.
    void Add(std::unique_ptr<TPropInfo> P) {
        std::erase_if(FInfo->FProps, [&](const auto& Q) { return SameText(Q->Name, P->Name); });
        FInfo->FProps.push_back(std::move(P));
        FQualified = nullptr;
    }
    TPropInfo& LastProp() {
        if (FQualified) return *FQualified;
        if (FInfo->FProps.empty()) throw EInvalidOperation("No property to qualify in " + FInfo->FName);
        return *FInfo->FProps.back();
    }

    std::unique_ptr<TClassInfo> FInfo;
    TPropInfo* FQualified = nullptr; // named by Qualify, until the next property
};
