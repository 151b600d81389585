#include "platform/sys/TestFiles.h"
#include "platform/sys/Win32.h"

#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using testfiles::ReadAll;
using testfiles::TScratchFolder;
using testfiles::WriteAll;

namespace {

// Starts a program, waits for it and closes its handles.
bool RunToEnd(const String& Program, const std::vector<String>& CommandLine, const String& Folder = "",
              BOOL InheritHandles = false, const std::vector<String>* Environment = nullptr) {
    STARTUPINFOW si{};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(Program, CommandLine, InheritHandles, 0, Environment, Folder, si, pi)) return false;
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(pi.hThread, 0), WAIT_OBJECT_0); // stays signalled
    EXPECT_TRUE(CloseHandle(pi.hProcess));
    EXPECT_TRUE(CloseHandle(pi.hThread));
    return true;
}

} // namespace

TEST(Processes, CommandLineFolderAndEnvironmentArriveAsGiven) {
    TScratchFolder dir;
    const std::string out = dir / "out";
    // The script prints its whole argument vector, one per line, then its folder and one variable.
    const String script = "printf '%s\\n' \"$0\" \"$@\" \"$(pwd)\" \"$PROBE\" > '" + out + "'";
    const std::vector<String> env{"PROBE=a b;c"};
    ASSERT_TRUE(RunToEnd("/bin/sh", {"/bin/sh", "-c", script, "first arg", "", "'\"*?$HOME"},
                         dir.Path().string(), false, &env));
    EXPECT_EQ(ReadAll(out), "first arg\n\n'\"*?$HOME\n" + dir.Path().string() + "\na b;c\n");
}

TEST(Processes, RelativeProgramNameMeansTheStartersFolder) {
    TScratchFolder dir;
    const String here = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDirectoryW("/bin"));
    // "./sh" is looked up in /bin, not in the new program's folder.
    const bool started = RunToEnd("./sh", {"sh", "-c", "pwd > out"}, dir.Path().string());
    SetCurrentDirectoryW(here);
    ASSERT_TRUE(started);
    EXPECT_EQ(ReadAll(dir / "out"), dir.Path().string() + "\n");
}

TEST(Processes, OnlyInheritedDescriptorsReachTheNewProgram) {
    TScratchFolder dir;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0); // not close-on-exec
    struct stat st {};
    ::fstat(fds[1], &st);
    const std::string pipe = "pipe:[" + std::to_string(st.st_ino) + "]";
    HANDLE file = CreateFileW(dir / "f", GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    // ls lists its own descriptors with what they lead to.
    const String list = "ls -l /proc/self/fd/ > ";
    ASSERT_TRUE(RunToEnd("/bin/sh", {"sh", "-c", list + "closed"}, dir.Path().string(), false));
    ASSERT_TRUE(RunToEnd("/bin/sh", {"sh", "-c", list + "inherited"}, dir.Path().string(), true));
    CloseHandle(file);
    ::close(fds[0]);
    ::close(fds[1]);
    const std::string closed = ReadAll(dir / "closed"), inherited = ReadAll(dir / "inherited");
    EXPECT_EQ(closed.find(pipe), std::string::npos) << closed;
    EXPECT_NE(inherited.find(pipe), std::string::npos) << inherited;
    // A file handle never goes to a new program.
    EXPECT_EQ(inherited.find("-> " + (dir / "f") + "\n"), std::string::npos) << inherited;
}

TEST(Processes, StartFailuresAreReported) {
    TScratchFolder dir;
    WriteAll(dir / "text.exe", "not a program\n");
    ::chmod((dir / "text.exe").c_str(), 0700);
    WriteAll(dir / "plain", "#!/bin/sh\n");
    const std::vector<std::pair<std::string, DWORD>> cases{
        {dir / "missing", ERROR_FILE_NOT_FOUND},
        {dir / "text.exe", ERROR_BAD_EXE_FORMAT},
        {dir / "plain", ERROR_ACCESS_DENIED}, // not executable (also for root)
    };
    for (const auto& [program, error] : cases) {
        SetLastError(0);
        EXPECT_FALSE(RunToEnd(program, {program}));
        EXPECT_EQ(GetLastError(), error) << program;
    }
    EXPECT_FALSE(RunToEnd("/bin/true", {"true"}, dir / "missing-folder"));
}

TEST(Processes, WaitWithTimeLimit) {
    STARTUPINFOW si{};
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW("/bin/sleep", {"sleep", "30"}, false, 0, nullptr, "", si, pi));
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(pi.hThread, 20), WAIT_TIMEOUT);
    ::kill(static_cast<pid_t>(pi.dwProcessId), SIGKILL);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(pi.hThread, INFINITE), WAIT_OBJECT_0);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}
