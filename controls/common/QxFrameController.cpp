#include "controls/common/QxFrameController.h"

#include "platform/forms/Reader.h"
#include "platform/gui/controls/Published.h"

namespace {

// The published name of each setting, in the order of the enumeration.
const char* const SettingNames[] = {"Color",
                                    "FocusColor",
                                    "DisabledColor",
                                    "ReadOnlyColor",
                                    "ReadOnlyColorOnFocus",
                                    "ParentColor",
                                    "FlatButtonColor",
                                    "FlatButtons",
                                    "FrameColor",
                                    "FrameHotColor",
                                    "FrameHotTrack",
                                    "FrameHotStyle",
                                    "FrameSides",
                                    "FrameStyle",
                                    "FrameVisible",
                                    "FramingPreference"};

// The order in which all settings are pushed: ParentColor first, so that a
// control that follows its parent is told so before anything else.
constexpr TQxFrameControllerProperty PushAllOrder[] = {
    fcpParentColor,          fcpColor,         fcpDisabledColor,   fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus, fcpFocusColor,    fcpFlatButtonColor, fcpFlatButtons,
    fcpFrameColor,           fcpFrameHotColor, fcpFrameHotTrack,   fcpFrameHotStyle,
    fcpFrameSides,           fcpFrameStyle,    fcpFrameVisible,    fcpFramingPreference};

} // namespace

const TTypeInfo* FrameControllerNotificationsTypeInfo() {
    static const TTypeInfo* info = [] {
        auto* connection = new TTypeInfo;
        connection->Kind = tkEnumeration;
        connection->Name = "TQxFrameControllerPropertyConnection";
        for (const char* name : SettingNames)
            connection->Names.push_back(String("fcp") + name);
        return MakeSetType("TQxFrameControllerNotifications", connection);
    }();
    return info;
}

const TTypeInfo* FramingPreferenceTypeInfo() {
    static const TTypeInfo* info =
        RegisterEnumType<TFramingPreference>("TFramingPreference", {"fpCustomFraming", "fpXPThemes"});
    return info;
}

const TClassInfo& TQxFrameController::ClassInfo() {
    using T = TQxFrameController;
    static const TClassInfo& info =
        TClassBuilder<T>("TQxFrameController", &ComponentClassInfo())
            .Property("Color", &T::Color, &T::SetColor, ColorTypeInfo())
            .Default(clWindow)
            .Stored([](const T* c) { return !c->ParentColor(); })
            .Property("DisabledColor", &T::DisabledColor, &T::SetDisabledColor, ColorTypeInfo())
            .Default(clBtnFace)
            .Property("ReadOnlyColor", &T::ReadOnlyColor, &T::SetReadOnlyColor, ColorTypeInfo())
            .Default(clInfoBk)
            .Property("ReadOnlyColorOnFocus", &T::ReadOnlyColorOnFocus, &T::SetReadOnlyColorOnFocus)
            .Default(false)
            .Property("FlatButtonColor", &T::FlatButtonColor, &T::SetFlatButtonColor, ColorTypeInfo())
            .Default(clBtnFace)
            .Property("FlatButtons", &T::FlatButtons, &T::SetFlatButtons)
            .Default(true)
            .Property("FocusColor", &T::FocusColor, &T::SetFocusColor, ColorTypeInfo())
            .Default(clWindow)
            .Property("FrameColor", &T::FrameColor, &T::SetFrameColor, ColorTypeInfo())
            .Default(clBtnShadow)
            .Property("FrameHotColor", &T::FrameHotColor, &T::SetFrameHotColor, ColorTypeInfo())
            .Default(clBtnShadow)
            .Property("FrameHotStyle", &T::FrameHotStyle, &T::SetFrameHotStyle, FrameStyleTypeInfo())
            .Default(fsFlatBold)
            .Property("FrameHotTrack", &T::FrameHotTrack, &T::SetFrameHotTrack)
            .Default(false)
            .Property(
                "FrameSides", [](const T* c) { return static_cast<Integer>(c->FrameSides().ToInt()); },
                [](T* c, Integer v) {
                    c->SetFrameSides(TSides::FromInt(static_cast<std::uint64_t>(v) & 0xF));
                },
                SidesTypeInfo())
            .Default(AllSides.ToInt())
            .Property("FrameStyle", &T::FrameStyle, &T::SetFrameStyle, FrameStyleTypeInfo())
            .Default(fsFlat)
            .Property("FrameVisible", &T::FrameVisible, &T::SetFrameVisible)
            .Default(false)
            .Property("FramingPreference", &T::FramingPreference, &T::SetFramingPreference,
                      FramingPreferenceTypeInfo())
            .Default(fpXPThemes)
            .Property("ParentColor", &T::ParentColor, &T::SetParentColor)
            .Default(false)
            .Property("RegIniFile", &T::RegIniFile, &T::SetRegIniFile)
            .Register();
    return info;
}

TQxFrameController::TQxFrameController(TComponent* AOwner) : TComponent(AOwner) {}

TQxFrameController::~TQxFrameController() {
    FreeFrameList();
}

