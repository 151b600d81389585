#include "platform/forms/Reader.h"
#include "platform/rtl/Guards.h"

namespace {

bool IsIntType(TValueType T) {
    return T == vaInt8 || T == vaInt16 || T == vaInt32 || T == vaInt64;
}
bool IsStringType(TValueType T) {
    return T == vaString || T == vaLString;
}

String Describe(const TFormValue& V) {
    switch (V.Type) {
    case vaNull:
        return "nothing";
    case vaList:
        return "a list";
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
        return "the number " + IntToStr(V.Int);
    case vaExtended:
        return "the number " + FloatToStr(V.Float);
    case vaString:
    case vaLString:
        return "a string";
    case vaIdent:
    case vaFalse:
    case vaTrue:
    case vaNil:
        return "'" + V.Str + "'";
    case vaBinary:
        return "binary data";
    case vaSet:
        return "a set";
    case vaCollection:
        return "a collection";
    }
    return "a value";
}

} // namespace

TReader::TReader(String FileName) : FFileName(std::move(FileName)) {}

void TReader::Error(Integer Line, const String& Path, const String& Detail) const {
    throw EFormError(FFileName, Line, Path, Detail);
}

void TReader::InvalidValue() const {
    throw EReadError("Invalid property value");
}

// ================================================================ the reading pass

void TReader::ReadRootComponent(TComponent* Root, const TFormObject& Tree, const TClassInfo* RootClass) {
    FRoot = Root;
    FRootClass = RootClass ? RootClass : GetClassInfo(Root);
    if (!FRootClass || (!RootClass && !SameText(FRootClass->ClassName(), Root->ClassName())))
        Error(Tree.Line, String(),
              "class " + Root->ClassName() + " publishes no information; declare QUENTA_PUBLISHED in it");
    if (!SameText(FRootClass->ClassName(), Tree.ClassName))
        Error(Tree.Line, String(),
              "the description is of a " + Tree.ClassName + ", not of a " + FRootClass->ClassName());

    FLoaded.clear();
    FFixups.clear();
    Root->SetLoadingState(true);
    FLoaded.push_back(Root);
    if (!Tree.Name.empty() && Root->Name() != Tree.Name) {
        try {
            Root->SetName(Tree.Name);
        } catch (const Exception& E) {
            Error(Tree.Line, Tree.Name, E.Message);
        }
    }
    String path = Tree.Name.empty() ? Tree.ClassName : Tree.Name;
    ReadProperties(Root, Tree.Properties, path);
    for (const TFormObject& child : Tree.Children)
        ReadComponent(Root, child);
    FixupReferences();
    for (TComponent* c : FLoaded)
        c->SetComponentStateFlag(csReading, false);
    // Loaded may create or free components; walk a copy.
    std::vector<TComponent*> loaded = FLoaded;
    for (TComponent* c : loaded)
        c->Loaded();
}

const TClassInfo& TReader::FindComponentClass(const TFormObject& Node) const {
    for (const TFieldInfo* f : FRootClass->Fields())
        if (f->FieldClass && SameText(f->FieldClass->ClassName(), Node.ClassName)) return *f->FieldClass;
    if (const TClassInfo* c = GetClass(Node.ClassName)) return *c;
    Error(Node.Line, Node.Name, "class " + Node.ClassName + " not found");
}

void TReader::ReadComponent(TComponent* Parent, const TFormObject& Node) {
    TComponent* component = nullptr;
    const String path = Node.Name.empty() ? Node.ClassName : Node.Name;
    if (Node.Kind == TFormObject::fkObject) {
        const TClassInfo& cls = FindComponentClass(Node);
        if (!cls.CanCreate()) Error(Node.Line, path, "class " + cls.ClassName() + " cannot be created");
        try {
            component = cls.Create(FRoot);
        } catch (const Exception& E) {
            Error(Node.Line, path, E.Message);
        }
        component->SetLoadingState(true);
        FLoaded.push_back(component);
        try {
            if (!Node.Name.empty()) {
                component->SetName(Node.Name);
                SetFieldByName(FRoot, Node.Name, component);
            }
            component->SetParentComponent(Parent);
        } catch (const Exception& E) {
            Error(Node.Line, path, E.Message);
        }
    } else {
        // The component exists already (made by an ancestor form).
        component = FRoot->FindComponent(Node.Name);
        if (!component) Error(Node.Line, path, "inherited component " + Node.Name + " does not exist");
        const TClassInfo* cls = GetClassInfo(component);
        if (!cls || !SameText(cls->ClassName(), Node.ClassName))
            if (!SameText(component->ClassName(), Node.ClassName))
                Error(Node.Line, path,
                      Node.Name + " is a " + component->ClassName() + ", not a " + Node.ClassName);
        component->SetLoadingState(true);
        if (std::find(FLoaded.begin(), FLoaded.end(), component) == FLoaded.end())
            FLoaded.push_back(component);
    }
    ReadProperties(component, Node.Properties, path);
    for (const TFormObject& child : Node.Children)
        ReadComponent(component, child);
    component->SetComponentStateFlag(csReading, false);
}

