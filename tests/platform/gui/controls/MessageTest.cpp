// Messages: dispatch to handlers with inherited handling, window procedures,
// broadcasts, posted and sent messages, and the notifications that setters
// send down the control tree.
#include "tests/platform/gui/controls/ControlProbes.h"

using namespace probes;

namespace {

constexpr Cardinal QM_GETBLINKING = 0xB3E8;
constexpr Cardinal QM_BLINK = 0xB3E9;

// Handles two private messages; everything else is inherited.
class TBlinker : public TWinProbe {
public:
    using TWinProbe::TWinProbe;
    bool Blinking = true;
    std::vector<WPARAM> Phases;
    void Dispatch(TMessage& Message) override {
        switch (Message.Msg) {
        case QM_GETBLINKING:
            Message.Result = Blinking ? 1 : 0;
            break;
        case QM_BLINK:
            Phases.push_back(Message.WParam);
            break;
        case WM_APP + 100:
            Note(this, "app " + IntToStr(static_cast<Int64>(Message.WParam)));
            break;
        default:
            TWinProbe::Dispatch(Message);
            break;
        }
    }
};

class Messages : public FormTest {};

TEST_F(Messages, PerformReachesTheClassHandlerAndInheritsTheRest) {
    auto* b = Make<TBlinker>(Form, "B", {0, 0, 50, 20});
    EXPECT_EQ(b->Perform(QM_GETBLINKING), 1);
    b->Blinking = false;
    EXPECT_EQ(b->Perform(QM_GETBLINKING), 0);
    b->Perform(QM_BLINK, 1);
    EXPECT_EQ(b->Phases, std::vector<WPARAM>{1});
    // Unhandled here, handled by the base: the hit test answers "client".
    EXPECT_EQ(b->Perform(CM_HITTEST, 0, PointToLParam({1, 1})), HTCLIENT);

    // A replaced window procedure sees every message first and may pass it on.
    std::vector<Cardinal> seen;
    TWndMethod old = b->WindowProc;
    b->WindowProc = [&](TMessage& M) {
        seen.push_back(M.Msg);
        if (M.Msg != QM_BLINK) old(M);
    };
    b->Perform(QM_BLINK, 0);
    EXPECT_EQ(b->Perform(QM_GETBLINKING), 0);
    EXPECT_EQ(seen, (std::vector<Cardinal>{QM_BLINK, QM_GETBLINKING}));
    EXPECT_EQ(b->Phases.size(), 1u);
    b->WindowProc = old;
}

TEST_F(Messages, PostedAndSentMessagesReachTheWindow) {
    ShowForm();
    auto* b = Make<TBlinker>(Form, "B", {0, 0, 50, 20});
    HWND h = b->Handle();
    Log().clear();
    EXPECT_EQ(SendMessage(h, QM_GETBLINKING, 0, 0), 1);
    EXPECT_TRUE(PostMessage(h, WM_APP + 100, 7, 0));
    EXPECT_TRUE(Log().empty()); // not before the loop runs
    Application->ProcessMessages();
    EXPECT_EQ(Log(), Entries({"B:app 7"}));
    // A freed window's queued messages are dropped.
    PostMessage(h, WM_APP + 100, 8, 0);
    b->Free();
    Application->ProcessMessages();
    EXPECT_EQ(Log(), Entries({"B:app 7"}));
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(Messages, BroadcastStopsAtTheFirstAnswer) {
    auto* a = Make<TWinProbe>(Form, "A", {0, 0, 10, 10});
    auto* b = Make<TWinProbe>(Form, "B", {0, 0, 10, 10});
    auto* c = Make<TWinProbe>(Form, "C", {0, 0, 10, 10});
    b->DialogKey = VK_RETURN;
    Log().clear();
    TMessage m = MakeMessage(CM_DIALOGKEY, VK_RETURN);
    Form->Broadcast(m);
    EXPECT_EQ(m.Result, 1);
    EXPECT_EQ(Log(), Entries({"A:CM_DIALOGKEY", "B:CM_DIALOGKEY"}));
    (void)a;
    (void)c;
}

TEST_F(Messages, ColourAndFontFollowTheParentUntilSetOwn) {
    auto* panel = Make<TWinProbe>(Form, "Panel", {0, 0, 100, 100});
    auto* inner = Make<TGraphicProbe>(panel, "Inner", {0, 0, 10, 10});
    auto* own = Make<TGraphicProbe>(panel, "Own", {0, 0, 10, 10});
    own->SetColor(clRed);
    EXPECT_FALSE(own->ParentColor());
    EXPECT_TRUE(inner->ParentColor());
    Log().clear();

    panel->SetColor(clLime);
    EXPECT_EQ(inner->Color(), clLime);
    EXPECT_TRUE(inner->ParentColor()); // following the parent is not a colour of its own
    EXPECT_EQ(own->Color(), clRed);
    EXPECT_EQ(Log(), Entries({"Panel:CM_COLORCHANGED", "Inner:CM_PARENTCOLORCHANGED", "Inner:CM_COLORCHANGED",
                              "Own:CM_PARENTCOLORCHANGED"}));
    panel->SetColor(clLime); // unchanged: nothing
    EXPECT_EQ(Log().size(), 4u);

    // Back to following: takes the parent's colour at once.
    own->SetParentColor(true);
    EXPECT_EQ(own->Color(), clLime);

    panel->Font()->SetSize(14);
    EXPECT_EQ(inner->Font()->Size(), 14);
    EXPECT_TRUE(inner->ParentFont());
    inner->Font()->SetStyle({fsBold});
    EXPECT_FALSE(inner->ParentFont());
    panel->Font()->SetSize(9);
    EXPECT_EQ(inner->Font()->Size(), 14);
}

TEST_F(Messages, TextEnabledAndVisibilityNotify) {
    auto* p = Make<TWinProbe>(Form, "P", {0, 0, 10, 10});
    Log().clear();
    p->SetCaption("Go");
    p->SetText("Go");
    EXPECT_EQ(p->Text(), "Go");
    p->SetEnabled(false);
    p->SetEnabled(false);
    p->SetVisible(false);
    EXPECT_EQ(Log(), Entries({"P:CM_TEXTCHANGED", "P:CM_ENABLEDCHANGED", "P:CM_VISIBLECHANGED"}));
}

TEST_F(Messages, ShowingFollowsEveryParentAndTheHandleComesWithIt) {
    auto* panel = Make<TWinProbe>(Form, "Panel", {0, 0, 100, 100});
    auto* child = Make<TWinProbe>(panel, "Child", {0, 0, 10, 10});
    EXPECT_FALSE(child->Showing());
    EXPECT_FALSE(child->HandleAllocated());
    ShowForm();
    EXPECT_TRUE(child->Showing());
    EXPECT_TRUE(child->HandleAllocated());
    Log().clear();
    panel->Hide();
    EXPECT_FALSE(child->Showing());
    EXPECT_TRUE(child->Visible());
    EXPECT_EQ(Log(),
              Entries({"Panel:CM_VISIBLECHANGED", "Panel:CM_SHOWINGCHANGED", "Child:CM_SHOWINGCHANGED"}));
    panel->Show();
    EXPECT_TRUE(child->Showing());

    // A control without a form has no window to live in.
    TWinProbe orphan(nullptr);
    EXPECT_THROW(orphan.Handle(), EInvalidOperation);
}

TEST_F(Messages, ANameThatIsTheCaptionCarriesTheCaptionAlong) {
    auto* p = Make<TWinProbe>(Form, "", {0, 0, 10, 10});
    p->SetName("Button1");
    EXPECT_EQ(p->Caption(), "Button1");
    p->SetName("OkButton");
    EXPECT_EQ(p->Caption(), "OkButton");
    p->SetCaption("OK");
    p->SetName("Ok2");
    EXPECT_EQ(p->Caption(), "OK");
}

} // namespace
