#include "platform/rtl/Clock.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace {

class TSystemClock : public TClock {
public:
    Cardinal Now() override {
        using namespace std::chrono;
        auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
        return static_cast<Cardinal>(static_cast<UInt64>(ms));
    }
    void Sleep(Cardinal Milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds)); }
};

TSystemClock gSystemClock;
std::atomic<TClock*> gClock{&gSystemClock};

} // namespace

TManualClock::TManualClock(Cardinal Start) : FTime(Start) {}

Cardinal TManualClock::Now() {
    std::lock_guard<std::mutex> g(FLock);
    return FTime;
}

void TManualClock::Sleep(Cardinal Milliseconds) {
    std::lock_guard<std::mutex> g(FLock);
    FTime += Milliseconds;
    FSlept += Milliseconds;
    ++FSleeps;
}

void TManualClock::Advance(Cardinal Milliseconds) {
    std::lock_guard<std::mutex> g(FLock);
    FTime += Milliseconds;
}

void TManualClock::Set(Cardinal Milliseconds) {
    std::lock_guard<std::mutex> g(FLock);
    FTime = Milliseconds;
}

UInt64 TManualClock::SleptTotal() const {
    std::lock_guard<std::mutex> g(FLock);
    return FSlept;
}

Cardinal TManualClock::SleepCount() const {
    std::lock_guard<std::mutex> g(FLock);
    return FSleeps;
}

TClock& Clock() { return *gClock.load(); }

void SetClock(TClock* AClock) { gClock.store(AClock ? AClock : &gSystemClock); }

TScopedClock::TScopedClock(TClock* AClock) : FPrevious(&Clock()) { SetClock(AClock); }
TScopedClock::~TScopedClock() { SetClock(FPrevious); }

Cardinal timeGetTime() { return Clock().Now(); }
void Sleep(Cardinal Milliseconds) { Clock().Sleep(Milliseconds); }