void TReader::ReadProperties(TObject* Instance, const std::vector<TFormProperty>& Props, const String& Path) {
    for (const TFormProperty& p : Props)
        ReadProperty(Instance, p, Path);
}

void TReader::ReadProperty(TObject* Instance, const TFormProperty& Prop, const String& Path) {
    const String path = Path + "." + Prop.Name;
    TRestoreOnExit<Integer> line(FLine, Prop.Line);
    TRestoreOnExit<String> where(FPath, path);
    try {
        // Walk "Font.Style" down to the object that holds the last name.
        TObject* target = Instance;
        size_t start = 0;
        size_t dot;
        while ((dot = Prop.Name.find('.', start)) != String::npos) {
            String part = Prop.Name.substr(start, dot - start);
            const TPropInfo* info = GetPropInfo(target, part);
            if (!info) throw EReadError("property " + part + " does not exist");
            if (info->Kind() != tkClass) throw EReadError("property " + part + " holds no object");
            TObject* sub = info->GetObj(target);
            if (!sub) throw EReadError("property " + part + " holds no object");
            target = sub;
            start = dot + 1;
        }
        String name = Prop.Name.substr(start);
        if (const TPropInfo* info = GetPropInfo(target, name))
            ReadPropValue(target, *info, Prop.Value, path);
        else
            ReadDefinedProperty(target, name, Prop.Value);
    } catch (const EFormError&) {
        throw;
    } catch (const Exception& E) {
        Error(Prop.Line, path, E.Message);
    } catch (const std::exception& E) {
        Error(Prop.Line, path, E.what());
    }
}

void TReader::ReadPropValue(TObject* Instance, const TPropInfo& Info, const TFormValue& Value,
                            const String& Path) {
    const TTypeInfo* type = Info.PropType;
    if (!Info.IsWritable() && Info.Kind() != tkClass)
        throw EReadError("property " + Info.Name + " is read-only");
    switch (Info.Kind()) {
    case tkInteger: {
        Int64 v = 0;
        if (IsIntType(Value.Type))
            v = Value.Int;
        else if (type->IsChar && IsStringType(Value.Type) && Value.Str.size() == 1)
            v = static_cast<Byte>(Value.Str[0]);
        else if (Value.Type == vaIdent && type->IdentToInt && type->IdentToInt(Value.Str, v))
            ;
        else
            throw EReadError("invalid property value " + Describe(Value) + " for a " + type->Name);
        if (v < type->MinValue || v > type->MaxValue)
            throw EReadError("value " + IntToStr(v) + " is out of range for a " + type->Name);
        Info.SetOrd(Instance, v);
        return;
    }
    case tkEnumeration: {
        if (Value.Type != vaIdent && Value.Type != vaTrue && Value.Type != vaFalse)
            throw EReadError("invalid property value " + Describe(Value) + " for a " + type->Name);
        Integer v = GetEnumValue(type, Value.Str);
        if (v < 0) throw EReadError("'" + Value.Str + "' is not a value of " + type->Name);
        Info.SetOrd(Instance, v);
        return;
    }
    case tkSet: {
        if (Value.Type != vaSet)
            throw EReadError("invalid property value " + Describe(Value) + ", a set is expected");
        UInt64 mask = 0;
        for (const String& e : Value.Set) {
            Integer v = GetEnumValue(type->CompType, e);
            if (v < 0) throw EReadError("'" + e + "' is not an element of " + type->Name);
            mask |= UInt64(1) << v;
        }
        Info.SetOrd(Instance, static_cast<Int64>(mask));
        return;
    }
    case tkFloat:
        if (IsIntType(Value.Type))
            Info.SetFloat(Instance, static_cast<double>(Value.Int));
        else if (Value.Type == vaExtended)
            Info.SetFloat(Instance, Value.Float);
        else
            throw EReadError("invalid property value " + Describe(Value) + ", a number is expected");
        return;
    case tkString:
        if (!IsStringType(Value.Type))
            throw EReadError("invalid property value " + Describe(Value) + ", a string is expected");
        Info.SetStr(Instance, Value.Str);
        return;
    case tkClass: {
        if (Value.Type == vaNil) {
            if (!Info.SetObj) throw EReadError("property " + Info.Name + " is read-only");
            Info.SetObj(Instance, nullptr);
            return;
        }
        if (Value.Type == vaIdent && type->IsComponent) {
            if (!Info.SetObj) throw EReadError("property " + Info.Name + " is read-only");
            FFixups.push_back({Instance, &Info, Value.Str, FLine, Path});
            return;
        }
        if (Value.Type == vaCollection) {
            auto* collection = dynamic_cast<TCollection*>(Info.GetObj(Instance));
            if (!collection) throw EReadError("property " + Info.Name + " is not a collection");
            ReadCollection(collection, Value, Path);
            return;
        }
        throw EReadError("invalid property value " + Describe(Value) + " for a " + type->Name);
    }
    case tkMethod: {
        if (Value.Type == vaNil) {
            Info.SetMethod(Instance, std::any());
            return;
        }
        if (Value.Type != vaIdent)
            throw EReadError("invalid property value " + Describe(Value) + ", a method name is expected");
        const TMethodInfo* m = FRootClass->FindMethod(Value.Str);
        if (!m) throw EReadError("method " + Value.Str + " does not exist in " + FRootClass->ClassName());
        Info.SetMethod(Instance, m->Bind(FRoot));
        return;
    }
    default:
        throw EReadError("property " + Info.Name + " cannot be read");
    }
}

