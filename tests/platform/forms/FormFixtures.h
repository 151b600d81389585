#pragma once
// Small component classes that a form description can build: a box with
// nested objects, sets, binary data, a collection, string lines, references,
// an event and obsolete stored names; and a form that holds two of them.

#include "platform/forms/Reader.h"
#include "platform/rtl/TypInfo.h"

namespace formfixtures {

enum TBoxKind { bkPlain, bkFancy, bkOdd };
enum TBoxSide { sdLeft, sdTop, sdRight, sdBottom };
enum TBoxFontStyle { fsBold, fsItalic, fsUnderline };

inline const TTypeInfo* SidesType() {
    static const TTypeInfo* t = MakeSetType(
        "TBoxSides", RegisterEnumType<TBoxSide>("TBoxSide", {"sdLeft", "sdTop", "sdRight", "sdBottom"}));
    return t;
}

inline const TTypeInfo* FontStylesType() {
    static const TTypeInfo* t =
        MakeSetType("TBoxFontStyles",
                    RegisterEnumType<TBoxFontStyle>("TBoxFontStyle", {"fsBold", "fsItalic", "fsUnderline"}));
    return t;
}

inline const TTypeInfo* PaintType() {
    static const TTypeInfo* t = MakeIdentIntegerType(
        "TPaint",
        [](const String& s, Int64& v) {
            if (!SameText(s, "clWarm")) return false;
            v = 0x3060FF;
            return true;
        },
        nullptr);
    return t;
}

// Everything that happens while a form is read, in order.
inline std::vector<String>& Log() {
    static std::vector<String> log;
    return log;
}

class TBoxFont : public TPersistent {
public:
    QUENTA_PUBLISHED
    Byte Style() const { return FStyle; }
    void SetStyle(Byte v) { FStyle = v; }
    Integer Size() const { return FSize; }
    void SetSize(Integer v) { FSize = v; }
    const String& Name() const { return FName; }
    void SetName(const String& v) { FName = v; }

private:
    Byte FStyle = 0;
    Integer FSize = 8;
    String FName = "Tahoma";
};

// Holds its pixels as opaque binary data ("Glyph.Data = {..}").
class TBoxGlyph : public TPersistent {
public:
    QUENTA_PUBLISHED
    void DefineProperties(TFiler* Filer) override {
        Filer->DefineBinaryProperty(
            "Data", [this](const TBytes& d) { Data = d; }, nullptr, !Data.empty());
    }
    TBytes Data;
};

class TBoxItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    QUENTA_PUBLISHED
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v) { FCaption = v; }
    Integer Value() const { return FValue; }
    void SetValue(Integer v) { FValue = v; }

private:
    String FCaption;
    Integer FValue = 0;
};

class TBox : public TComponent {
public:
    using TComponent::TComponent;
    QUENTA_PUBLISHED

    Integer Left() const { return FLeft; }
    void SetLeft(Integer v) {
        FLeft = v;
        LeftSetWhileLoading = HasState(csLoading) && HasState(csReading);
    }
    TBoxKind Kind() const { return FKind; }
    void SetKind(TBoxKind v) { FKind = v; }
    Byte Sides() const { return FSides; }
    void SetSides(Byte v) { FSides = v; }
    Integer Paint() const { return FPaint; }
    void SetPaint(Integer v) { FPaint = v; }
    TBoxFont* Font() const { return FFont.get(); }
    TBoxGlyph* Glyph() const { return FGlyph.get(); }
    TBox* Buddy() const { return FBuddy; }
    void SetBuddy(TBox* v) {
        FBuddy = v;
        if (v) v->FreeNotification(this);
    }
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool v) { FHotTrack = v; }
    TStringList* Lines() const { return FLines.get(); }
    TCollection* Items() const { return FItems.get(); }
    double Ratio() const { return FRatio; }
    void SetRatio(double v) { FRatio = v; }

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* Value) override { FParent = Value; }

    void Loaded() override {
        TComponent::Loaded();
        Log().push_back("Loaded " + Name() + (FBuddy ? " buddy " + FBuddy->Name() : String()));
    }

    TNotifyEvent OnClick;
    bool LeftSetWhileLoading = false;
    String SkippedSides;

