// The launcher's main block run inside the test program, which carries the
// probe itself, so that the pause before the deletion can be watched.

#include "StarterRun.h"

#include "launcher/Launcher.h"
#include "platform/gui/boxes/MessageBoxes.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/SysUtils.h"
#include "platform/sys/Win32.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

namespace fs = std::filesystem;
using testfiles::TScratchFolder;

namespace {

// Notes, for every pause, whether the child's program file still existed.
class TWatchingClock : public TManualClock {
public:
    explicit TWatchingClock(std::string ARecord) : FRecord(std::move(ARecord)) {}
    void Sleep(Cardinal Milliseconds) override {
        TProbeRecord record = ReadProbeRecord(FRecord);
        const bool exists = record["exe"].size() == 1 && fs::exists(record["exe"][0]);
        Pauses.emplace_back(Milliseconds, exists);
        TManualClock::Sleep(Milliseconds);
    }
    std::vector<std::pair<Cardinal, bool>> Pauses;

private:
    std::string FRecord;
};

// Sets an environment variable for the lifetime of the object.
class TScopedEnv {
public:
    TScopedEnv(const char* Name, const std::string& Value) : FName(Name) {
        const char* old = std::getenv(Name);
        if (old) FOld = old;
        FHad = old != nullptr;
        ::setenv(Name, Value.c_str(), 1);
    }
    ~TScopedEnv() { FHad ? ::setenv(FName, FOld.c_str(), 1) : ::unsetenv(FName); }

private:
    const char* FName;
    std::string FOld;
    bool FHad;
};

// Limits the size of files this process writes, for the lifetime of the object.
class TScopedFileSizeLimit {
public:
    explicit TScopedFileSizeLimit(rlim_t Bytes) {
        ::getrlimit(RLIMIT_FSIZE, &FOld);
        FOldSignal = ::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
        rlimit limit{Bytes, FOld.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TScopedFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &FOld);
        ::signal(SIGXFSZ, FOldSignal);
    }

private:
    rlimit FOld{};
    void (*FOldSignal)(int) = nullptr;
};

} // namespace

// The launcher's messages go through the platform's boxes: no owner,
// caption "Error", one OK button; exit codes and files as without a display.
TEST(Launcher, MessagesAreBoxesOfNoOwnerWithCaptionErrorAndOK) {
    TScratchFolder work, temp;
    TScopedEnv output("STARTER_PROBE_OUTPUT", work / "record");
    const String here = GetCurrentDir();
    // An environment string longer than the system passes to a new program
    // (128 KiB) makes the start fail after the file was written.
    const std::string tooLong(200 * 1024, 'x');
    struct {
        const char* What;
        std::string TempFolder;
        rlim_t FileSizeLimit;
        bool CannotStart;
        Integer ExitCode;
        std::string TextStart;
    } cases[] = {
        {"no temporary folder", work / "missing", RLIM_INFINITY, false, 0, "Error #1"},
        {"the program does not fit", temp.Path().string(), 4096, false, 1,
         "Cannot write the program to " + temp / "Pelsor_"},
        {"the program cannot start", temp.Path().string(), RLIM_INFINITY, true, 0, "Error #2"},
    };
    for (const auto& c : cases) {
        TScopedEnv tmpdir("TMPDIR", c.TempFolder);
        TScriptedMessageBoxes boxes;
        Integer exitCode;
        {
            TScopedFileSizeLimit limit(c.FileSizeLimit);
            TScopedEnv environment("STARTER_TEST_PADDING", c.CannotStart ? tooLong : "");
            exitCode = RunEmbeddedApplication();
        }
        SetCurrentDirectoryW(here);
        EXPECT_EQ(exitCode, c.ExitCode) << c.What;
        ASSERT_EQ(boxes.Shown().size(), 1u) << c.What;
        const TMessageBoxRequest& box = boxes.Shown()[0];
        EXPECT_TRUE(box.Text.starts_with(c.TextStart)) << c.What << ": " << box.Text;
        EXPECT_EQ(box.Caption, "Error") << c.What;
        EXPECT_EQ(box.Owner, 0u) << c.What;
        EXPECT_EQ(box.DlgType, mtCustom) << c.What;
        ASSERT_EQ(box.Buttons.size(), 1u) << c.What;
        EXPECT_EQ(box.Buttons[0].Caption, "OK") << c.What;
        EXPECT_EQ(box.Buttons[0].Result, IDOK) << c.What;
        // Only the file of a program that could not start stays, as it was written.
        const std::set<std::string> left = testfiles::Names(temp.Path());
        ASSERT_EQ(left.size(), c.CannotStart ? 1u : 0u) << c.What;
        if (c.CannotStart) {
            EXPECT_EQ(testfiles::ReadAll(temp / *left.begin()), testfiles::ReadAll(STARTER_PROBE));
            fs::remove(temp / *left.begin());
        }
        EXPECT_FALSE(fs::exists(work / "record")) << c.What;
    }
}

