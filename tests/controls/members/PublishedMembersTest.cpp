// The framework's members every library control publishes: a form
// description that gives each of them a value other than its default loads,
// each member reads back what was stored and counts as stored then (unless
// the member is never stored), and a fresh control stores none of these
// members (ParentFont, ShowHint, TabStop ... keep the framework's defaults)
// nor any other published member that keeps its default.
#include "controls/button/QxButton.h"
#include "controls/check/QxRadChk.h"
#include "controls/dialogbuttons/QxDlgBtn.h"
#include "controls/edit/QxEdit.h"
#include "controls/ipaddress/ComCtrlsAdds.h"
#include "controls/label/QxLabel.h"
#include "controls/panel/QxPanel.h"
#include "controls/progress/QxPrgres.h"
#include "controls/radiogroup/QxRadGrp.h"
#include "controls/separator/QxBckgnd.h"
#include "controls/spinedit/TimeSpin.h"
#include "controls/status/QxStatus.h"
#include "controls/status/QxStatusBar.h"
#include "controls/tabs/QxTabs.h"
#include "platform/forms/Reader.h"
#include "platform/gui/controls/Application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// The root of the descriptions: one handler of every event type.
class TMembersForm : public TForm {
public:
    QUENTA_PUBLISHED
    explicit TMembersForm(TComponent* AOwner) : TForm(AOwner) {}
    void Notify(TObject*) {}
    void Mouse(TObject*, TMouseButton, TShiftState, Integer, Integer) {}
    void MouseMove(TObject*, TShiftState, Integer, Integer) {}
    void Wheel(TObject*, TShiftState, Integer, TPoint, bool&) {}
    void WheelNotch(TObject*, TShiftState, TPoint, bool&) {}
    void Key(TObject*, Word&, TShiftState) {}
    void KeyPress(TObject*, char32_t&) {}
    void ContextPopup(TObject*, TPoint, bool&) {}
    void DragOver(TObject*, TObject*, Integer, Integer, TDragState, bool&) {}
    void DragDrop(TObject*, TObject*, Integer, Integer) {}
    void StartDrag(TObject*, TDragObject*&) {}
    void EndDrag(TObject*, TObject*, Integer, Integer) {}
    void StartDock(TObject*, TDragDockObject*&) {}
    void DockOver(TObject*, TDragDockObject*, Integer, Integer, TDragState, bool&) {}
    void DockDrop(TObject*, TDragDockObject*, Integer, Integer) {}
    void GetSiteInfo(TObject*, TControl*, TRect&, TPoint, bool&) {}
    void UnDock(TObject*, TControl*, TWinControl*, bool&) {}
};

const char* const kHandlers[] = {"Notify",    "Mouse",     "MouseMove", "Wheel",    "WheelNotch", "Key",
                                 "KeyPress",  "ContextPopup", "DragOver", "DragDrop", "StartDrag", "EndDrag",
                                 "StartDock", "DockOver",  "DockDrop",  "GetSiteInfo", "UnDock"};

const TClassInfo& TMembersForm::ClassInfo() {
    using T = TMembersForm;
    static const TClassInfo& info = TClassBuilder<T>("TMembersForm", &TForm::ClassInfo())
                                        .Method("Notify", &T::Notify)
                                        .Method("Mouse", &T::Mouse)
                                        .Method("MouseMove", &T::MouseMove)
                                        .Method("Wheel", &T::Wheel)
                                        .Method("WheelNotch", &T::WheelNotch)
                                        .Method("Key", &T::Key)
                                        .Method("KeyPress", &T::KeyPress)
                                        .Method("ContextPopup", &T::ContextPopup)
                                        .Method("DragOver", &T::DragOver)
                                        .Method("DragDrop", &T::DragDrop)
                                        .Method("StartDrag", &T::StartDrag)
                                        .Method("EndDrag", &T::EndDrag)
                                        .Method("StartDock", &T::StartDock)
                                        .Method("DockOver", &T::DockOver)
                                        .Method("DockDrop", &T::DockDrop)
                                        .Method("GetSiteInfo", &T::GetSiteInfo)
                                        .Method("UnDock", &T::UnDock)
                                        .Register();
    return info;
}