protected:
    // Names that older descriptions used.
    void DefineProperties(TFiler* Filer) override {
        Filer->DefineProperty(
            "FrameFlat",
            [this](TReader* R) {
                FHotTrack = R->ReadBoolean();
                if (FHotTrack) FKind = bkOdd;
            },
            nullptr, false);
        Filer->DefineProperty(
            "FrameSides",
            [this](TReader* R) {
                // A set is read element by element until the empty name.
                if (R->ReadValue() != vaSet) throw EReadError("set expected");
                for (String s = R->ReadStr(); !s.empty(); s = R->ReadStr())
                    SkippedSides += s + ";";
            },
            nullptr, false);
        Filer->DefineProperty(
            "OldKind",
            [this](TReader* R) {
                Integer v = GetEnumValue(EnumTypeInfo<TBoxKind>(), R->ReadIdent());
                if (v >= 0) FKind = static_cast<TBoxKind>(v);
            },
            nullptr, false);
        Filer->DefineProperty(
            "HalfRead", [](TReader* R) { R->ReadListBegin(); }, nullptr, false);
    }

    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FBuddy) FBuddy = nullptr;
    }

private:
    Integer FLeft = 0;
    TBoxKind FKind = bkPlain;
    Byte FSides = 0;
    Integer FPaint = 0;
    std::unique_ptr<TBoxFont> FFont = std::make_unique<TBoxFont>();
    std::unique_ptr<TBoxGlyph> FGlyph = std::make_unique<TBoxGlyph>();
    TBox* FBuddy = nullptr;
    bool FHotTrack = false;
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
    std::unique_ptr<TCollection> FItems =
        std::make_unique<TCollection>([](TCollection* c) { return new TBoxItem(c); });
    double FRatio = 0;
    TComponent* FParent = nullptr;
};

class TSampleForm : public TComponent {
public:
    using TComponent::TComponent;
    QUENTA_PUBLISHED
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v) { FCaption = v; }
    void Panel1Click(TObject* Sender) { ++Clicks; }
    void Loaded() override {
        TComponent::Loaded();
        Log().push_back("Loaded " + Name());
    }

    TBox* Panel1 = nullptr;
    TBox* Label1 = nullptr;
    TBox* Panel2 = nullptr;
    Integer Clicks = 0;

private:
    String FCaption;
};

inline const TClassInfo& TBoxFont::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TBoxFont>("TBoxFont", &PersistentClassInfo())
            .Property("Style", &TBoxFont::Style, &TBoxFont::SetStyle, FontStylesType())
            .Property("Size", &TBoxFont::Size, &TBoxFont::SetSize)
            .Property("Name", &TBoxFont::Name, &TBoxFont::SetName)
            .Register();
    return info;
}

inline const TClassInfo& TBoxGlyph::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TBoxGlyph>("TBoxGlyph", &PersistentClassInfo()).Register();
    return info;
}

inline const TClassInfo& TBoxItem::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TBoxItem>("TBoxItem", &PersistentClassInfo())
                                        .Property("Caption", &TBoxItem::Caption, &TBoxItem::SetCaption)
                                        .Property("Value", &TBoxItem::Value, &TBoxItem::SetValue)
                                        .Register();
    return info;
}

inline const TClassInfo& TBox::ClassInfo() {
    RegisterEnumType<TBoxKind>("TBoxKind", {"bkPlain", "bkFancy", "bkOdd"});
    static const TClassInfo& info = TClassBuilder<TBox>("TBox", &ComponentClassInfo())
                                        .Property("Left", &TBox::Left, &TBox::SetLeft)
                                        .Property("Kind", &TBox::Kind, &TBox::SetKind)
                                        .Property("Sides", &TBox::Sides, &TBox::SetSides, SidesType())
                                        .Property("Paint", &TBox::Paint, &TBox::SetPaint, PaintType())
                                        .Property("Font", &TBox::Font, nullptr)
                                        .Property("Glyph", &TBox::Glyph, nullptr)
                                        .Property("Buddy", &TBox::Buddy, &TBox::SetBuddy)
                                        .Property("HotTrack", &TBox::HotTrack, &TBox::SetHotTrack)
                                        .Property("Lines", &TBox::Lines, nullptr)
                                        .Property("Items", &TBox::Items, nullptr)
                                        .Property("Ratio", &TBox::Ratio, &TBox::SetRatio)
                                        .Event("OnClick", &TBox::OnClick)
                                        .Register();
    return info;
}

inline const TClassInfo& TSampleForm::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TSampleForm>("TSampleForm", &ComponentClassInfo())
                                        .Property("Caption", &TSampleForm::Caption, &TSampleForm::SetCaption)
                                        .Field("Panel1", &TSampleForm::Panel1)
                                        .Field("Label1", &TSampleForm::Label1)
                                        .Field("Panel2", &TSampleForm::Panel2)
                                        .Method("Panel1Click", &TSampleForm::Panel1Click)
                                        .Register();
    return info;
}

} // namespace formfixtures
