#include "platform/rtl/Clock.h"
#include "platform/rtl/EventLoop.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/Threads.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

class EventLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitEventLoop();
        ProcessMessages(); // start from an empty queue
    }
};

class TFnThread : public TThread {
public:
    explicit TFnThread(std::function<void(TFnThread*)> fn) : Fn(std::move(fn)) {}
    std::function<void(TFnThread*)> Fn;

protected:
    void Execute() override { Fn(this); }
};

} // namespace

TEST_F(EventLoopTest, PostedMessagesArriveInOrderAndDieWithTheirHandle) {
    std::vector<Cardinal> got;
    HWND wnd = AllocateHWnd([&](TMessage& m) { got.push_back(m.Msg + static_cast<Cardinal>(m.WParam)); });
    EXPECT_TRUE(PostMessage(wnd, WM_APP + 100, 1, 0));
    EXPECT_TRUE(PostMessage(wnd, WM_APP + 100, 2, 0));
    EXPECT_TRUE(got.empty()); // nothing happens before the loop runs
    ProcessMessages();
    EXPECT_EQ(got, (std::vector<Cardinal>{WM_APP + 101, WM_APP + 102}));

    PostMessage(wnd, WM_APP, 0, 0);
    DeallocateHWnd(wnd);
    ProcessMessages();
    EXPECT_EQ(got.size(), 2u);
    EXPECT_FALSE(PostMessage(wnd, WM_APP, 0, 0));
    EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(EventLoopTest, SendMessageReturnsTheResult) {
    HWND wnd = AllocateHWnd([](TMessage& m) { m.Result = static_cast<LRESULT>(m.WParam) * 2; });
    EXPECT_EQ(SendMessage(wnd, WM_USER, 21, 0), 42);
    LRESULT fromThread = 0;
    TFnThread t([&](TFnThread*) { fromThread = SendMessage(wnd, WM_USER, 5, 0); });
    t.Start();
    t.WaitFor(); // serves the call; the result is read after the thread has ended
    EXPECT_EQ(fromThread, 10);
    DeallocateHWnd(wnd);
    EXPECT_EQ(SendMessage(wnd, WM_USER, 5, 0), 0);
}

TEST_F(EventLoopTest, WaitMessageWakesForAMessageFromAnotherThread) {
    bool got = false;
    HWND wnd = AllocateHWnd([&](TMessage&) { got = true; });
    std::thread t([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostMessage(wnd, WM_APP, 0, 0);
    });
    Cardinal start = timeGetTime();
    while (!got && timeGetTime() - start < 5000) WaitMessage(5000);
    t.join();
    EXPECT_TRUE(got);
    EXPECT_LT(timeGetTime() - start, 4000u);
    DeallocateHWnd(wnd);
}

TEST_F(EventLoopTest, WaitMessageWithAManualClockAdvancesItWhenIdle) {
    TManualClock clock(100);
    TScopedClock use(&clock);
    EXPECT_FALSE(WaitMessage(3000));
    EXPECT_EQ(timeGetTime(), 3100u);
    EXPECT_FALSE(WaitMessage(0)); // a zero wait still runs the queue once
    EXPECT_EQ(timeGetTime(), 3100u);
}

TEST_F(EventLoopTest, ThrottledProcessingRunsMessagesAndSynchronisedCallsEveryTime) {
    // Only the window system is asked less often: whatever was posted or
    // handed over is run by every call, however close together.
    std::vector<WPARAM> got;
    HWND wnd = AllocateHWnd([&](TMessage& m) { got.push_back(m.WParam); });
    for (WPARAM i = 1; i <= 3; ++i) {
        ProcessMessages();
        PostMessage(wnd, WM_APP, i, 0);
        ProcessMessagesThrottled();
        EXPECT_EQ(got.size(), i);
    }
    DeallocateHWnd(wnd);

    int served = 0;
    TFnThread th([&](TFnThread* self) {
        for (int i = 0; i < 50; ++i)
            self->Synchronize([&] { served += IsGuiThread() ? 1 : 1000; });
    });
    th.Start();
    const Cardinal start = timeGetTime();
    while (!th.Finished() && timeGetTime() - start < 5000)
        ProcessMessagesThrottled();
    th.WaitFor();
    EXPECT_EQ(served, 50);
}

TEST_F(EventLoopTest, SynchronizeRunsOnTheGuiThreadAndReRaises) {
    bool ranOnGui = false;
    String error;
    TFnThread th([&](TFnThread* self) {
        self->Synchronize([&] { ranOnGui = IsGuiThread(); });
        try {
            self->Synchronize([] { throw EConvertError("bad"); });
        } catch (const EConvertError& e) {
            error = e.Message;
        }
    });
    th.Start();
    th.WaitFor(); // serves the synchronised calls while waiting
    EXPECT_TRUE(ranOnGui);
    EXPECT_EQ(error, "bad");
}

TEST_F(EventLoopTest, TerminateAndWaitForAThreadThatKeepsSynchronizing) {
    int calls = 0;
    bool terminated = false;
    auto* th = new TFnThread([&](TFnThread* self) {
        while (!self->Terminated()) self->Synchronize([&] { ++calls; });
    });
    th->OnTerminate = [&](TObject*) { terminated = IsGuiThread(); };
    th->Start();
    while (calls < 3) WaitMessage(1000);
    th->Terminate();
    th->WaitFor();
    EXPECT_TRUE(terminated);
    delete th;
}

TEST_F(EventLoopTest, UnhandledExceptionsGoToTheApplicationHandler) {
    String seen;
    SetExceptionHandler([&](const std::exception& e) { seen = e.what(); });
    HWND wnd = AllocateHWnd([](TMessage&) { throw EInvalidOperation("boom"); });
    PostMessage(wnd, WM_APP, 0, 0);
    ProcessMessages();
    EXPECT_EQ(seen, "boom");
    seen.clear();
    HandleException(EAbort("quiet"));
    EXPECT_EQ(seen, "");
    SetExceptionHandler(nullptr);
    DeallocateHWnd(wnd);
}

TEST_F(EventLoopTest, ExceptionsHandledOnOtherThreadsAreHandledOnTheGuiThread) {
    std::vector<String> seen;
    SetExceptionHandler([&](const std::exception& e) {
        const auto* ex = dynamic_cast<const Exception*>(&e);
        seen.push_back((ex ? ex->ClassName() : String("?")) + ": " + e.what() +
                       (IsGuiThread() ? "" : " (off the GUI thread)"));
    });
    TFnThread th([](TFnThread*) {
        try {
            throw EConvertError("caught");
        } catch (const std::exception& e) {
            HandleException(e);
        }
        HandleException(EInvalidOperation("never thrown"));
        HandleException(EAbort("quiet"));
        throw EListError("escaped from Execute");
    });
    th.Start();
    th.WaitFor();
    EXPECT_TRUE(seen.empty()); // nothing is handled on the thread itself
    ProcessMessages();
    EXPECT_EQ(seen, (std::vector<String>{"EConvertError: caught", "Exception: never thrown",
                                         "EListError: escaped from Execute"}));
    SetExceptionHandler(nullptr);
}