void TReader::ReadDefinedProperty(TObject* Instance, const String& Name, const TFormValue& Value) {
    TRestoreOnExit<String> name(FPropName, Name);
    TRestoreOnExit<const TFormValue*> value(FDefinedValue, &Value);
    TRestoreOnExit<bool> handled(FDefinedHandled, false);
    if (auto* persistent = dynamic_cast<TPersistent*>(Instance)) persistent->DefineProperties(this);
    if (!FDefinedHandled) {
        if (auto* strings = dynamic_cast<TStrings*>(Instance); strings && SameText(Name, "Strings")) {
            ReadStrings(strings, Value);
            return;
        }
        throw EReadError("property " + Name + " does not exist");
    }
}

void TReader::DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc, bool) {
    if (FDefinedHandled || !FDefinedValue || !ReadData || !SameText(Name, FPropName)) return;
    FDefinedHandled = true;
    // The handler reads the value as if it were the whole input.
    TRestoreOnExit<std::vector<TCursor>> cursors(FCursors, {{FDefinedValue, 1, nullptr, 0}});
    ReadData(this);
    if (FCursors.size() != 1 || FCursors.back().Index != 1)
        throw EReadError("the value of " + Name + " was not read completely");
}

void TReader::DefineBinaryProperty(const String& Name, TBinaryReadProc ReadData, TBinaryWriteProc, bool) {
    if (FDefinedHandled || !FDefinedValue || !ReadData || !SameText(Name, FPropName)) return;
    FDefinedHandled = true;
    if (FDefinedValue->Type != vaBinary) throw EReadError("binary data expected for " + Name);
    ReadData(FDefinedValue->Binary);
}

void TReader::ReadCollection(TCollection* Collection, const TFormValue& Value, const String& Path) {
    TUpdateLock update(Collection);
    Collection->Clear();
    for (size_t i = 0; i < Value.Items.size(); ++i) {
        TCollectionItem* item = Collection->Add();
        ReadProperties(item, Value.Items[i], Path + "[" + IntToStr(static_cast<Int64>(i)) + "]");
    }
}

void TReader::ReadStrings(TStrings* Strings, const TFormValue& Value) {
    if (Value.Type != vaList) throw EReadError("a list of strings is expected");
    for (const TFormValue& item : Value.List)
        if (!IsStringType(item.Type)) throw EReadError("the list holds " + Describe(item) + ", not a string");
    TUpdateLock update(Strings);
    Strings->Clear();
    for (const TFormValue& item : Value.List)
        Strings->Add(item.Str);
}

TComponent* TReader::ResolveReference(const String& Name) const {
    String owner, name = Name;
    size_t dot = Name.find('.');
    if (dot != String::npos) {
        owner = Name.substr(0, dot);
        name = Name.substr(dot + 1);
        if (!SameText(owner, FRoot->Name()) || name.find('.') != String::npos) return nullptr;
    }
    if (!FRoot->Name().empty() && SameText(name, FRoot->Name())) return FRoot;
    return FRoot->FindComponent(name);
}

