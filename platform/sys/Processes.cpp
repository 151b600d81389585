#include "platform/sys/Handles.h"

#include "platform/rtl/SysUtils.h"

#include <chrono>
#include <climits>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// A descriptor that becomes readable when the process ends, so that a wait
// with a time limit blocks in poll instead of spinning; -1 where the system
// has none.
int OpenProcessDescriptor(pid_t pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    return -1;
#endif
}

std::vector<char*> PointerList(const std::vector<String>& Items) {
    std::vector<char*> list;
    list.reserve(Items.size() + 1);
    for (const String& item : Items)
        list.push_back(const_cast<char*>(item.c_str()));
    list.push_back(nullptr);
    return list;
}

// posix_spawn's settings, released with the object.
struct TSpawnSettings {
    TSpawnSettings() {
        ::posix_spawn_file_actions_init(&Actions);
        ::posix_spawnattr_init(&Attributes);
    }
    ~TSpawnSettings() {
        ::posix_spawn_file_actions_destroy(&Actions);
        ::posix_spawnattr_destroy(&Attributes);
    }
    TSpawnSettings(const TSpawnSettings&) = delete;
    TSpawnSettings& operator=(const TSpawnSettings&) = delete;
    posix_spawn_file_actions_t Actions;
    posix_spawnattr_t Attributes;
};

} // namespace

TProcessState::~TProcessState() {
    if (FPidFd >= 0) ::close(FPidFd);
}

bool TProcessState::TryReap(bool Block) {
    std::lock_guard<std::mutex> guard(FLock);
    while (!FEnded) {
        int status = 0;
        pid_t r = ::waitpid(FPid, &status, Block ? 0 : WNOHANG);
        if (r == FPid || (r < 0 && errno == ECHILD))
            FEnded = true;
        else if (r == 0 || errno != EINTR)
            break;
    }
    return FEnded;
}

DWORD TProcessState::Wait(DWORD Milliseconds) {
    if (TryReap(false)) return WAIT_OBJECT_0;
    if (Milliseconds == INFINITE) return TryReap(true) ? WAIT_OBJECT_0 : WAIT_FAILED;
    // A real wait for a real process: timed by the system's clock, not by the
    // program's replaceable one.
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(Milliseconds);
    for (;;) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0) return TryReap(false) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
        if (FPidFd >= 0) {
            pollfd pfd{FPidFd, POLLIN, 0};
            if (::poll(&pfd, 1, static_cast<int>(std::min<long long>(left, INT_MAX))) < 0 && errno != EINTR) {
                FailWithErrno();
                return WAIT_FAILED;
            }
        } else {
            ::usleep(1000);
        }
        if (TryReap(false)) return WAIT_OBJECT_0;
    }
}

namespace {

// Starts Program (ProgramFd: a descriptor of it that must stay open until
// the exec, or -1) as CreateProcessW describes.
BOOL Spawn(const String& Program, int ProgramFd, const std::vector<String>& CommandLine, BOOL InheritHandles,
           const std::vector<String>* Environment, const String& CurrentDirectory,
           PROCESS_INFORMATION& ProcessInformation) {
    TSpawnSettings settings;
    if (!CurrentDirectory.empty())
        ::posix_spawn_file_actions_addchdir_np(&settings.Actions, CurrentDirectory.c_str());
    if (!InheritHandles) {
        // Everything above the standard handles goes, but the program's own
        // descriptor, which is closed by the exec itself (close-on-exec).
        const int from = ProgramFd >= 3 ? ProgramFd + 1 : 3;
        for (int fd = 3; fd < ProgramFd; ++fd)
            ::posix_spawn_file_actions_addclose(&settings.Actions, fd);
        ::posix_spawn_file_actions_addclosefrom_np(&settings.Actions, from);
    }
    sigset_t all, none;
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    sigemptyset(&none);
    ::posix_spawnattr_setsigdefault(&settings.Attributes, &all);
    ::posix_spawnattr_setsigmask(&settings.Attributes, &none);
    ::posix_spawnattr_setflags(&settings.Attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    const std::vector<String> defaultArgs{Program};
    std::vector<char*> argv = PointerList(CommandLine.empty() ? defaultArgs : CommandLine);
    std::vector<char*> envp = Environment ? PointerList(*Environment) : std::vector<char*>();
    pid_t pid = 0;
    int rc = ::posix_spawn(&pid, Program.c_str(), &settings.Actions, &settings.Attributes, argv.data(),
                           Environment ? envp.data() : environ);
    if (rc != 0) {
        SetLastError(static_cast<DWORD>(rc));
        return false;
    }
    auto state = std::make_shared<TProcessState>(pid, OpenProcessDescriptor(pid));
    ProcessInformation.hProcess = new TProcessHandle(state);
    ProcessInformation.hThread = new TProcessHandle(state);
    ProcessInformation.dwProcessId = static_cast<DWORD>(pid);
    ProcessInformation.dwThreadId = static_cast<DWORD>(pid);
    return true;
}

} // namespace

BOOL CreateProcessW(const String& ApplicationName, const std::vector<String>& CommandLine,
                    BOOL InheritHandles, DWORD CreationFlags, const std::vector<String>* Environment,
                    const String& CurrentDirectory, const STARTUPINFOW& StartupInfo,
                    PROCESS_INFORMATION& ProcessInformation) {
    ProcessInformation = PROCESS_INFORMATION{};
    String program = ApplicationName.empty() && !CommandLine.empty() ? CommandLine.front() : ApplicationName;
    if (program.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    // A relative name means this program's current folder, not the new one's.
    if (program.front() != PathDelim) program = ExpandFileName(program);
    return Spawn(program, -1, CommandLine, InheritHandles, Environment, CurrentDirectory, ProcessInformation);
}

BOOL CreateProcessFromFileW(HANDLE ProgramFile, const std::vector<String>& CommandLine, BOOL InheritHandles,
                            DWORD CreationFlags, const std::vector<String>* Environment,
                            const String& CurrentDirectory, const STARTUPINFOW& StartupInfo,
                            PROCESS_INFORMATION& ProcessInformation) {
    ProcessInformation = PROCESS_INFORMATION{};
    auto* file = dynamic_cast<TFileHandle*>(ProgramFile == INVALID_HANDLE_VALUE ? nullptr : ProgramFile);
    if (!file || file->Fd < 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    // The exec opens the file the descriptor names, not a name in a folder.
    const String program = "/proc/self/fd/" + IntToStr(file->Fd);
    return Spawn(program, file->Fd, CommandLine, InheritHandles, Environment, CurrentDirectory,
                 ProcessInformation);
}

DWORD WaitForSingleObject(HANDLE Handle, DWORD Milliseconds) {
    auto* process = dynamic_cast<TProcessHandle*>(Handle == INVALID_HANDLE_VALUE ? nullptr : Handle);
    if (!process) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return process->State->Wait(Milliseconds);
}
