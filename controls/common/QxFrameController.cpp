#include "controls/common/QxFrameController.h"
#include "controls/common/QxRegIniFile.h"

#include "platform/forms/Reader.h"
#include "platform/gui/controls/Published.h"

namespace {

// The published name of each setting, in the order of the enumeration.
constexpr const char* SettingNames[] = {"Color",
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

const char* FrameSettingName(TQxFrameControllerPropertyConnection Setting) {
    return SettingNames[Setting];
}

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
    static const TClassInfo& info = []() -> const TClassInfo& {
        TClassBuilder<T> b("TQxFrameController", &ComponentClassInfo());
        b.Property("Color", &T::Color, &T::SetColor, ColorTypeInfo())
            .Default(clWindow)
            .Stored([](const T* c) { return !c->ParentColor(); });
        PublishFrameSetting<fcpDisabledColor>(b);
        PublishFrameSetting<fcpReadOnlyColor>(b);
        PublishFrameSetting<fcpReadOnlyColorOnFocus>(b);
        PublishFrameSetting<fcpFlatButtonColor>(b);
        PublishFrameSetting<fcpFlatButtons>(b).Default(true);
        PublishFrameSetting<fcpFocusColor>(b);
        PublishFrameSetting<fcpFrameColor>(b);
        PublishFrameSetting<fcpFrameHotColor>(b);
        PublishFrameSetting<fcpFrameHotStyle>(b);
        PublishFrameSetting<fcpFrameHotTrack>(b);
        PublishFrameSetting<fcpFrameSides>(b);
        PublishFrameSetting<fcpFrameStyle>(b);
        PublishFrameSetting<fcpFrameVisible>(b);
        PublishFrameSetting<fcpFramingPreference>(b);
        return b.Property("ParentColor", &T::ParentColor, &T::SetParentColor)
            .Default(false)
            .Property("RegIniFile", &T::RegIniFile, &T::SetRegIniFile)
            .Register();
    }();
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

void DefineObsoleteFrameProperties(TFiler* Filer, TQxFrameSettings& S, std::function<void(bool)> SetHotTrack) {
    Filer->DefineProperty(
        "FrameFlat",
        [&S, SetHotTrack](TReader* R) {
            const bool flat = R->ReadBoolean();
            if (SetHotTrack)
                SetHotTrack(flat);
            else
                S.FrameHotTrack = flat;
            if (flat) {
                S.FrameStyle = fsStatus;
                S.FrameHotStyle = fsLowered;
            }
        },
        nullptr, false);
    Filer->DefineProperty(
        "FrameFocusStyle",
        [&S](TReader* R) {
            const Integer style = GetEnumValue(FrameStyleTypeInfo(), R->ReadIdent());
            if (style >= 0) S.FrameHotStyle = static_cast<TFrameStyle>(style);
        },
        nullptr, false);
    Filer->DefineProperty("FrameFlatStyle", TQxOldPropReader::SkipIdent, nullptr, false);
}

void TQxFrameController::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    DefineObsoleteFrameProperties(Filer, FSettings);
}

void TQxFrameController::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TQxFrameController*>(Source);
    if (!source) {
        TComponent::Assign(Source);
        return;
    }
    HoldUpdates();
    FColor = source->FColor;
    FParentColor = source->FParentColor;
    FSettings = source->FSettings;
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
    if (Operation != opRemove) return;
    if (AComponent == FRegIniFile) FRegIniFile = nullptr;
    // A control being freed that is still in the list leaves it here: the
    // list never holds a control that is gone. (A control merely taken out
    // of its owner stays registered.)
    if (FFrameList && AComponent->HasState(csDestroying))
        if (auto* control = dynamic_cast<TControl*>(AComponent)) UnregisterControl(control);
}

// ---------------------------------------------------------------- controls

