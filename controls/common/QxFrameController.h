#pragma once
// TQxFrameController: one set of frame and colour settings that every
// control naming it in its FrameController property follows.
//
// A setting is pushed to a control by published-property name ("Color",
// "FrameStyle", ...) through the control's own setter, so the control
// repaints as its setter does; a control that does not publish that name is
// skipped. Each control chooses what it accepts with its published set
// FrameControllerNotifications (all sixteen settings when it has none). A
// control that implements IQxFrameControllerNotification is instead told
// that something changed and reads the settings itself.

#include "controls/common/QxCommon.h"
#include "platform/gui/controls/Control.h"

class TFiler;
class TQxRegIniFile;

enum TQxFrameControllerProperty {
    fcpColor,
    fcpFocusColor,
    fcpDisabledColor,
    fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus,
    fcpParentColor,
    fcpFlatButtonColor,
    fcpFlatButtons,
    fcpFrameColor,
    fcpFrameHotColor,
    fcpFrameHotTrack,
    fcpFrameHotStyle,
    fcpFrameSides,
    fcpFrameStyle,
    fcpFrameVisible,
    fcpFramingPreference,
    fcpAll
};
// The sixteen settings without fcpAll.
using TQxFrameControllerPropertyConnection = TQxFrameControllerProperty;
// Bit n is setting n; stored as 16 bits, all set by default.
using TQxFrameControllerNotifications = TSet<TQxFrameControllerPropertyConnection>;
inline constexpr TQxFrameControllerNotifications AllFrameControllerNotifications =
    TQxFrameControllerNotifications::FromInt(0xFFFF);

enum TFramingPreference { fpCustomFraming, fpXPThemes };

// Published types: "TQxFrameControllerNotifications" (a set of the sixteen
// settings) and "TFramingPreference".
const TTypeInfo* FrameControllerNotificationsTypeInfo();
const TTypeInfo* FramingPreferenceTypeInfo();

// The published name of a setting ("Color", "FrameStyle", ...).
const char* FrameSettingName(TQxFrameControllerPropertyConnection Setting);

// The frame and colour settings a controller holds and pushes. A framed
// control embeds the same block for its own values (see QxControlLinks.h);
// the defaults are the published defaults of both.
struct TQxFrameSettings {
    TColor DisabledColor = clBtnFace;
    TColor FocusColor = clWindow;
    TColor ReadOnlyColor = clInfoBk;
    bool ReadOnlyColorOnFocus = false;
    TColor FlatButtonColor = clBtnFace;
    bool FlatButtons = false;
    TColor FrameColor = clBtnShadow;
    TColor FrameHotColor = clBtnShadow;
    bool FrameHotTrack = false;
    TFrameStyle FrameHotStyle = fsFlatBold;
    TSides FrameSides = AllSides;
    TFrameStyle FrameStyle = fsFlat;
    bool FrameVisible = false;
    TFramingPreference FramingPreference = fpXPThemes;

    friend bool operator==(const TQxFrameSettings&, const TQxFrameSettings&) = default;
};

// Publishes one frame setting of class T under its name, type and default:
// T has the setting's getter and setter under the setting's name
// (FrameStyle / SetFrameStyle). Color and ParentColor are not in the block;
// their owners publish them.
template <TQxFrameControllerPropertyConnection Setting, class T>
TClassBuilder<T>& PublishFrameSetting(TClassBuilder<T>& B) {
    const String name = FrameSettingName(Setting);
    constexpr TQxFrameSettings d;
    if constexpr (Setting == fcpFocusColor)
        B.Property(name, &T::FocusColor, &T::SetFocusColor, ColorTypeInfo()).Default(d.FocusColor);
    else if constexpr (Setting == fcpDisabledColor)
        B.Property(name, &T::DisabledColor, &T::SetDisabledColor, ColorTypeInfo()).Default(d.DisabledColor);
    else if constexpr (Setting == fcpReadOnlyColor)
        B.Property(name, &T::ReadOnlyColor, &T::SetReadOnlyColor, ColorTypeInfo()).Default(d.ReadOnlyColor);
    else if constexpr (Setting == fcpReadOnlyColorOnFocus)
        B.Property(name, &T::ReadOnlyColorOnFocus, &T::SetReadOnlyColorOnFocus)
            .Default(d.ReadOnlyColorOnFocus);
    else if constexpr (Setting == fcpFlatButtonColor)
        B.Property(name, &T::FlatButtonColor, &T::SetFlatButtonColor, ColorTypeInfo())
            .Default(d.FlatButtonColor);
    else if constexpr (Setting == fcpFlatButtons)
        B.Property(name, &T::FlatButtons, &T::SetFlatButtons).Default(d.FlatButtons);
    else if constexpr (Setting == fcpFrameColor)
        B.Property(name, &T::FrameColor, &T::SetFrameColor, ColorTypeInfo()).Default(d.FrameColor);
    else if constexpr (Setting == fcpFrameHotColor)
        B.Property(name, &T::FrameHotColor, &T::SetFrameHotColor, ColorTypeInfo()).Default(d.FrameHotColor);
    else if constexpr (Setting == fcpFrameHotTrack)
        B.Property(name, &T::FrameHotTrack, &T::SetFrameHotTrack).Default(d.FrameHotTrack);
    else if constexpr (Setting == fcpFrameHotStyle)
        B.Property(name, &T::FrameHotStyle, &T::SetFrameHotStyle, FrameStyleTypeInfo())
            .Default(d.FrameHotStyle);
    else if constexpr (Setting == fcpFrameSides)
        B.Property(name, &T::FrameSides, &T::SetFrameSides, SidesTypeInfo()).Default(d.FrameSides.ToInt());
    else if constexpr (Setting == fcpFrameStyle)
        B.Property(name, &T::FrameStyle, &T::SetFrameStyle, FrameStyleTypeInfo()).Default(d.FrameStyle);
    else if constexpr (Setting == fcpFrameVisible)
        B.Property(name, &T::FrameVisible, &T::SetFrameVisible).Default(d.FrameVisible);
    else if constexpr (Setting == fcpFramingPreference)
        B.Property(name, &T::FramingPreference, &T::SetFramingPreference, FramingPreferenceTypeInfo())
            .Default(d.FramingPreference);
    else
        static_assert(Setting != Setting, "Color and ParentColor are published by their owner");
    return B;
}