TEST(Launcher, PausesAQuarterSecondAfterTheChildEndedThenDeletesItsFile) {
    TScratchFolder work, temp;
    TScopedEnv tmpdir("TMPDIR", temp.Path().string());
    TScopedEnv output("STARTER_PROBE_OUTPUT", work / "record");
    const String here = GetCurrentDir();
    TWatchingClock clock(work / "record");
    Integer exitCode;
    {
        TScopedClock scoped(&clock);
        exitCode = RunEmbeddedApplication();
    }
    const String cwd = GetCurrentDir();
    SetCurrentDirectoryW(here);

    EXPECT_EQ(exitCode, 0);
    const fs::path self = fs::canonical("/proc/self/exe");
    EXPECT_EQ(cwd, self.parent_path().string()); // the launcher moved to its own folder
    TProbeRecord record = ReadProbeRecord(work / "record");
    EXPECT_EQ(record["arg"], std::vector<std::string>{self.string()});
    EXPECT_EQ(clock.Pauses, (std::vector<std::pair<Cardinal, bool>>{{250, true}}));
    EXPECT_TRUE(testfiles::Names(temp.Path()).empty());
}

TEST(Launcher, RunsTheFileItWroteNeverWhatItsNameHoldsLater) {
    TScratchFolder work, temp;
    TScopedEnv output("STARTER_PROBE_OUTPUT", work / "record");
    const std::string probe = testfiles::ReadAll(STARTER_PROBE);
    const std::string path = temp / "Pelsor_1.exe";
    const std::string other = temp / "other";
    // Writes the probe under the launcher's name and takes its identity as
    // the launcher does, before closing it.
    auto write = [&] {
        HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_PROGRAM);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        FILE_ID_INFO id;
        EXPECT_TRUE(WriteFile(file, probe.data(), static_cast<DWORD>(probe.size()), nullptr));
        EXPECT_TRUE(GetFileIdInfo(file, id));
        CloseHandle(file);
        return id;
    };
    // Another file (here a program too) put under the name between the
    // close and the start: refused.
    const FILE_ID_INFO written = write();
    testfiles::WriteAll(other, probe);
    fs::permissions(other, fs::perms::owner_all);
    fs::rename(other, path);
    EXPECT_EQ(OpenWrittenProgram(path, written), INVALID_HANDLE_VALUE);
    fs::remove(path);
    EXPECT_EQ(OpenWrittenProgram(path, written), INVALID_HANDLE_VALUE);

    // Once opened, the file runs even when the name is taken over before the
    // start: here by a file that is no program at all.
    const FILE_ID_INFO ours = write();
    HANDLE program = OpenWrittenProgram(path, ours);
    ASSERT_NE(program, INVALID_HANDLE_VALUE);
    testfiles::WriteAll(other, "not a program\n");
    fs::rename(other, path);
    STARTUPINFOW startup{};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessFromFileW(program, {"probe", "one"}, false, 0, nullptr, work.Path().string(),
                                       startup, process));
    CloseHandle(program);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    TProbeRecord record = ReadProbeRecord(work / "record");
    EXPECT_EQ(record["arg"], (std::vector<std::string>{"probe", "one"}));
    EXPECT_EQ(record["cwd"], std::vector<std::string>{work.Path().string()});
    EXPECT_TRUE(record["fd"].empty()) << "descriptor " << record["fd"][0] << " reached the child";
}
