// Guards undo their change on every way out of a scope, and an undo that
// raises while an exception is already on its way is reported, not lost.
#include "platform/rtl/Classes.h"
#include "platform/rtl/Guards.h"

#include <gtest/gtest.h>

namespace {

enum TProbeFlag { pfBusy, pfOther };

struct TProbeState {
    bool Flag = false;
    TSet<TProbeFlag> Flags{pfOther};
    TStringList List;
    int Cleanups = 0;
    int Released = 0;
};

// Makes every change the guards know and leaves normally or by an exception.
void ChangeAll(TProbeState& S, bool Fail) {
    TRestoreOnExit<bool> flag(S.Flag, true);
    TFlagGuard busy(S.Flags, pfBusy);
    TUpdateLock update(&S.List);
    TScopeExit cleanup([&S] { ++S.Cleanups; });
    TScopeExit released([&S] { ++S.Released; });
    S.List.Add("x");
    EXPECT_TRUE(S.Flag && S.Flags.Contains(pfBusy) && S.List.UpdateCount() == 1);
    if (Fail) throw EConvertError("failed");
    released.Release();
}

} // namespace

TEST(Guards, UndoTheirChangeOnEveryWayOut) {
    for (bool fail : {false, true}) {
        TProbeState s;
        int changes = 0;
        s.List.OnChange = [&](TObject*) { ++changes; };
        if (fail)
            EXPECT_THROW(ChangeAll(s, true), EConvertError);
        else
            ChangeAll(s, false);
        EXPECT_FALSE(s.Flag) << fail;
        EXPECT_EQ(s.Flags, TSet<TProbeFlag>{pfOther}) << fail;
        EXPECT_EQ(s.List.UpdateCount(), 0) << fail;
        EXPECT_EQ(changes, 1) << fail; // the list reported once, when the lock went
        EXPECT_EQ(s.Cleanups, 1) << fail;
        EXPECT_EQ(s.Released, fail ? 1 : 0) << fail;
    }
}

TEST(Guards, AnUndoThatRaisesRaisesUnlessAnExceptionIsAlreadyOnItsWay) {
    std::vector<String> handled;
    SetExceptionHandler([&](const std::exception& E) { handled.push_back(E.what()); });
    TStringList list;
    list.OnChange = [](TObject*) { throw EInvalidOperation("change handler failed"); };
    auto change = [&](bool Fail) {
        TUpdateLock update(&list);
        list.Add("x");
        if (Fail) throw EConvertError("change failed");
    };
    // The scope ends normally: the undo's exception is the one raised.
    EXPECT_THROW(change(false), EInvalidOperation);
    EXPECT_TRUE(handled.empty());
    // The scope ends by an exception: that one goes on, the undo's is handled.
    EXPECT_THROW(change(true), EConvertError);
    EXPECT_EQ(handled, (std::vector<String>{"change handler failed"}));
    EXPECT_EQ(list.UpdateCount(), 0);
    SetExceptionHandler(nullptr);
}
