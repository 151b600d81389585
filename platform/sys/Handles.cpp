#include "platform/sys/Handles.h"

#include <ctime>
#include <unistd.h>

namespace {
thread_local DWORD gLastError = ERROR_SUCCESS;
} // namespace

DWORD GetLastError() {
    return gLastError;
}
void SetLastError(DWORD ErrorCode) {
    gLastError = ErrorCode;
}

bool FailWithErrno() {
    SetLastError(static_cast<DWORD>(errno));
    return false;
}

bool TFileHandle::Close() {
    // The descriptor is released even when close reports an error (a late
    // write failure), so the error is passed on but never retried.
    int fd = Fd;
    Fd = -1;
    if (::close(fd) == 0 || errno == EINTR) return true;
    return FailWithErrno();
}

BOOL CloseHandle(HANDLE Object) {
    if (!Object || Object == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    bool ok = Object->Close();
    delete Object;
    return ok;
}

BOOL QueryPerformanceCounter(Int64& PerformanceCount) {
    timespec ts{};
    if (::clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return FailWithErrno();
    PerformanceCount = static_cast<Int64>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
    return true;
}
