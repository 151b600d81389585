#pragma once
// TQxControlLinks: the one place where a control of the library joins and
// leaves what it shares with others, its frame controller and the blink
// list; beside it the helpers that publish and store the frame settings
// (TQxFrameSettings) the controller pushes, and LinkImageList for a
// control that draws from an image list. A control embeds the settings and
// the links:
//
//   TFrameStyle FrameStyle() const { return FFrame.FrameStyle; }
//   virtual void SetFrameStyle(TFrameStyle Value) {
//       // Only stores while a form is read; afterwards stores and repaints.
//       if (StoreChanged(this, FFrame.FrameStyle, Value)) InvalidateFrame();
//   }
//   TQxFrameController* FrameController() const { return FLinks.Controller(); }
//   virtual void SetFrameController(TQxFrameController* V) { FLinks.SetController(V); }
//   TQxFrameControllerNotifications FrameControllerNotifications() const { return FLinks.Notifications(); }
//   void SetFrameControllerNotifications(TQxFrameControllerNotifications V) { FLinks.SetNotifications(V); }
//   void Loaded() override { TMemo::Loaded(); UpdateColors(); InvalidateFrame(); } // settles once
//   void Notification(TComponent* C, TOperation Op) override {
//       TMemo::Notification(C, Op);
//       FLinks.Notification(C, Op); // a removed controller is forgotten
//   }
//   TQxFrameSettings FFrame;
//   TQxControlLinks FLinks{this}; // the constructor may FLinks.JoinBlinkList(); leaves both on destruction
//
//   // ClassInfo: FrameController and FrameControllerNotifications, then the settings, each not
//   // stored while a controller governs it; blinking controls add the shared intervals.
//   PublishFrameController(b);
//   PublishFrameSettings<fcpFrameStyle, fcpFrameColor, fcpFocusColor>(b);
//   PublishBlinkIntervals(b);
//
// The controller pushes a setting by its published name through the
// control's own setter, so pushed values follow the same rule. As a
// backstop the controller and the blink list each ask a joining control for
// its free notification: a control freed without leaving never stays
// registered.

#include "controls/common/QxBlinkingControlsList.h"
#include "controls/common/QxFrameController.h"

#include <initializer_list>
#include <utility>

class TChangeLink;
class TCustomImageList;

class TQxControlLinks {
public:
    explicit TQxControlLinks(TControl* AControl) : FControl(AControl) {}
    ~TQxControlLinks() { Leave(); }
    TQxControlLinks(const TQxControlLinks&) = delete;
    TQxControlLinks& operator=(const TQxControlLinks&) = delete;

    TQxFrameController* Controller() const { return FController; }
    // Leaves the old controller, stores, asks the new one for its removal
    // notice and joins it, which pushes all its settings at once. There is
    // no equality test: setting the same controller again pushes all again.
    void SetController(TQxFrameController* Value);
    TQxFrameControllerNotifications Notifications() const { return FNotifications; }
    void SetNotifications(TQxFrameControllerNotifications Value) { FNotifications = Value; }
    // The control takes this setting from a controller.
    bool Accepts(TQxFrameControllerPropertyConnection Setting) const {
        return FNotifications.Contains(Setting);
    }
    // A controller is set and passes this setting on: the control's own value
    // is not written to form descriptions.
    bool Governs(TQxFrameControllerPropertyConnection Setting) const {
        return FController && Accepts(Setting);
    }

    // Registers the control with the blink list of the process (created when
    // there is none); Leave unregisters it and frees the list after the last.
    void JoinBlinkList();
    bool InBlinkList() const { return FInBlinkList; }

    // Leaves the controller and the blink list; the destructor calls it.
    void Leave();
    // For the control's Notification: a removed controller is left and
    // forgotten.
    void Notification(TComponent* AComponent, TOperation Operation);

private:
    TControl* FControl;
    TQxFrameController* FController = nullptr;
    TQxFrameControllerNotifications FNotifications = AllFrameControllerNotifications;
    bool FInBlinkList = false;
};

// Moves a control's change link from the image list in Images to Value,
// stores Value and asks it for its removal notice, as SetController does
// for a frame controller. The control's Notification clears Images through
// its setter when the list goes; the change link leaves its list by itself
// when it is destroyed.
void LinkImageList(TComponent* Control, TCustomImageList*& Images, TCustomImageList* Value, TChangeLink* Link);