// Whether an event read back holds a handler, whatever its type.
template <class... E> bool AnyAssigned(const std::any& V) {
    bool assigned = false;
    ((assigned = assigned || (std::any_cast<E>(&V) && *std::any_cast<E>(&V))), ...);
    return assigned;
}
bool Assigned(const std::any& V) {
    return AnyAssigned<TNotifyEvent, TMouseEvent, TMouseMoveEvent, TMouseWheelEvent, TMouseWheelUpDownEvent,
                       TKeyEvent, TKeyPressEvent, TContextPopupEvent, TDragOverEvent, TDragDropEvent,
                       TStartDragEvent, TEndDragEvent, TStartDockEvent, TDockOverEvent, TDockDropEvent,
                       TGetSiteInfoEvent, TUnDockEvent>(V);
}

// The framework's members each class publishes.
struct TMembers {
    const char* ClassName;
    std::vector<String> Names;
    // Members whose value the control itself settles on loading (a framed
    // edit shows its disabled colour, and stores no colour while disabled).
    std::set<String> Settled = {};
    // Members read from descriptions but never written to them.
    std::set<String> NotStored = {};
    // Members of a new control that differ from its parent's (a link's font).
    std::set<String> StoredWhenNew = {};
};

void PrintTo(const TMembers& M, std::ostream* Out) {
    *Out << M.ClassName;
}

const std::vector<String> kButton = {
    "Action",     "Align",       "Anchors",    "BiDiMode",    "Caption",        "Color",       "Constraints",
    "DragCursor", "DragKind",    "DragMode",   "Enabled",     "Font",           "HelpContext", "Hint",
    "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",  "TabOrder",
    "TabStop",    "Visible",     "OnClick",    "OnContextPopup", "OnDragDrop",  "OnDragOver",  "OnEndDock",
    "OnEndDrag",  "OnEnter",     "OnExit",     "OnKeyDown",   "OnKeyPress",     "OnKeyUp",     "OnMouseDown",
    "OnMouseMove", "OnMouseUp",  "OnStartDock", "OnStartDrag"};

std::vector<String> Plus(std::vector<String> A, std::initializer_list<const char*> B) {
    A.insert(A.end(), B.begin(), B.end());
    return A;
}

const std::vector<String> kPanel = {
    "Align",      "Anchors",     "Caption",    "Color",       "Constraints",    "Ctl3D",       "DragCursor",
    "DragMode",   "Enabled",     "Font",       "ParentColor", "ParentCtl3D",    "ParentFont",  "ParentShowHint",
    "PopupMenu",  "ShowHint",    "TabOrder",   "TabStop",     "Visible",        "OnClick",     "OnContextPopup",
    "OnDblClick", "OnDragDrop",  "OnDragOver", "OnEndDrag",   "OnEnter",        "OnExit",      "OnMouseDown",
    "OnMouseMove", "OnMouseUp",  "OnResize",   "OnStartDrag"};

const std::vector<String> kPane = {
    "Align",      "Anchors",     "Color",      "Constraints", "DragCursor",     "DragKind",    "DragMode",
    "Enabled",    "Font",        "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu",   "ShowHint",
    "Visible",    "OnClick",     "OnContextPopup", "OnDblClick", "OnDragDrop",  "OnDragOver",  "OnEndDock",
    "OnEndDrag",  "OnMouseDown", "OnMouseMove", "OnMouseUp",  "OnStartDock",    "OnStartDrag"};

const std::vector<String> kTabs = {
    "Align",      "Anchors",     "Color",      "Constraints", "DockSite",       "DragCursor",  "DragKind",
    "DragMode",   "Enabled",     "Font",       "HelpContext", "Hint",           "ParentColor", "ParentFont",
    "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder",    "TabStop",        "Visible",     "OnClick",
    "OnContextPopup", "OnDblClick", "OnDockDrop", "OnDockOver", "OnDragDrop",   "OnDragOver",  "OnEndDock",
    "OnEndDrag",  "OnEnter",     "OnExit",     "OnGetSiteInfo", "OnMouseDown",  "OnMouseMove", "OnMouseUp",
    "OnStartDock", "OnStartDrag", "OnUnDock"};

const std::vector<String> kLabel = {
    "Align",        "Alignment",  "Anchors",     "AutoSize",       "BiDiMode",   "Caption",      "Color",
    "Constraints",  "DragCursor", "DragKind",    "DragMode",       "Enabled",    "FocusControl", "Font",
    "Layout",       "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu", "ShowAccelChar",
    "ShowHint",     "Transparent", "Visible",    "WordWrap",       "OnClick",    "OnContextPopup", "OnDblClick",
    "OnDragDrop",   "OnDragOver", "OnEndDock",   "OnEndDrag",      "OnMouseDown", "OnMouseMove", "OnMouseUp",
    "OnStartDock",  "OnStartDrag"};