void TReader::FixupReferences() {
    for (const TFixup& f : FFixups) {
        TComponent* target = ResolveReference(f.Name);
        if (!target) Error(f.Line, f.Path, "the component " + f.Name + " does not exist");
        if (!f.Prop->PropType->IsInstance(target))
            Error(f.Line, f.Path,
                  f.Name + " is a " + target->ClassName() + ", which property " + f.Prop->Name +
                      " cannot refer to");
        try {
            f.Prop->SetObj(f.Instance, target);
        } catch (const Exception& E) {
            Error(f.Line, f.Path, E.Message);
        }
    }
    FFixups.clear();
}

// ================================================================ values for DefineProperties

TValueType TReader::NextValue() const {
    if (FCursors.empty()) throw EReadError("No value is being read");
    const TCursor& c = FCursors.back();
    if (c.Names) return c.Index < c.Names->size() ? vaIdent : vaNull;
    return c.Index < c.Count ? c.Values[c.Index].Type : vaNull;
}

const TFormValue& TReader::Take() {
    TCursor& c = FCursors.back();
    if (c.Names || c.Index >= c.Count) InvalidValue();
    return c.Values[c.Index++];
}

TValueType TReader::ReadValue() {
    TValueType t = NextValue();
    TCursor& c = FCursors.back();
    if (t == vaNull) {
        if (FCursors.size() == 1) InvalidValue();
        FCursors.pop_back();
        return vaNull;
    }
    if (c.Names) {
        ++c.Index; // an element read as a plain value
        return vaIdent;
    }
    const TFormValue& v = Take();
    if (v.Type == vaList) FCursors.push_back({v.List.data(), v.List.size(), nullptr, 0});
    if (v.Type == vaSet) FCursors.push_back({nullptr, 0, &v.Set, 0});
    return v.Type;
}

bool TReader::ReadBoolean() {
    TValueType t = NextValue();
    if (t != vaTrue && t != vaFalse) InvalidValue();
    Take();
    return t == vaTrue;
}

String TReader::ReadIdent() {
    TValueType t = NextValue();
    if (t != vaIdent && t != vaTrue && t != vaFalse && t != vaNil) InvalidValue();
    if (FCursors.back().Names) return ReadStr();
    return Take().Str;
}

Integer TReader::ReadInteger() {
    if (!IsIntType(NextValue())) InvalidValue();
    const TFormValue& v = FCursors.back().Values[FCursors.back().Index];
    if (v.Type == vaInt64) InvalidValue();
    Take();
    return static_cast<Integer>(v.Int);
}

Int64 TReader::ReadInt64() {
    if (!IsIntType(NextValue())) InvalidValue();
    return Take().Int;
}

double TReader::ReadFloat() {
    TValueType t = NextValue();
    if (IsIntType(t)) return static_cast<double>(Take().Int);
    if (t != vaExtended) InvalidValue();
    return Take().Float;
}

String TReader::ReadString() {
    if (!IsStringType(NextValue())) InvalidValue();
    return Take().Str;
}

String TReader::ReadStr() {
    if (FCursors.empty()) throw EReadError("No value is being read");
    TCursor& c = FCursors.back();
    if (!c.Names) return ReadIdent();
    if (c.Index < c.Names->size()) return (*c.Names)[c.Index++];
    FCursors.pop_back();
    return String();
}

Int64 TReader::ReadSet(const TTypeInfo* SetType) {
    if (NextValue() != vaSet) InvalidValue();
    const TFormValue& v = Take();
    UInt64 mask = 0;
    for (const String& e : v.Set) {
        Integer n = GetEnumValue(SetType ? SetType->CompType : nullptr, e);
        if (n < 0)
            throw EReadError("'" + e + "' is not an element of " +
                             (SetType ? SetType->Name : String("the set")));
        mask |= UInt64(1) << n;
    }
    return static_cast<Int64>(mask);
}

void TReader::ReadListBegin() {
    if (NextValue() != vaList) InvalidValue();
    ReadValue();
}

void TReader::ReadListEnd() {
    if (FCursors.size() < 2 || NextValue() != vaNull || FCursors.back().Names) InvalidValue();
    FCursors.pop_back();
}

void TReader::SkipValue() {
    if (FCursors.back().Names) {
        ReadStr();
        return;
    }
    Take();
}

// ================================================================ entry points

void ReadComponentText(TComponent* Root, const String& Text, const String& FileName,
                       const TClassInfo* RootClass) {
    TFormObject tree = ParseFormText(Text, FileName);
    TReader reader(FileName);
    reader.ReadRootComponent(Root, tree, RootClass);
}

void ReadComponentFile(TComponent* Root, const String& FileName, const TClassInfo* RootClass) {
    ReadComponentText(Root, ReadFileText(FileName), FileName, RootClass);
}
