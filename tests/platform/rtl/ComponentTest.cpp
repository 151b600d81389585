#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Log {
    std::vector<String> Lines;
};

class TProbe : public TComponent {
public:
    TProbe(TComponent* AOwner, const String& AName, Log& ALog) : TComponent(AOwner), FLog(ALog) { SetName(AName); }
    ~TProbe() override { FLog.Lines.push_back("destroy " + Name()); }
    TComponent* Watched = nullptr;
    // Proves the object is still whole when notifications are delivered.
    virtual String Identity() const { return "probe " + Name(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove) {
            auto* probe = dynamic_cast<TProbe*>(AComponent);
            FLog.Lines.push_back(Name() + " sees removal of " + (probe ? probe->Identity() : AComponent->Name()));
            if (AComponent == Watched) Watched = nullptr;
        }
    }

private:
    Log& FLog;
};

} // namespace

TEST(Component, OwnerFreesItsComponentsLastFirst) {
    Log log;
    auto* owner = new TProbe(nullptr, "Owner", log);
    new TProbe(owner, "A", log);
    new TProbe(owner, "B", log);
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("b")->Name(), "B");
    owner->Free();
    std::vector<String> destroys;
    for (auto& l : log.Lines)
        if (l.rfind("destroy", 0) == 0) destroys.push_back(l);
    EXPECT_EQ(destroys, (std::vector<String>{"destroy B", "destroy A", "destroy Owner"}));
}

TEST(Component, FreeNotificationArrivesWhileTheComponentIsWhole) {
    Log log;
    auto* a = new TProbe(nullptr, "A", log);
    auto* b = new TProbe(nullptr, "B", log);
    b->Watched = a;
    a->FreeNotification(b);
    a->Free();
    EXPECT_EQ(b->Watched, nullptr);
    ASSERT_FALSE(log.Lines.empty());
    EXPECT_EQ(log.Lines.front(), "B sees removal of probe A");
    b->Free(); // must not notify the freed A
    EXPECT_EQ(log.Lines.back(), "destroy B");
}

TEST(Component, SiblingsHearOfRemovalThroughTheOwner) {
    Log log;
    auto* owner = new TProbe(nullptr, "Owner", log);
    auto* a = new TProbe(owner, "A", log);
    new TProbe(owner, "B", log);
    a->Free();
    EXPECT_EQ(owner->ComponentCount(), 1);
    bool bSaw = false;
    for (auto& l : log.Lines) bSaw |= l == "B sees removal of probe A";
    EXPECT_TRUE(bSaw);
    owner->Free();
}

TEST(Component, AnOwnerFreeingItsComponentsTellsTheSiblingsThatAskedOnly) {
    // B watches A, and A is freed first (last in, first out): B must hear of
    // it while the owner frees its components, or it keeps a dangling link.
    Log log;
    auto* owner = new TProbe(nullptr, "Owner", log);
    auto* b = new TProbe(owner, "B", log);
    auto* a = new TProbe(owner, "A", log);
    new TProbe(owner, "C", log);
    b->Watched = a;
    a->FreeNotification(b);
    owner->Free();
    bool bSawA = false, anyoneSawC = false;
    for (auto& l : log.Lines) {
        bSawA |= l == "B sees removal of probe A";
        anyoneSawC |= l.find("removal of probe C") != String::npos;
    }
    EXPECT_TRUE(bSawA);
    EXPECT_FALSE(anyoneSawC);
}

TEST(Component, NamesAreValidatedPerOwner) {
    Log log;
    auto* owner = new TProbe(nullptr, "Owner", log);
    new TProbe(owner, "Button1", log);
    auto* other = new TProbe(owner, "", log);
    EXPECT_THROW(other->SetName("button1"), EComponentError);
    EXPECT_THROW(other->SetName("1abc"), EComponentError);
    other->SetName("Button2");
    EXPECT_EQ(other->ComponentIndex(), 1);
    EXPECT_TRUE(owner->HasState(csLoading) == false);
    owner->SetLoadingState(true);
    EXPECT_TRUE(owner->HasState(csReading));
    owner->Loaded();
    EXPECT_FALSE(owner->HasState(csLoading));
    owner->Free();
}

TEST(Persistent, AssignBetweenUnrelatedClassesFailsClearly) {
    TStringList l;
    TList list;
    try {
        TComponent c(nullptr);
        l.Assign(&c);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a TComponent to a TStringList");
    }
}
