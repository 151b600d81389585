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

class TReader;

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
    // list (once) and receives every setting at once.
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
    TColor FlatButtonColor() const { return FFlatButtonColor; }
    virtual void SetFlatButtonColor(TColor Value);
    bool FlatButtons() const { return FFlatButtons; }
    virtual void SetFlatButtons(bool Value);
    TColor DisabledColor() const { return FDisabledColor; }
    virtual void SetDisabledColor(TColor Value);
    TColor ReadOnlyColor() const { return FReadOnlyColor; }
    virtual void SetReadOnlyColor(TColor Value);
    bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
    virtual void SetReadOnlyColorOnFocus(bool Value);
    TColor FocusColor() const { return FFocusColor; }
    virtual void SetFocusColor(TColor Value);
    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor Value);
    TColor FrameHotColor() const { return FFrameHotColor; }
    virtual void SetFrameHotColor(TColor Value);
    bool FrameHotTrack() const { return FFrameHotTrack; }
    virtual void SetFrameHotTrack(bool Value);
    TFrameStyle FrameHotStyle() const { return FFrameHotStyle; }
    virtual void SetFrameHotStyle(TFrameStyle Value);
    TSides FrameSides() const { return FFrameSides; }
    virtual void SetFrameSides(TSides Value);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    virtual void SetFrameStyle(TFrameStyle Value);
    bool FrameVisible() const { return FFrameVisible; }
    virtual void SetFrameVisible(bool Value);
    TFramingPreference FramingPreference() const { return FFramingPreference; }
    virtual void SetFramingPreference(TFramingPreference Value);
    // The INI/registry store the controls may use; the controller keeps it
    // for them only.
    TComponent* RegIniFile() const { return FRegIniFile; }
    virtual void SetRegIniFile(TComponent* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void ReadFrameFlat(TReader* Reader);
    void ReadFrameFocusStyle(TReader* Reader);
    void WriteSetting(TControl* Control, TQxFrameControllerProperty Property);
    // Stores a changed setting and pushes it.
    template <class V> void Change(V& Field, V Value, TQxFrameControllerProperty Property);
    void FreeFrameList();

    Integer FUpdateCount = 0;
    TColor FColor = clWindow;
    bool FParentColor = false;
    TColor FFlatButtonColor = clBtnFace;
    bool FFlatButtons = true;
    TColor FDisabledColor = clBtnFace;
    TColor FReadOnlyColor = clInfoBk;
    bool FReadOnlyColorOnFocus = false;
    TColor FFocusColor = clWindow;
    TColor FFrameColor = clBtnShadow;
    TColor FFrameHotColor = clBtnShadow;
    bool FFrameHotTrack = false;
    TFrameStyle FFrameHotStyle = fsFlatBold;
    TSides FFrameSides = AllSides;
    TFrameStyle FFrameStyle = fsFlat;
    bool FFrameVisible = false;
    TFramingPreference FFramingPreference = fpXPThemes;
    TList* FFrameList = nullptr;
    TComponent* FRegIniFile = nullptr;
};