void TQxFrameController::RegisterControl(TControl* Control) {
    if (!Control) return;
    if (!FFrameList) FFrameList = new TList;
    if (FFrameList->IndexOf(Control) >= 0) return;
    FFrameList->Add(Control);
    Control->FreeNotification(this);
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
            SetSetProp(Control, name, SetToString(SidesTypeInfo(), FSettings.FrameSides.ToInt()));
        return;
    }
    if (info->Kind() != tkInteger && info->Kind() != tkEnumeration) return;
    const TQxFrameSettings& v = FSettings;
    Int64 value = 0;
    switch (Property) {
    case fcpColor:
        value = FColor;
        break;
    case fcpParentColor:
        value = FParentColor;
        break;
    case fcpFocusColor:
        value = v.FocusColor;
        break;
    case fcpDisabledColor:
        value = v.DisabledColor;
        break;
    case fcpReadOnlyColor:
        value = v.ReadOnlyColor;
        break;
    case fcpReadOnlyColorOnFocus:
        value = v.ReadOnlyColorOnFocus;
        break;
    case fcpFlatButtonColor:
        value = v.FlatButtonColor;
        break;
    case fcpFlatButtons:
        value = v.FlatButtons;
        break;
    case fcpFrameColor:
        value = v.FrameColor;
        break;
    case fcpFrameHotColor:
        value = v.FrameHotColor;
        break;
    case fcpFrameHotTrack:
        value = v.FrameHotTrack;
        break;
    case fcpFrameHotStyle:
        value = v.FrameHotStyle;
        break;
    case fcpFrameStyle:
        value = v.FrameStyle;
        break;
    case fcpFrameVisible:
        value = v.FrameVisible;
        break;
    case fcpFramingPreference:
        value = v.FramingPreference;
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
    if (FColor == FSettings.FocusColor) FSettings.FocusColor = Value;
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
    Change(FSettings.FlatButtonColor, Value, fcpFlatButtonColor);
}

void TQxFrameController::SetFlatButtons(bool Value) {
    Change(FSettings.FlatButtons, Value, fcpFlatButtons);
}

void TQxFrameController::SetDisabledColor(TColor Value) {
    Change(FSettings.DisabledColor, Value, fcpDisabledColor);
}

void TQxFrameController::SetReadOnlyColor(TColor Value) {
    Change(FSettings.ReadOnlyColor, Value, fcpReadOnlyColor);
}

void TQxFrameController::SetReadOnlyColorOnFocus(bool Value) {
    Change(FSettings.ReadOnlyColorOnFocus, Value, fcpReadOnlyColorOnFocus);
}

void TQxFrameController::SetFocusColor(TColor Value) {
    Change(FSettings.FocusColor, Value, fcpFocusColor);
}

void TQxFrameController::SetFrameColor(TColor Value) {
    Change(FSettings.FrameColor, Value, fcpFrameColor);
}

void TQxFrameController::SetFrameHotColor(TColor Value) {
    Change(FSettings.FrameHotColor, Value, fcpFrameHotColor);
}

void TQxFrameController::SetFrameHotTrack(bool Value) {
    if (Value == FSettings.FrameHotTrack) return;
    FSettings.FrameHotTrack = Value;
    if (Value) {
        // Hot tracking shows on a visible frame all round.
        SetFrameVisible(true);
        if (!HasState(csLoading)) FSettings.FrameSides = AllSides;
    }
    PushSetting(fcpFrameHotTrack);
}

void TQxFrameController::SetFrameHotStyle(TFrameStyle Value) {
    Change(FSettings.FrameHotStyle, Value, fcpFrameHotStyle);
}

void TQxFrameController::SetFrameSides(TSides Value) {
    Change(FSettings.FrameSides, Value, fcpFrameSides);
}

void TQxFrameController::SetFrameStyle(TFrameStyle Value) {
    Change(FSettings.FrameStyle, Value, fcpFrameStyle);
}

void TQxFrameController::SetFrameVisible(bool Value) {
    Change(FSettings.FrameVisible, Value, fcpFrameVisible);
}

void TQxFrameController::SetFramingPreference(TFramingPreference Value) {
    Change(FSettings.FramingPreference, Value, fcpFramingPreference);
}

void TQxFrameController::SetRegIniFile(TQxRegIniFile* Value) {
    if (Value == FRegIniFile) return;
    FRegIniFile = Value;
    if (Value) Value->FreeNotification(this);
}