void TQxFrameController::BeforeDestruction() {
    // The list goes first, without telling the controls; they learn of the
    // controller's end from its free notification, while it is still whole,
    // and may unregister then without finding a stale list.
    FreeFrameList();
    TComponent::BeforeDestruction();
}

void TQxFrameController::FreeFrameList() {
    TList* list = FFrameList;
    FFrameList = nullptr;
    if (list) list->Free();
}

// ---------------------------------------------------------------- stored forms

void TQxFrameController::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(
        "FrameFlat", [this](TReader* R) { ReadFrameFlat(R); }, nullptr, false);
    Filer->DefineProperty(
        "FrameFocusStyle", [this](TReader* R) { ReadFrameFocusStyle(R); }, nullptr, false);
    Filer->DefineProperty("FrameFlatStyle", TQxOldPropReader::SkipIdent, nullptr, false);
}

void TQxFrameController::ReadFrameFlat(TReader* Reader) {
    FFrameHotTrack = Reader->ReadBoolean();
    if (FFrameHotTrack) {
        FFrameStyle = fsStatus;
        FFrameHotStyle = fsLowered;
    }
}

void TQxFrameController::ReadFrameFocusStyle(TReader* Reader) {
    // A name that is no frame style leaves the hot style as it is.
    Integer style = GetEnumValue(FrameStyleTypeInfo(), Reader->ReadIdent());
    if (style >= 0) FFrameHotStyle = static_cast<TFrameStyle>(style);
}

void TQxFrameController::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TQxFrameController*>(Source);
    if (!source) {
        TComponent::Assign(Source);
        return;
    }
    HoldUpdates();
    FColor = source->FColor;
    FDisabledColor = source->FDisabledColor;
    FReadOnlyColor = source->FReadOnlyColor;
    FReadOnlyColorOnFocus = source->FReadOnlyColorOnFocus;
    FFlatButtonColor = source->FFlatButtonColor;
    FFlatButtons = source->FFlatButtons;
    FFocusColor = source->FFocusColor;
    FFrameColor = source->FFrameColor;
    FFrameHotColor = source->FFrameHotColor;
    FFrameHotStyle = source->FFrameHotStyle;
    FFrameHotTrack = source->FFrameHotTrack;
    FFrameSides = source->FFrameSides;
    FFrameStyle = source->FFrameStyle;
    FFrameVisible = source->FFrameVisible;
    FFramingPreference = source->FFramingPreference;
    FParentColor = source->FParentColor;
    ReleaseUpdates();
}

void TQxFrameController::Loaded() {
    TComponent::Loaded();
    // Controls registered while the form was read got the settings as they
    // were then; the loaded ones win.
    PushAllSettings();
}

void TQxFrameController::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FRegIniFile) FRegIniFile = nullptr;
}

// ---------------------------------------------------------------- controls

void TQxFrameController::RegisterControl(TControl* Control) {
    if (!Control) return;
    if (!FFrameList) FFrameList = new TList;
    if (FFrameList->IndexOf(Control) >= 0) return;
    FFrameList->Add(Control);
    PushSettingTo(Control, fcpAll);
}

void TQxFrameController::UnregisterControl(TControl* Control) {
    if (!FFrameList) return;
    FFrameList->Remove(Control);
    if (FFrameList->Count() == 0) FreeFrameList();
}

void TQxFrameController::HoldUpdates() {
    ++FUpdateCount;
}

void TQxFrameController::ReleaseUpdates() {
    if (--FUpdateCount > 0) return;
    FUpdateCount = 0;
    PushSetting(fcpAll);
}

void TQxFrameController::PushSetting(TQxFrameControllerProperty Property) {
    if (FUpdateCount > 0) return;
    // A control may leave the list while it takes a setting.
    for (Integer i = 0; FFrameList && i < FFrameList->Count(); ++i) {
        TObject* control = static_cast<TControl*>(FFrameList->Get(i));
        PushSettingTo(control, Property);
        if (FFrameList && (i >= FFrameList->Count() || FFrameList->Get(i) != control)) --i;
    }
}

TQxFrameControllerNotifications TQxFrameController::GetNotificationFilter(TObject* Object) {
    const TPropInfo* info = GetPropInfo(Object, "FrameControllerNotifications");
    if (!info || !info->GetOrd) return AllFrameControllerNotifications;
    return TQxFrameControllerNotifications::FromInt(static_cast<std::uint64_t>(info->GetOrd(Object)) &
                                                    0xFFFF);
}

void TQxFrameController::PushSettingTo(TObject* Object, TQxFrameControllerProperty Property) {
    auto* control = dynamic_cast<TControl*>(Object);
    if (!control) return;
    const TQxFrameControllerNotifications filter = GetNotificationFilter(Object);
    if (auto* pull = dynamic_cast<IQxFrameControllerNotification*>(Object)) {
        pull->FrameControllerChanged();
        return;
    }
    if (Property != fcpAll) {
        if (filter.Contains(Property)) WriteSetting(control, Property);
        return;
    }
    for (TQxFrameControllerProperty p : PushAllOrder) {
        if (p == fcpColor && FParentColor) continue;
        if (filter.Contains(p)) WriteSetting(control, p);
    }
}

