// Published properties: lookup through the class chain, access by name with
// the owning setters, sets as text, events and form fields.
#include "platform/rtl/TypInfo.h"

#include <gtest/gtest.h>

namespace {

enum TShade { shLight, shMedium, shDark };
enum TEdge { edLeft, edTop, edRight, edBottom };
using TEdges = Byte; // bit n = TEdge n

const TTypeInfo* EdgesType() {
    static const TTypeInfo* t =
        MakeSetType("TEdges", RegisterEnumType<TEdge>("TEdge", {"edLeft", "edTop", "edRight", "edBottom"}));
    return t;
}

const TTypeInfo* PaintType() {
    static const TTypeInfo* t = MakeIdentIntegerType(
        "TPaint",
        [](const String& s, Int64& v) {
            if (SameText(s, "pRed"))
                v = 0xFF;
            else if (SameText(s, "pSystem"))
                v = static_cast<Int64>(0xFF000005u);
            else
                return false;
            return true;
        },
        [](Int64 v, String& s) {
            if (v != 0xFF) return false;
            s = "pRed";
            return true;
        });
    return t;
}

class TGadget : public TComponent {
public:
    using TComponent::TComponent;
    QUENTA_PUBLISHED

    TShade Shade() const { return FShade; }
    void SetShade(TShade v) {
        ++Writes;
        FShade = v;
    }
    TEdges Edges() const { return FEdges; }
    void SetEdges(TEdges v) { FEdges = v; }
    Integer Size() const { return FSize; }
    void SetSize(Integer v) { FSize = v; }
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v) { FCaption = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { FFlat = v; }
    Cardinal Paint() const { return FPaint; }
    void SetPaint(Cardinal v) { FPaint = v; }
    TGadget* Buddy() const { return FBuddy; }
    void SetBuddy(TGadget* v) { FBuddy = v; }
    TStringList* Lines() const { return FLines.get(); }

    TNotifyEvent OnClick;
    Integer Writes = 0;

private:
    TShade FShade = shMedium;
    TEdges FEdges = 0;
    Integer FSize = 0;
    String FCaption;
    bool FFlat = false;
    Cardinal FPaint = 0;
    TGadget* FBuddy = nullptr;
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
};

const TClassInfo& TGadget::ClassInfo() {
    RegisterEnumType<TShade>("TShade", {"shLight", "shMedium", "shDark"});
    static const TClassInfo& info = TClassBuilder<TGadget>("TGadget", &ComponentClassInfo())
                                        .Property("Shade", &TGadget::Shade, &TGadget::SetShade)
                                        .Default(shMedium)
                                        .Property("Edges", &TGadget::Edges, &TGadget::SetEdges, EdgesType())
                                        .Property("Size", &TGadget::Size, &TGadget::SetSize)
                                        .Property("Caption", &TGadget::Caption, &TGadget::SetCaption)
                                        .Property("Flat", &TGadget::Flat, &TGadget::SetFlat)
                                        .Property("Paint", &TGadget::Paint, &TGadget::SetPaint, PaintType())
                                        .Property("Buddy", &TGadget::Buddy, &TGadget::SetBuddy)
                                        .Property("Lines", &TGadget::Lines, nullptr)
                                        .Event("OnClick", &TGadget::OnClick)
                                        .Register();
    return info;
}

// A descendant that publishes one more property.
class TBigGadget : public TGadget {
public:
    using TGadget::TGadget;
    QUENTA_PUBLISHED
    Integer Extra() const { return FExtra; }
    void SetExtra(Integer v) { FExtra = v; }

private:
    Integer FExtra = 0;
};

const TClassInfo& TBigGadget::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TBigGadget>("TBigGadget", &TGadget::ClassInfo())
                                        .Property("Extra", &TBigGadget::Extra, &TBigGadget::SetExtra)
                                        .Register();
    return info;
}

