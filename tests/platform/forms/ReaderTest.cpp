// The form reader on a small form description: nested objects, sets, binary
// data, collections, obsolete names, forward references, Loaded order, and
// what it says about bad descriptions.
#include "tests/platform/forms/FormFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace formfixtures;

namespace {

String SampleFile() {
    return String(std::getenv("QUENTA_SOURCE_DIR")) + "/tests/platform/forms/data/Sample.dfm";
}

// Reads Text as the body of a TSampleForm description and returns the error text.
String ErrorOf(const String& Text) {
    TSampleForm form(nullptr);
    try {
        ReadComponentText(&form, Text, "Bad.dfm");
    } catch (const EFormError& E) {
        return E.Message;
    }
    return "no error";
}

// Reads an obsolete list value through NextValue, ReadListBegin, SkipValue
// and the end marker.
class TProbe : public TBox {
public:
    using TBox::TBox;
    void DefineProperties(TFiler* Filer) override {
        Filer->DefineProperty(
            "Mixed",
            [this](TReader* R) {
                Seen.push_back(R->NextValue());
                R->ReadListBegin();
                while (!R->EndOfList()) {
                    TValueType t = R->NextValue();
                    Seen.push_back(t);
                    if (t == vaInt8)
                        Ints += R->ReadInteger();
                    else
                        R->SkipValue();
                }
                R->ReadListEnd();
            },
            nullptr, false);
    }
    std::vector<TValueType> Seen;
    Integer Ints = 0;
};

class TProbeForm : public TComponent {
public:
    using TComponent::TComponent;
    QUENTA_PUBLISHED
};

const TClassInfo& TProbeForm::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TProbeForm>("TProbeForm", &ComponentClassInfo()).Register();
    return info;
}

class FormReader : public ::testing::Test {
protected:
    void SetUp() override { Log().clear(); }
};

TEST_F(FormReader, BuildsTheFormFromItsDescription) {
    TSampleForm form(nullptr);
    ReadComponentFile(&form, SampleFile());

    EXPECT_EQ(form.Name(), "SampleForm");
    EXPECT_EQ(form.Caption(), "Sample\r\nform title");
    EXPECT_EQ(form.Tag, -5);
    ASSERT_NE(form.Panel1, nullptr);
    ASSERT_NE(form.Label1, nullptr);
    ASSERT_NE(form.Panel2, nullptr);
    EXPECT_EQ(form.ComponentCount(), 3);
    EXPECT_EQ(form.Panel1->Owner(), &form);
    EXPECT_EQ(form.Label1->Owner(), &form);
    EXPECT_EQ(form.Panel1->GetParentComponent(), &form);
    EXPECT_EQ(form.Label1->GetParentComponent(), form.Panel1);

    TBox& p = *form.Panel1;
    EXPECT_EQ(p.Left(), 8);
    EXPECT_TRUE(p.LeftSetWhileLoading);
    EXPECT_EQ(p.Sides(), (1 << sdLeft) | (1 << sdBottom));
    EXPECT_EQ(p.Paint(), 0x3060FF);
    EXPECT_EQ(p.Font()->Style(), (1 << fsBold) | (1 << fsItalic));
    EXPECT_EQ(p.Font()->Size(), 9);
    EXPECT_EQ(p.Font()->Name(), "Arial");
    EXPECT_EQ(p.Glyph()->Data, (TBytes{1, 2, 3, 4, 5, 0xFF}));
    EXPECT_EQ(p.Lines()->Text(), "first\nsecond line\n");
    ASSERT_EQ(p.Items()->Count(), 2);
    auto* a = static_cast<TBoxItem*>(p.Items()->Items(0));
    auto* b = static_cast<TBoxItem*>(p.Items()->Items(1));
    EXPECT_EQ(a->Caption(), "A");
    EXPECT_EQ(a->Value(), 1);
    EXPECT_EQ(b->Caption(), "B\xC3\xA9"); // #233 is U+00E9
    EXPECT_EQ(form.Label1->Left(), -3);
    EXPECT_DOUBLE_EQ(form.Label1->Ratio(), 1.5);
    EXPECT_EQ(form.Panel2->Paint(), 16711680);

    // Obsolete names: FrameFlat maps onto two properties, FrameSides is read
    // through the set calls and dropped, OldKind is read as an identifier.
    EXPECT_TRUE(p.HotTrack());
    EXPECT_EQ(p.Kind(), bkOdd); // Kind = bkFancy came first, FrameFlat overrode it
    EXPECT_EQ(p.SkippedSides, "sdLeft;sdTop;");
    EXPECT_EQ(form.Label1->Kind(), bkPlain);

    // A reference to a component described further down, and a qualified one.
    EXPECT_EQ(p.Buddy(), form.Label1);
    EXPECT_EQ(form.Panel2->Buddy(), form.Panel1);

    ASSERT_TRUE(p.OnClick);
    p.OnClick(&p);
    EXPECT_EQ(form.Clicks, 1);

    // Loaded runs once references are fixed, root first, then in creation order.
    EXPECT_EQ(Log(), (std::vector<String>{"Loaded SampleForm", "Loaded Panel1 buddy Label1", "Loaded Label1",
                                          "Loaded Panel2 buddy Panel1"}));
    for (auto* c : {static_cast<TComponent*>(&form), static_cast<TComponent*>(form.Panel1),
                    static_cast<TComponent*>(form.Label1)})
        EXPECT_EQ(c->ComponentState() & (csLoading | csReading), 0u) << c->Name();

    // The form's fields follow their components when these are freed.
    form.Label1->Free();
    EXPECT_EQ(p.Buddy(), nullptr);
}