void TQxFrameController::WriteSetting(TControl* Control, TQxFrameControllerProperty Property) {
    const char* name = SettingNames[Property];
    const TPropInfo* info = GetPropInfo(Control, name);
    if (!info || !info->IsWritable()) return;
    if (Property == fcpFrameSides) {
        if (info->Kind() == tkSet)
            SetSetProp(Control, name, SetToString(SidesTypeInfo(), FFrameSides.ToInt()));
        return;
    }
    if (info->Kind() != tkInteger && info->Kind() != tkEnumeration) return;
    Int64 value = 0;
    switch (Property) {
    case fcpColor:
        value = FColor;
        break;
    case fcpFocusColor:
        value = FFocusColor;
        break;
    case fcpDisabledColor:
        value = FDisabledColor;
        break;
    case fcpReadOnlyColor:
        value = FReadOnlyColor;
        break;
    case fcpReadOnlyColorOnFocus:
        value = FReadOnlyColorOnFocus;
        break;
    case fcpParentColor:
        value = FParentColor;
        break;
    case fcpFlatButtonColor:
        value = FFlatButtonColor;
        break;
    case fcpFlatButtons:
        value = FFlatButtons;
        break;
    case fcpFrameColor:
        value = FFrameColor;
        break;
    case fcpFrameHotColor:
        value = FFrameHotColor;
        break;
    case fcpFrameHotTrack:
        value = FFrameHotTrack;
        break;
    case fcpFrameHotStyle:
        value = FFrameHotStyle;
        break;
    case fcpFrameStyle:
        value = FFrameStyle;
        break;
    case fcpFrameVisible:
        value = FFrameVisible;
        break;
    case fcpFramingPreference:
        value = FFramingPreference;
        break;
    default:
        return;
    }
    SetOrdProp(Control, name, value);
}

// ---------------------------------------------------------------- setters

template <class V> void TQxFrameController::Change(V& Field, V Value, TQxFrameControllerProperty Property) {
    if (Value == Field) return;
    Field = Value;
    PushSetting(Property);
}

void TQxFrameController::SetColor(TColor Value) {
    if (Value == FColor) return;
    // A focus colour equal to the colour moves along with it (not pushed).
    if (FColor == FFocusColor) FFocusColor = Value;
    FParentColor = false;
    FColor = Value;
    PushSetting(fcpColor);
}

void TQxFrameController::SetParentColor(bool Value) {
    if (Value == FParentColor) return;
    FParentColor = Value;
    PushSetting(fcpParentColor);
    if (!Value) PushSetting(fcpColor);
}

void TQxFrameController::SetFlatButtonColor(TColor Value) {
    Change(FFlatButtonColor, Value, fcpFlatButtonColor);
}

void TQxFrameController::SetFlatButtons(bool Value) {
    Change(FFlatButtons, Value, fcpFlatButtons);
}

void TQxFrameController::SetDisabledColor(TColor Value) {
    Change(FDisabledColor, Value, fcpDisabledColor);
}

void TQxFrameController::SetReadOnlyColor(TColor Value) {
    Change(FReadOnlyColor, Value, fcpReadOnlyColor);
}

void TQxFrameController::SetReadOnlyColorOnFocus(bool Value) {
    Change(FReadOnlyColorOnFocus, Value, fcpReadOnlyColorOnFocus);
}

void TQxFrameController::SetFocusColor(TColor Value) {
    Change(FFocusColor, Value, fcpFocusColor);
}

void TQxFrameController::SetFrameColor(TColor Value) {
    Change(FFrameColor, Value, fcpFrameColor);
}

void TQxFrameController::SetFrameHotColor(TColor Value) {
    Change(FFrameHotColor, Value, fcpFrameHotColor);
}

void TQxFrameController::SetFrameHotTrack(bool Value) {
    if (Value == FFrameHotTrack) return;
    FFrameHotTrack = Value;
    if (Value) {
        // Hot tracking shows on a visible frame all round.
        SetFrameVisible(true);
        if (!HasState(csLoading)) FFrameSides = AllSides;
    }
    PushSetting(fcpFrameHotTrack);
}

void TQxFrameController::SetFrameHotStyle(TFrameStyle Value) {
    Change(FFrameHotStyle, Value, fcpFrameHotStyle);
}

void TQxFrameController::SetFrameSides(TSides Value) {
    Change(FFrameSides, Value, fcpFrameSides);
}

void TQxFrameController::SetFrameStyle(TFrameStyle Value) {
    Change(FFrameStyle, Value, fcpFrameStyle);
}

void TQxFrameController::SetFrameVisible(bool Value) {
    Change(FFrameVisible, Value, fcpFrameVisible);
}

void TQxFrameController::SetFramingPreference(TFramingPreference Value) {
    Change(FFramingPreference, Value, fcpFramingPreference);
}

void TQxFrameController::SetRegIniFile(TComponent* Value) {
    if (Value == FRegIniFile) return;
    FRegIniFile = Value;
    if (Value) Value->FreeNotification(this);
}