class TPanelForm : public TComponent {
public:
    using TComponent::TComponent;
    QUENTA_PUBLISHED
    TGadget* Gadget1 = nullptr;
    Integer Clicks = 0;
    TObject* LastSender = nullptr;
    void Gadget1Click(TObject* Sender) {
        ++Clicks;
        LastSender = Sender;
    }
    void WrongShape(TObject* Sender, Integer X) {}
};

const TClassInfo& TPanelForm::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TPanelForm>("TPanelForm", &ComponentClassInfo())
                                        .Field("Gadget1", &TPanelForm::Gadget1)
                                        .Method("Gadget1Click", &TPanelForm::Gadget1Click)
                                        .Method("WrongShape", &TPanelForm::WrongShape)
                                        .Register();
    return info;
}

TEST(TypInfo, PropertiesAreFoundThroughTheClassChainIgnoringCase) {
    class TQuietGadget : public TBigGadget {
    public:
        using TBigGadget::TBigGadget;
    };
    TComponent owner(nullptr);
    auto* big = new TBigGadget(&owner);
    // The first question builds the class and its ancestors.
    EXPECT_TRUE(IsPublishedProp(big, "caption"));
    EXPECT_TRUE(IsPublishedProp(big, "Extra"));
    // A class that publishes nothing itself shows its nearest publishing ancestor.
    TQuietGadget quiet(nullptr);
    EXPECT_EQ(GetClassInfo(&quiet), &TBigGadget::ClassInfo());
    TStringList strings;
    EXPECT_EQ(GetClassInfo(&strings), &StringsClassInfo());
    EXPECT_TRUE(IsPublishedProp(big, "Tag")); // from TComponent
    EXPECT_TRUE(PropIsType(big, "Shade", tkEnumeration));
    EXPECT_TRUE(PropIsType(big, "Flat", tkEnumeration));
    EXPECT_TRUE(PropIsType(big, "Edges", tkSet));
    EXPECT_TRUE(PropIsType(big, "Buddy", tkClass));
    EXPECT_TRUE(PropIsType(big, "OnClick", tkMethod));
    EXPECT_FALSE(PropIsType(big, "Shade", tkInteger));
    EXPECT_THROW(GetOrdProp(big, "Missing"), EPropertyError);

    EXPECT_EQ(&FindClass("tbiggadget"), &TBigGadget::ClassInfo());
    EXPECT_TRUE(TBigGadget::ClassInfo().InheritsFrom(&ComponentClassInfo()));
    EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
    EXPECT_THROW(FindClass("TNoSuchClass"), EClassNotFound);
    TComponent* made = FindClass("TBigGadget").Create(&owner);
    EXPECT_NE(dynamic_cast<TBigGadget*>(made), nullptr);
    EXPECT_EQ(made->Owner(), &owner);
    EXPECT_FALSE(StringsClassInfo().CanCreate());
}

TEST(TypInfo, OrdinalsEnumerationsAndSetsGoThroughTheSetters) {
    TGadget g(nullptr);
    SetEnumProp(&g, "Shade", "SHDARK");
    EXPECT_EQ(g.Shade(), shDark);
    EXPECT_EQ(g.Writes, 1);
    EXPECT_EQ(GetEnumProp(&g, "Shade"), "shDark");
    EXPECT_THROW(SetEnumProp(&g, "Shade", "shPurple"), EPropertyConvertError);
    EXPECT_EQ(g.Shade(), shDark);

    SetOrdProp(&g, "Flat", 1);
    EXPECT_TRUE(g.Flat());
    EXPECT_EQ(GetEnumProp(&g, "Flat"), "True");

    // Sets travel as text between objects, as a shared setting does.
    SetSetProp(&g, "Edges", "[edLeft, edBottom]");
    EXPECT_EQ(g.Edges(), 0b1001);
    EXPECT_EQ(GetSetProp(&g, "Edges"), "edLeft,edBottom");
    EXPECT_EQ(GetSetProp(&g, "Edges", true), "[edLeft,edBottom]");
    SetSetProp(&g, "Edges", "[]");
    EXPECT_EQ(g.Edges(), 0);
    EXPECT_THROW(SetSetProp(&g, "Edges", "[edLeft,edMiddle]"), EPropertyConvertError);
    EXPECT_THROW(SetSetProp(&g, "Edges", "[edLeft,,edTop]"), EPropertyConvertError);

    SetOrdProp(&g, "Paint", 0xFF000005u);
    EXPECT_EQ(g.Paint(), 0xFF000005u);
    EXPECT_EQ(GetOrdProp(&g, "Paint"), 0xFF000005u); // Cardinal-sized values keep their bits
    EXPECT_THROW(SetStrProp(&g, "Size", "12"), EPropertyConvertError);
    EXPECT_THROW(SetObjectProp(&g, "Lines", nullptr), EPropertyError); // an owned sub-object
}

