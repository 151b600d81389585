#include "platform/gui/controls/ActnList.h"
#include "platform/gui/controls/Published.h"

#include <algorithm>

// ================================================================ TBasicAction

TBasicAction::~TBasicAction() {
    // The links outlive the action: they only forget it.
    for (TBasicActionLink* link : FClients) link->FAction = nullptr;
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) {
    if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) FClients.push_back(Value);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) {
    std::erase(FClients, Value);
}

void TBasicAction::Change() {
    // A client may drop its link while told; tell a copy of the list.
    std::vector<TBasicActionLink*> clients = FClients;
    for (TBasicActionLink* link : clients)
        if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
    if (OnChange) OnChange(this);
}

// ================================================================ TBasicActionLink

TBasicActionLink::~TBasicActionLink() {
    if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
    if (Value == FAction) return;
    if (FAction) FAction->UnRegisterChanges(this);
    FAction = Value;
    if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent*) {
    return FAction && FAction->Execute();
}

void TBasicActionLink::Change() {
    if (OnChange) OnChange(FAction);
}

// ================================================================ TCustomAction

// The links hear of the new value while the action still holds the old one.
template <class V, class F> void TCustomAction::Announce(V& Field, const V& Value, F TellLink) {
    if (Field == Value) return;
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(Clients()))
        if (auto* l = dynamic_cast<TActionLink*>(link)) TellLink(l);
    Field = Value;
    Change();
}

void TCustomAction::SetCaption(const String& Value) {
    Announce(FCaption, Value, [&](TActionLink* l) { l->SetCaption(Value); });
}
void TCustomAction::SetChecked(bool Value) {
    Announce(FChecked, Value, [&](TActionLink* l) { l->SetChecked(Value); });
}
void TCustomAction::SetEnabled(bool Value) {
    Announce(FEnabled, Value, [&](TActionLink* l) { l->SetEnabled(Value); });
}
void TCustomAction::SetHint(const String& Value) {
    Announce(FHint, Value, [&](TActionLink* l) { l->SetHint(Value); });
}
void TCustomAction::SetImageIndex(Integer Value) {
    Announce(FImageIndex, Value, [&](TActionLink* l) { l->SetImageIndex(Value); });
}
void TCustomAction::SetVisible(bool Value) {
    Announce(FVisible, Value, [&](TActionLink* l) { l->SetVisible(Value); });
}

// ================================================================ TActionLink

bool TActionLink::IsCaptionLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TActionLink::IsCheckedLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TActionLink::IsEnabledLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TActionLink::IsHintLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TActionLink::IsImageIndexLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TActionLink::IsVisibleLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }

// ================================================================ TControlActionLink

TControlActionLink::TControlActionLink(TObject* AClient) : TActionLink(AClient) {
    TControlActionLink::AssignClient(AClient);
}

void TControlActionLink::AssignClient(TObject* AClient) {
    FClient = dynamic_cast<TControl*>(AClient);
}

bool TControlActionLink::IsCaptionLinked() {
    return TActionLink::IsCaptionLinked() && FClient->Caption() == static_cast<TCustomAction*>(FAction)->Caption();
}
bool TControlActionLink::IsEnabledLinked() {
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == static_cast<TCustomAction*>(FAction)->Enabled();
}
bool TControlActionLink::IsHintLinked() {
    return TActionLink::IsHintLinked() && FClient->Hint() == static_cast<TCustomAction*>(FAction)->Hint();
}
bool TControlActionLink::IsVisibleLinked() {
    return TActionLink::IsVisibleLinked() && FClient->Visible() == static_cast<TCustomAction*>(FAction)->Visible();
}
void TControlActionLink::SetCaption(const String& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHint(const String& Value) {
    if (IsHintLinked()) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}

// ================================================================ published

const TClassInfo& TBasicAction::ClassInfo() {
    using T = TBasicAction;
    static const TClassInfo& info =
        TClassBuilder<T>("TBasicAction", &ComponentClassInfo()).Event("OnExecute", &T::OnExecute).Register();
    return info;
}

const TClassInfo& TCustomAction::ClassInfo() {
    using T = TCustomAction;
    static const TClassInfo& info = TClassBuilder<T>("TCustomAction", &TBasicAction::ClassInfo())
                                        .Property("Caption", &T::Caption, &T::SetCaption)
                                        .Property("Checked", &T::Checked, &T::SetChecked)
                                        .Default(false)
                                        .Property("Enabled", &T::Enabled, &T::SetEnabled)
                                        .Default(true)
                                        .Property("Hint", &T::Hint, &T::SetHint)
                                        .Property("ImageIndex", &T::ImageIndex, &T::SetImageIndex)
                                        .Default(-1)
                                        .Property("Visible", &T::Visible, &T::SetVisible)
                                        .Default(true)
                                        .Register();
    return info;
}

const TClassInfo& TAction::ClassInfo() {
    static const TClassInfo& info =
        TClassBuilder<TAction>("TAction", &TCustomAction::ClassInfo()).Register();
    return info;
}
