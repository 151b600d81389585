#pragma once
// Actions: one command that several controls share. An action holds what
// those controls show of it (caption, checked, enabled, hint, image,
// visible) and what runs when any of them is used (OnExecute).
//
// Each control that shows an action holds an action link, registered with
// the action. A change of the action goes to every link first (SetChecked,
// SetCaption, ...) and is stored in the action afterwards, so a link can
// still compare the client with the action's old value. A link passes a
// change on to its client only while the matching Is...Linked test holds:
// the client still shows what the action showed. Then OnChange fires on
// each link (the control's ActionChange).

#include "platform/gui/controls/Control.h"

#include <vector>

class TBasicActionLink;

class TBasicAction : public TComponent {
public:
    QUENTA_PUBLISHED
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    ~TBasicAction() override;

    // Runs OnExecute; false when it has none.
    virtual bool Execute();
    void RegisterChanges(TBasicActionLink* Value);
    void UnRegisterChanges(TBasicActionLink* Value);

    TNotifyEvent OnExecute;
    TNotifyEvent OnChange;

protected:
    // Tells every link (OnChange of each), then OnChange.
    virtual void Change();
    const std::vector<TBasicActionLink*>& Clients() const { return FClients; }

private:
    std::vector<TBasicActionLink*> FClients;
};

class TBasicActionLink : public TObject {
public:
    explicit TBasicActionLink(TObject* AClient) {}
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return FAction; }
    virtual void SetAction(TBasicAction* Value);
    // Runs the action for Target; false without an action.
    virtual bool Execute(TComponent* Target = nullptr);

    TNotifyEvent OnChange;

protected:
    friend class TBasicAction;
    virtual void AssignClient(TObject* AClient) {}
    virtual void Change();
    TBasicAction* FAction = nullptr;
};

class TCustomAction : public TBasicAction {
public:
    QUENTA_PUBLISHED
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

private:
    template <class V, class F> void Announce(V& Field, const V& Value, F TellLink);

    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    String FHint;
    Integer FImageIndex = -1;
    bool FVisible = true;
};

class TAction : public TCustomAction {
public:
    QUENTA_PUBLISHED
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// The action the application sends when its hint changes and no OnHint
// handler takes it: a control that shows hints (a status pane with
// AutoHint) executes it by showing Hint.
class THintAction : public TCustomAction {
public:
    explicit THintAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// A link that passes an action's properties on; the tests answer whether
// the action is one that has them.
class TActionLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;

protected:
    friend class TCustomAction;
    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsHintLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsVisibleLinked();
    virtual void SetCaption(const String& Value) {}
    virtual void SetChecked(bool Value) {}
    virtual void SetEnabled(bool Value) {}
    virtual void SetHint(const String& Value) {}
    virtual void SetImageIndex(Integer Value) {}
    virtual void SetVisible(bool Value) {}
};

// The link of a control: caption, enabled, hint and visible follow the
// action while the control still shows the action's value.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TObject* AClient);

protected:
    void AssignClient(TObject* AClient) override;
    bool IsCaptionLinked() override;
    bool IsEnabledLinked() override;
    bool IsHintLinked() override;
    bool IsVisibleLinked() override;
    void SetCaption(const String& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const String& Value) override;
    void SetVisible(bool Value) override;

    TControl* FClient = nullptr;
};

class TWinControlActionLink : public TControlActionLink {
public:
    using TControlActionLink::TControlActionLink;
};