// Stores a changed value into Field and answers whether the control should
// act on it now (repaint or lay out): true when the value changed and no
// form description is being read. While one is read setters only store, and
// the control settles in Loaded.
template <class V> bool StoreChanged(const TComponent* Control, V& Field, const V& Value) {
    if (Field == Value) return false;
    Field = Value;
    return !Control->HasState(csLoading);
}

// FrameHotTrack of a control that embeds S: hot tracking shows on a visible
// frame all round, so turning it on makes the frame visible through the
// control's own SetFrameVisible and, unless a form is being read, puts the
// frame on all four sides (stored only). Answers as StoreChanged.
template <class T> bool StoreFrameHotTrack(T* Control, TQxFrameSettings& S, bool Value) {
    if (S.FrameHotTrack == Value) return false;
    S.FrameHotTrack = Value;
    if (Value) {
        Control->SetFrameVisible(true);
        if (!Control->HasState(csLoading)) S.FrameSides = AllSides;
    }
    return !Control->HasState(csLoading);
}

// Publishes FrameController and FrameControllerNotifications (default all
// sixteen settings) through T's accessors of those names.
template <class T> TClassBuilder<T>& PublishFrameController(TClassBuilder<T>& B) {
    return B.Property("FrameController", &T::FrameController, &T::SetFrameController)
        .Property("FrameControllerNotifications", &T::FrameControllerNotifications,
                  &T::SetFrameControllerNotifications, FrameControllerNotificationsTypeInfo())
        .Default(AllFrameControllerNotifications.ToInt());
}

// A frame controller is set and passes Setting on to the control: the
// control's own value of every property the setting writes (whatever the
// property's name: a panel's BorderOuter takes FrameStyle) is not written
// to form descriptions. For the Stored rules of a control's ClassInfo.
template <class T>
bool FrameControllerGoverns(const T* Control, TQxFrameControllerPropertyConnection Setting) {
    return Control->FrameController() && Control->FrameControllerNotifications().Contains(Setting);
}
// The Stored rule of a property that Setting writes.
template <class T>
std::function<bool(const T*)> StoredUnlessGoverned(TQxFrameControllerPropertyConnection Setting) {
    return [Setting](const T* c) { return !FrameControllerGoverns(c, Setting); };
}

// The properties of T, already published, that a controller's setting
// writes when the control pulls it (a label's BorderOuter takes FrameStyle):
// each is, besides its own rule, stored only while no controller governs it.
template <class T>
TClassBuilder<T>& StoreUnlessGoverned(
    TClassBuilder<T>& B, std::initializer_list<std::pair<const char*, TQxFrameControllerPropertyConnection>> Written) {
    for (const auto& [name, setting] : Written) B.Qualify(name).AlsoStoredIf(StoredUnlessGoverned<T>(setting));
    return B;
}

// Publishes the listed settings through T's accessors of their names, each
// stored in form descriptions only while no controller governs it.
template <TQxFrameControllerPropertyConnection... Settings, class T>
TClassBuilder<T>& PublishFrameSettings(TClassBuilder<T>& B) {
    (PublishFrameSetting<Settings>(B).Stored(StoredUnlessGoverned<T>(Settings)), ...);
    return B;
}

// Publishes BlinkIntervalOff and BlinkIntervalOn (default 500 ms), which
// read and write the intervals of the shared blink list: setting them on one
// control changes the timing of every blinking control. For controls that
// joined the blink list in their constructor.
template <class T> TClassBuilder<T>& PublishBlinkIntervals(TClassBuilder<T>& B) {
    return B
        .Property(
            "BlinkIntervalOff", [](const T*) { return CurrentBlinkingControlsList().IntervalOff(); },
            [](T*, Word Value) { CurrentBlinkingControlsList().SetIntervalOff(Value); })
        .Default(500)
        .Property(
            "BlinkIntervalOn", [](const T*) { return CurrentBlinkingControlsList().IntervalOn(); },
            [](T*, Word Value) { CurrentBlinkingControlsList().SetIntervalOn(Value); })
        .Default(500);
}
