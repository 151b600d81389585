#pragma once
// The form reader: builds a form (or any root component) from its text form
// description.
//
// Reading a root component:
//  1. the root and every component created for it get csLoading and, while
//     their own properties are read, csReading;
//  2. each "object Name: TClass" creates a component of the class named (the
//     classes of the root's listed fields first, then all registered ones),
//     owned by the root, named, stored in the root's field of that name, and
//     given the enclosing component as its parent (SetParentComponent);
//  3. properties are set through the published-property registry; a dotted
//     name ("Font.Style") walks into owned sub-objects; a name that is not
//     published is offered to the object's DefineProperties, which can read
//     obsolete names through the reader's value calls;
//  4. references to components are fixed up after the whole description is
//     read, so a reference may name a component described further down;
//  5. Loaded runs on the root and then on every component in creation order.
//
// Every error raises EFormError naming the file, the line and the property.
// There is no writer: form descriptions are only read.

#include "platform/forms/FormText.h"
#include "platform/rtl/TypInfo.h"

class TReader;
class TWriter; // form descriptions are never written by this program

// What DefineProperties is given: a place to declare stored properties that
// have no published counterpart.
class TFiler : public TObject {
public:
    using TReaderProc = std::function<void(TReader* Reader)>;
    using TWriterProc = std::function<void(TWriter* Writer)>;
    using TBinaryReadProc = std::function<void(const TBytes& Data)>;
    using TBinaryWriteProc = std::function<void(TBytes& Data)>;

    // When the property being read is called Name, ReadData reads its value
    // through the reader's Read... calls. WriteData and HasData serve writers.
    virtual void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData,
                                bool HasData) = 0;
    // When the property being read is called Name, ReadData receives its
    // binary value ({..}).
    virtual void DefineBinaryProperty(const String& Name, TBinaryReadProc ReadData,
                                      TBinaryWriteProc WriteData, bool HasData) = 0;

    TComponent* Root() const { return FRoot; }

protected:
    TComponent* FRoot = nullptr;
};

class TReader : public TFiler {
public:
    explicit TReader(String FileName);

    // Reads Tree into Root (steps 1-5 above). RootClass names the class whose
    // fields and methods the description refers to; by default the class
    // built for the root's own type.
    void ReadRootComponent(TComponent* Root, const TFormObject& Tree, const TClassInfo* RootClass = nullptr);

    void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, TBinaryReadProc ReadData, TBinaryWriteProc WriteData,
                              bool HasData) override;

    // ---- reading a value inside a DefineProperty callback. Each raises
    // EReadError "Invalid property value" when the stored value is not of the
    // kind asked for.

    // The name of the property being read.
    const String& PropName() const { return FPropName; }
    // The kind of the next value without reading it; vaNull at the end of a
    // list or set.
    TValueType NextValue() const;
    // Reads the next value's kind: for a list or a set it enters it (the
    // items follow, then vaNull); a plain value is consumed whole.
    TValueType ReadValue();
    bool ReadBoolean();
    String ReadIdent(); // also "False", "True" and "nil"
    Integer ReadInteger();
    Int64 ReadInt64();
    double ReadFloat();
    String ReadString();
    // Inside a set entered with ReadValue: the next element, "" after the
    // last one (which also leaves the set). Elsewhere: ReadIdent.
    String ReadStr();
    // Reads a whole set value of the given set type.
    Int64 ReadSet(const TTypeInfo* SetType);
    void ReadListBegin();
    void ReadListEnd();
    bool EndOfList() const { return NextValue() == vaNull; }
    // Skips the next value, whatever it is.
    void SkipValue();

private:
    struct TCursor {
        const TFormValue* Values = nullptr; // a run of values
        size_t Count = 0;
        const std::vector<String>* Names = nullptr; // set elements
        size_t Index = 0;
    };
    struct TFixup {
        TObject* Instance;
        const TPropInfo* Prop;
        String Name;
        Integer Line;
        String Path;
    };

    [[noreturn]] void Error(Integer Line, const String& Path, const String& Detail) const;
    [[noreturn]] void InvalidValue() const;
    const TFormValue& Take(); // consumes the next plain value

    void ReadComponent(TComponent* Parent, const TFormObject& Node);
    void ReadProperties(TObject* Instance, const std::vector<TFormProperty>& Props, const String& Path);
    void ReadProperty(TObject* Instance, const TFormProperty& Prop, const String& Path);
    void ReadPropValue(TObject* Instance, const TPropInfo& Info, const TFormValue& Value, const String& Path);
    void ReadDefinedProperty(TObject* Instance, const String& Name, const TFormValue& Value);
    void ReadCollection(TCollection* Collection, const TFormValue& Value, const String& Path);
    void ReadStrings(TStrings* Strings, const TFormValue& Value);
    const TClassInfo& FindComponentClass(const TFormObject& Node) const;
    TComponent* ResolveReference(const String& Name) const;
    void FixupReferences();

    String FFileName;
    const TClassInfo* FRootClass = nullptr;
    std::vector<TComponent*> FLoaded;
    std::vector<TFixup> FFixups;
    // The property offered to DefineProperties.
    String FPropName;
    const TFormValue* FDefinedValue = nullptr;
    bool FDefinedHandled = false;
    std::vector<TCursor> FCursors;
    Integer FLine = 0;
    String FPath;
};

// Reads a text form description into Root (see above). FileName names the
// description in error messages.
void ReadComponentText(TComponent* Root, const String& Text, const String& FileName,
                       const TClassInfo* RootClass = nullptr);
// Reads a form description file into Root; raises EFOpenError when the file
// cannot be read.
void ReadComponentFile(TComponent* Root, const String& FileName, const TClassInfo* RootClass = nullptr);
