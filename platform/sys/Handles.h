#pragma once
// The objects behind HANDLE values (inside platform/sys only).

#include "platform/sys/Win32.h"

#include <memory>
#include <mutex>
#include <sys/types.h>

struct THandleObject {
    virtual ~THandleObject() = default;
    // Releases what the handle holds; false (last error set) on failure.
    virtual bool Close() { return true; }
};

struct TFileHandle final : THandleObject {
    explicit TFileHandle(int AFd) : Fd(AFd) {}
    bool Close() override;
    int Fd;
};

// A started program. The process handle and its thread handle share it.
class TProcessState {
public:
    TProcessState(pid_t APid, int APidFd) : FPid(APid), FPidFd(APidFd) {}
    ~TProcessState();
    TProcessState(const TProcessState&) = delete;
    TProcessState& operator=(const TProcessState&) = delete;

    pid_t Pid() const { return FPid; }
    DWORD Wait(DWORD Milliseconds);

private:
    bool TryReap(bool Block);
    std::mutex FLock;
    pid_t FPid;
    int FPidFd; // -1 where the system offers no process descriptors
    bool FEnded = false;
};

struct TProcessHandle final : THandleObject {
    explicit TProcessHandle(std::shared_ptr<TProcessState> AState) : State(std::move(AState)) {}
    std::shared_ptr<TProcessState> State;
};

// Sets the last error from errno and returns false.
bool FailWithErrno();