TEST(TypInfo, StoredDefaultsAndReferences) {
    TGadget a(nullptr), b(nullptr);
    const TPropInfo* shade = GetPropInfo(&a, "Shade");
    EXPECT_FALSE(shade->IsStored(&a)); // equals its default
    a.SetShade(shLight);
    EXPECT_TRUE(shade->IsStored(&a));
    EXPECT_FALSE(GetPropInfo(&a, "Name")->IsStored(&a)); // the header carries the name

    SetObjectProp(&a, "Buddy", &b);
    EXPECT_EQ(a.Buddy(), &b);
    EXPECT_EQ(GetObjectProp(&a, "Buddy"), &b);
    TStringList notAGadget;
    EXPECT_THROW(SetObjectProp(&a, "Buddy", &notAGadget), EPropertyConvertError);
    EXPECT_EQ(a.Buddy(), &b);
    EXPECT_EQ(GetObjectProp(&a, "Lines"), a.Lines());
}

TEST(TypInfo, EventsBindFormMethodsByName) {
    TPanelForm form(nullptr);
    TGadget g(&form);
    const TMethodInfo* click = TPanelForm::ClassInfo().FindMethod("gadget1click");
    ASSERT_NE(click, nullptr);
    SetMethodProp(&g, "OnClick", click->Bind(&form));
    ASSERT_TRUE(g.OnClick);
    g.OnClick(&g);
    EXPECT_EQ(form.Clicks, 1);
    EXPECT_EQ(form.LastSender, &g);

    // A handler whose parameters do not fit the event is refused.
    const TMethodInfo* wrong = TPanelForm::ClassInfo().FindMethod("WrongShape");
    EXPECT_THROW(SetMethodProp(&g, "OnClick", wrong->Bind(&form)), EPropertyConvertError);
    EXPECT_TRUE(g.OnClick); // the old handler stays
    SetMethodProp(&g, "OnClick", std::any());
    EXPECT_FALSE(g.OnClick);
}

TEST(TypInfo, FormFieldsAreFilledByNameAndClearedOnRemoval) {
    TPanelForm form(nullptr);
    auto* g = new TGadget(&form);
    EXPECT_TRUE(SetFieldByName(&form, "gadget1", g));
    EXPECT_EQ(form.Gadget1, g);
    EXPECT_FALSE(SetFieldByName(&form, "Gadget2", g));
    TComponent other(nullptr);
    EXPECT_THROW(SetFieldByName(&form, "Gadget1", &other), EPropertyConvertError);
    ClearFieldsReferring(&form, g);
    EXPECT_EQ(form.Gadget1, nullptr);
    // The field's class is known to the form without being named elsewhere.
    EXPECT_EQ(TPanelForm::ClassInfo().FindField("Gadget1")->FieldClass, &TGadget::ClassInfo());
}

TEST(TypInfo, ClassNamesAreUnique) {
    class TImpostor : public TComponent {
    public:
        using TComponent::TComponent;
    };
    TGadget::ClassInfo();
    EXPECT_THROW(TClassBuilder<TImpostor>("TGadget", &ComponentClassInfo()).Register(), EInvalidOperation);
}

} // namespace