TEST_F(FormReader, ErrorsNameTheFileTheLineAndTheProperty) {
    const String head = "object SampleForm: TSampleForm\n  object Panel1: TBox\n";
    const String tail = "  end\nend\n";
    EXPECT_EQ(ErrorOf(head + "    Left = 1\n    Font.Stile = [fsBold]\n" + tail),
              "Bad.dfm, line 4, property Panel1.Font.Stile: property Stile does not exist");
    EXPECT_EQ(ErrorOf(head + "    Fnt.Style = [fsBold]\n" + tail),
              "Bad.dfm, line 3, property Panel1.Fnt.Style: property Fnt does not exist");
    EXPECT_EQ(ErrorOf(head + "    Kind = bkWild\n" + tail),
              "Bad.dfm, line 3, property Panel1.Kind: 'bkWild' is not a value of TBoxKind");
    EXPECT_EQ(ErrorOf(head + "    Sides = [sdLeft, sdMiddle]\n" + tail),
              "Bad.dfm, line 3, property Panel1.Sides: 'sdMiddle' is not an element of TBoxSides");
    EXPECT_EQ(ErrorOf(head + "    Left = 'eight'\n" + tail),
              "Bad.dfm, line 3, property Panel1.Left: invalid property value a string for a Integer");
    EXPECT_EQ(ErrorOf(head + "    Left = 4294967296\n" + tail),
              "Bad.dfm, line 3, property Panel1.Left: value 4294967296 is out of range for a Integer");
    EXPECT_EQ(ErrorOf(head + "    Buddy = Nobody\n" + tail),
              "Bad.dfm, line 3, property Panel1.Buddy: the component Nobody does not exist");
    EXPECT_EQ(
        ErrorOf(head + "    Buddy = SampleForm\n" + tail),
        "Bad.dfm, line 3, property Panel1.Buddy: SampleForm is a TSampleForm, which property Buddy cannot "
        "refer to");
    EXPECT_EQ(ErrorOf(head + "    OnClick = Panel9Click\n" + tail),
              "Bad.dfm, line 3, property Panel1.OnClick: method Panel9Click does not exist in TSampleForm");
    EXPECT_EQ(ErrorOf(head + "    FrameFlat = 3\n" + tail),
              "Bad.dfm, line 3, property Panel1.FrameFlat: Invalid property value");
    EXPECT_EQ(ErrorOf(head + "    HalfRead = (1 2)\n" + tail),
              "Bad.dfm, line 3, property Panel1.HalfRead: the value of HalfRead was not read completely");
    EXPECT_EQ(ErrorOf(head + "    Glyph.Data = 'text'\n" + tail),
              "Bad.dfm, line 3, property Panel1.Glyph.Data: binary data expected for Data");
    EXPECT_EQ(ErrorOf(head + "    Lines.Strings = ('a' 5)\n" + tail),
              "Bad.dfm, line 3, property Panel1.Lines.Strings: the list holds the number 5, not a string");
    EXPECT_EQ(ErrorOf("object SampleForm: TSampleForm\n  object X: TGizmo\n  end\nend\n"),
              "Bad.dfm, line 2, property X: class TGizmo not found");
    EXPECT_EQ(
        ErrorOf("object SampleForm: TSampleForm\n  object A: TBox\n  end\n  object a: TBox\n  end\nend\n"),
        "Bad.dfm, line 4, property a: A component named a already exists");
    EXPECT_EQ(ErrorOf("object Other: TBox\nend\n"),
              "Bad.dfm, line 1: the description is of a TBox, not of a TSampleForm");
    EXPECT_EQ(ErrorOf(head + "    Left = 'open\n" + tail), "Bad.dfm, line 3: Unterminated string");
}

TEST_F(FormReader, ARootWithoutPublishedInformationIsRefused) {
    class TUnknownForm : public TSampleForm {
    public:
        using TSampleForm::TSampleForm;
    };
    TUnknownForm form(nullptr);
    try {
        ReadComponentText(&form, "object F: TUnknownForm\nend\n", "U.dfm");
        FAIL() << "read";
    } catch (const EFormError& E) {
        EXPECT_EQ(E.Line, 1);
        EXPECT_NE(E.Message.find("TUnknownForm publishes no information"), String::npos) << E.Message;
    }
    // Naming the class explicitly reads it as its published ancestor.
    ReadComponentText(&form, "object F: TSampleForm\n  Caption = 'x'\nend\n", "U.dfm",
                      &TSampleForm::ClassInfo());
    EXPECT_EQ(form.Caption(), "x");
}

TEST_F(FormReader, DefinedPropertiesSeeTheValueCalls) {
    TProbeForm form(nullptr);
    auto* probe = new TProbe(&form);
    probe->SetName("Probe");
    ReadComponentText(
        &form,
        "object F: TProbeForm\n  inherited Probe: TBox\n    Mixed = (1 'two' [a] (3) {00} <> 4 "
        "300 $10000 5.5 x)\n  end\nend\n",
        "P.dfm");
    EXPECT_EQ(probe->Seen,
              (std::vector<TValueType>{vaList, vaInt8, vaString, vaSet, vaList, vaBinary, vaCollection,
                                       vaInt8, vaInt16, vaInt32, vaExtended, vaIdent}));
    EXPECT_EQ(probe->Ints, 5);
}

} // namespace