// Reads the obsolete stored names of the frame settings into S, for
// DefineProperties: "FrameFlat" (hot tracking; True also means the status
// style, lowered while hot), "FrameFocusStyle" (the hot style; a name that
// is no frame style keeps the current one) and "FrameFlatStyle" (dropped).
// SetHotTrack, when given, takes the hot tracking through the owner's own
// setter (a control's makes its frame visible too); else the field is set.
void DefineObsoleteFrameProperties(TFiler* Filer, TQxFrameSettings& S,
                                   std::function<void(bool)> SetHotTrack = nullptr);

// Implemented by controls that read the controller's settings themselves.
class IQxFrameControllerNotification {
public:
    virtual void FrameControllerChanged() = 0;

protected:
    ~IQxFrameControllerNotification() = default;
};

class TQxFrameController : public TComponent {
public:
    QUENTA_PUBLISHED
    explicit TQxFrameController(TComponent* AOwner);
    ~TQxFrameController() override;
    void BeforeDestruction() override;

    void DefineProperties(TFiler* Filer) override;
    void Assign(TPersistent* Source) override;
    void Loaded() override;

    // Called by a control's FrameController setter: the control joins the
    // list (once) and receives every setting at once. The controller also
    // asks for the control's free notification, so that a control freed
    // without leaving never stays in the list.
    void RegisterControl(TControl* Control);
    // Called by a control that leaves (destroyed, or another controller).
    void UnregisterControl(TControl* Control);
    // Pushes are held while updates are held; the last release pushes all.
    void HoldUpdates();
    void ReleaseUpdates();
    void PushAllSettings() { PushSetting(fcpAll); }
    virtual void PushSetting(TQxFrameControllerProperty Property);
    virtual void PushSettingTo(TObject* Object, TQxFrameControllerProperty Property);
    // The settings a control accepts.
    static TQxFrameControllerNotifications GetNotificationFilter(TObject* Object);
    Integer ControlCount() const { return FFrameList ? FFrameList->Count() : 0; }
    bool HasControlList() const { return FFrameList != nullptr; }
    Integer UpdateCount() const { return FUpdateCount; }

    TColor Color() const { return FColor; }
    virtual void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    virtual void SetParentColor(bool Value);
    TColor FlatButtonColor() const { return FSettings.FlatButtonColor; }
    virtual void SetFlatButtonColor(TColor Value);
    bool FlatButtons() const { return FSettings.FlatButtons; }
    virtual void SetFlatButtons(bool Value);
    TColor DisabledColor() const { return FSettings.DisabledColor; }
    virtual void SetDisabledColor(TColor Value);
    TColor ReadOnlyColor() const { return FSettings.ReadOnlyColor; }
    virtual void SetReadOnlyColor(TColor Value);
    bool ReadOnlyColorOnFocus() const { return FSettings.ReadOnlyColorOnFocus; }
    virtual void SetReadOnlyColorOnFocus(bool Value);
    TColor FocusColor() const { return FSettings.FocusColor; }
    virtual void SetFocusColor(TColor Value);
    TColor FrameColor() const { return FSettings.FrameColor; }
    virtual void SetFrameColor(TColor Value);
    TColor FrameHotColor() const { return FSettings.FrameHotColor; }
    virtual void SetFrameHotColor(TColor Value);
    bool FrameHotTrack() const { return FSettings.FrameHotTrack; }
    virtual void SetFrameHotTrack(bool Value);
    TFrameStyle FrameHotStyle() const { return FSettings.FrameHotStyle; }
    virtual void SetFrameHotStyle(TFrameStyle Value);
    TSides FrameSides() const { return FSettings.FrameSides; }
    virtual void SetFrameSides(TSides Value);
    TFrameStyle FrameStyle() const { return FSettings.FrameStyle; }
    virtual void SetFrameStyle(TFrameStyle Value);
    bool FrameVisible() const { return FSettings.FrameVisible; }
    virtual void SetFrameVisible(bool Value);
    TFramingPreference FramingPreference() const { return FSettings.FramingPreference; }
    virtual void SetFramingPreference(TFramingPreference Value);
    // The INI/registry store the controls may use; the controller keeps it
    // for them only.
    TQxRegIniFile* RegIniFile() const { return FRegIniFile; }
    virtual void SetRegIniFile(TQxRegIniFile* Value);

protected:
    // Forgets the store component when it goes, and a control that is freed
    // while still registered (a control normally leaves by itself).
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void WriteSetting(TControl* Control, TQxFrameControllerProperty Property);
    // Stores a changed setting and pushes it.
    template <class V> void Change(V& Field, V Value, TQxFrameControllerProperty Property);
    void FreeFrameList();

    Integer FUpdateCount = 0;
    TColor FColor = clWindow;
    bool FParentColor = false;
    TQxFrameSettings FSettings{.FlatButtons = true};
    TList* FFrameList = nullptr;
    TQxRegIniFile* FRegIniFile = nullptr;
};