const std::vector<TMembers>& Table() {
    static const std::vector<TMembers> table = {
        {"TQxEdit",
         {"Align",       "Anchors",     "BiDiMode",    "Constraints", "Ctl3D",       "DragCursor",  "DragKind",
          "DragMode",    "Enabled",     "Font",        "ImeMode",     "ImeName",     "ParentBiDiMode", "ParentColor",
          "ParentCtl3D", "ParentFont",  "ParentShowHint", "PopupMenu", "ShowHint",   "TabOrder",    "TabStop",
          "Visible",     "OnClick",     "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
          "OnEndDrag",   "OnEnter",     "OnExit",      "OnKeyDown",   "OnKeyPress",  "OnKeyUp",     "OnMouseDown",
          "OnMouseMove", "OnMouseUp",   "OnStartDock", "OnStartDrag", "AutoSelect", "AutoSize",    "CharCase",
          "HideSelection", "MaxLength", "OEMConvert", "PasswordChar", "OnChange"}},
        {"TQxMemo",
         {"Align",       "Anchors",     "BevelEdges",  "BevelInner",  "BevelKind",   "BevelOuter",  "BiDiMode",
          "Color",       "Constraints", "Ctl3D",       "DragCursor",  "DragKind",    "DragMode",    "Enabled",
          "Font",        "ImeMode",     "ImeName",     "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
          "ParentShowHint", "PopupMenu", "ShowHint",   "TabOrder",    "TabStop",     "Visible",     "OnClick",
          "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",   "OnEndDrag",   "OnEnter",
          "OnExit",      "OnKeyDown",   "OnKeyPress",  "OnKeyUp",     "OnMouseDown", "OnMouseMove", "OnMouseUp",
          "OnMouseWheel", "OnMouseWheelDown", "OnMouseWheelUp", "OnStartDock", "OnStartDrag", "Alignment",
          "BorderStyle", "HideSelection", "Lines",     "MaxLength",   "OEMConvert",  "ReadOnly",    "ScrollBars",
          "WantReturns", "WantTabs",    "WordWrap",    "OnChange"},
         {"Color"}},
        {"TQxButton", kButton},
        {"TQxBitBtn", kButton},
        {"TQxCheckBox", Plus(kButton, {"OnDblClick"})},
        {"TQxRadioButton", Plus(kButton, {"OnDblClick"})},
        {"TQxRadioGroup", Plus(kPanel, {"ItemHotTrackColorType"})},
        {"TQxGroupBox", kPanel},
        {"TQxStatusBar", kPanel},
        {"TQxDialogButtons",
         {"Color",      "Ctl3D",      "DragCursor", "DragMode",    "Font",        "ParentColor", "ParentFont",
          "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder",   "TabStop",     "Visible",     "OnClick",
          "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter",    "OnExit",
          "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize",   "OnStartDrag"}},
        {"TQxProgressBar",
         {"Align", "Anchors", "Constraints", "DragKind", "Font", "ParentFont", "ParentShowHint", "PopupMenu",
          "ShowHint", "Visible", "OnClick", "OnContextPopup", "OnDblClick", "OnEndDock", "OnMouseDown",
          "OnMouseMove", "OnMouseUp", "OnStartDock"}},
        {"TQxStatusPane", kPane},
        {"TQxGlyphStatus", kPane},
        {"TQxSeparator",
         {"Align", "Anchors", "Color", "Constraints", "DragCursor", "DragMode", "Enabled", "ParentColor",
          "ParentShowHint", "PopupMenu", "ShowHint", "Visible", "OnClick", "OnDblClick", "OnDragDrop",
          "OnDragOver", "OnEndDrag", "OnMouseDown", "OnMouseMove", "OnMouseUp"}},
        {"TQxTabControl", kTabs},
        {"TQxPageControl", kTabs},
        {"TQxTabSheet",
         {"Caption", "Constraints", "Enabled", "Font", "Height", "Left", "ParentFont", "ParentShowHint", "PopupMenu",
          "ShowHint", "Top", "Width", "OnClick", "OnContextPopup", "OnDblClick", "OnDragDrop", "OnDragOver",
          "OnEndDrag", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize", "OnStartDrag"},
         {},
         {"Height", "Left", "Top", "Width"}},
        {"TIPAddress",
         {"Anchors",    "BevelEdges",  "BevelInner",  "BevelKind",   "BevelOuter",  "BiDiMode",    "Color",
          "Constraints", "Ctl3D",      "DragCursor",  "DragKind",    "DragMode",    "Enabled",     "Font",
          "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",
          "TabOrder",   "TabStop",     "Visible",     "OnClick",     "OnContextPopup", "OnDblClick", "OnDragDrop",
          "OnDragOver", "OnEndDock",   "OnEndDrag",   "OnEnter",     "OnExit",      "OnKeyDown",   "OnKeyPress",
          "OnKeyUp",    "OnMouseDown", "OnMouseMove", "OnMouseUp",   "OnStartDock", "OnStartDrag"}},
        {"TTimeSpinEdit",
         {"Anchors",    "Color",       "Constraints", "Ctl3D",       "DragCursor",  "DragMode",    "Enabled",
          "Font",       "ParentColor", "ParentCtl3D", "ParentFont",  "ParentShowHint", "PopupMenu", "ShowHint",
          "TabOrder",   "TabStop",     "Visible",     "OnClick",     "OnDblClick",  "OnDragDrop",  "OnDragOver",
          "OnEndDrag",  "OnEnter",     "OnExit",      "OnKeyDown",   "OnKeyPress",  "OnKeyUp",     "OnMouseDown",
          "OnMouseMove", "OnMouseUp",  "OnStartDrag", "AutoSize",    "MaxLength",   "ReadOnly",    "OnChange"}},
        {"TQxLabel", kLabel},
        {"TQxURLLabel", kLabel, {}, {}, {"Font"}},
    };
    return table;
}

void RegisterEverything() {
    RegisterQxEditClasses();
    RegisterQxTabsClasses();
    RegisterComCtrlsAddsClasses();
    RegisterTimeSpinClasses();
    RegisterQxLabelClasses();
    RegisterMenuClasses();
    RegisterClasses({&TAction::ClassInfo(), &TQxButton::ClassInfo(), &TQxBitBtn::ClassInfo(),
                     &TQxCheckBox::ClassInfo(), &TQxRadioButton::ClassInfo(), &TQxRadioGroup::ClassInfo(),
                     &TQxGroupBox::ClassInfo(), &TQxStatusBar::ClassInfo(), &TQxDialogButtons::ClassInfo(),
                     &TQxProgressBar::ClassInfo(), &TQxStatusPane::ClassInfo(), &TQxGlyphStatus::ClassInfo(),
                     &TQxSeparator::ClassInfo(), &TMembersForm::ClassInfo()});
}

// A value other than the one a fresh control has, as the description
// writes it and as it reads back.
struct TValue {
    String Text;
    Int64 Ord = 0;
};

TValue OtherValue(const TPropInfo& P, const TObject* Fresh) {
    const TTypeInfo* type = P.PropType;
    const String& name = P.Name;
    // A control that follows its parent would give up what the description
    // sets for it: the parent members read False.
    if (name.rfind("Parent", 0) == 0) return {"False", 0};
    if (name == "TabOrder") return {"0", 0};
    const Int64 now = P.GetOrd ? P.GetOrd(Fresh) : 0;
    switch (type->Kind) {
    case tkEnumeration: {
        const Integer n = static_cast<Integer>(type->Names.size());
        const Integer v = static_cast<Integer>((now + 1) % n);
        return {GetEnumName(type, v), v};
    }
    case tkSet: {
        const Int64 v = now ^ 1;
        return {SetToString(type, v), v};
    }
    case tkInteger: {
        if (type == ColorTypeInfo()) {
            const Int64 v = now == clRed ? clBlue : clRed;
            return {IntToStr(static_cast<Integer>(v)), v};
        }
        if (type == CursorTypeInfo()) return {"crHandPoint", crHandPoint};
        if (type->IsChar) return {"'*'", '*'}; // as the framework writes a character
        return {IntToStr(static_cast<Integer>(now + 3)), now + 3};
    }
    default:
        return {};
    }
}

// The component of the descriptions that a reference member names.
String Referenced(const String& Member) {
    return Member == "Action" ? "Act1" : Member == "FocusControl" ? "Edit1" : "Menu1";
}

class PublishedMembers : public ::testing::TestWithParam<TMembers> {
protected:
    static void SetUpTestSuite() {
        Application->Initialize();
        RegisterEverything();
    }
};

TEST_P(PublishedMembers, LoadReadBackAndStoreWithTheFrameworksDefaults) {
    const TMembers& m = GetParam();
    const TClassInfo& cls = FindClass(m.ClassName);

    // A fresh control: what keeps its default is not stored.
    auto* host = new TMembersForm(nullptr);
    TComponent* freshComp = cls.Create(host);
    auto* fresh = dynamic_cast<TControl*>(freshComp);
    ASSERT_NE(fresh, nullptr);
    fresh->SetParent(host);
    for (const TPropInfo* p : cls.Properties()) {
        // (TabOrder is the control's place among its siblings, stored always.)
        if (p->Name == "TabOrder" || m.StoredWhenNew.count(p->Name)) continue;
        const bool listed = std::find(m.Names.begin(), m.Names.end(), p->Name) != m.Names.end();
        if ((p->Default && p->GetOrd) || (listed && (p->StoredFn || p->GetOrd))) {
            EXPECT_FALSE(p->IsStored(fresh)) << m.ClassName << "." << p->Name << " is stored with its default";
        }
    }
    String text = "object F: TMembersForm\n  object Menu1: TPopupMenu\n  end\n  object Act1: TAction\n  end\n"
                  "  object Edit1: TQxEdit\n  end\n  object C: " +
                  String(m.ClassName) + "\n";
    std::vector<std::pair<const TPropInfo*, TValue>> expected;
    for (const String& name : m.Names) {
        const TPropInfo* p = cls.FindProperty(name);
        ASSERT_NE(p, nullptr) << m.ClassName << " does not publish " << name;
        String line;
        TValue v;
        switch (p->Kind()) {
        case tkMethod: {
            // The handler whose type the event takes.
            for (const char* h : kHandlers) {
                try {
                    p->SetMethod(fresh, TMembersForm::ClassInfo().FindMethod(h)->Bind(host));
                    line = name + " = " + h;
                    break;
                } catch (const EPropertyConvertError&) {
                }
            }
            ASSERT_FALSE(line.empty()) << "no handler fits " << name;
            break;
        }
        case tkString:
            line = name + " = 'Txt'";
            break;
        case tkClass:
            if (name == "Font")
                line = "Font.Style = [fsBold]";
            else if (name == "Constraints")
                line = "Constraints.MaxWidth = 500";
            else if (name == "Lines")
                line = "Lines.Strings = ('Txt')";
            else
                line = name + " = " + Referenced(name);
            break;
        default:
            v = OtherValue(*p, fresh);
            line = name + " = " + v.Text;
            break;
        }
        text += "    " + line + "\n";
        expected.push_back({p, v});
    }
    text += "  end\nend\n";
    host->Free();

    auto* form = new TMembersForm(nullptr);
    ASSERT_NO_THROW(ReadComponentText(form, text, String(m.ClassName) + ".dfm")) << text;
    auto* c = dynamic_cast<TControl*>(form->FindComponent("C"));
    ASSERT_NE(c, nullptr);
    for (const auto& [p, v] : expected) {
        const String& name = p->Name;
        if (m.Settled.count(name)) continue;
        switch (p->Kind()) {
        case tkMethod:
            EXPECT_TRUE(Assigned(p->GetMethod(c))) << m.ClassName << "." << name;
            break;
        case tkString:
            EXPECT_EQ(p->GetStr(c), "Txt") << m.ClassName << "." << name;
            break;
        case tkClass:
            if (name == "Font") {
                EXPECT_TRUE(c->Font()->Style().Contains(fsBold)) << m.ClassName;
            } else if (name == "Constraints") {
                EXPECT_EQ(c->Constraints()->MaxWidth(), 500) << m.ClassName;
            } else if (name == "Lines") {
                EXPECT_EQ(dynamic_cast<TStrings*>(p->GetObj(c))->Text(), "Txt" + String(sLineBreak)) << m.ClassName;
            } else {
                EXPECT_EQ(p->GetObj(c), form->FindComponent(Referenced(name)))
                    << m.ClassName << "." << name;
            }
            break;
        default:
            EXPECT_EQ(p->GetOrd(c), v.Ord) << m.ClassName << "." << name;
            if (m.NotStored.count(name)) {
                EXPECT_FALSE(p->IsStored(c)) << m.ClassName << "." << name << " is stored";
            } else if (name.rfind("Parent", 0) != 0 && name != "TabOrder") {
                EXPECT_TRUE(p->IsStored(c)) << m.ClassName << "." << name << " is not stored with " << v.Text;
            }
            break;
        }
    }
    form->Free();
}

INSTANTIATE_TEST_SUITE_P(EveryControlClass, PublishedMembers, ::testing::ValuesIn(Table()),
                         [](const ::testing::TestParamInfo<TMembers>& I) { return std::string(I.param.ClassName); });

} // namespace
