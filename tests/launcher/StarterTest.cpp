// The launcher program run as a user runs it, with a private temporary folder.

#include "StarterRun.h"

#include "launcher/Launcher.h"

#include <gtest/gtest.h>

#include <regex>
#include <unistd.h>

namespace fs = std::filesystem;
using testfiles::Names;
using testfiles::ReadAll;
using testfiles::TScratchFolder;
using testfiles::WriteAll;

namespace {

class StarterTest : public testing::Test {
protected:
    TScratchFolder Work; // records and captured output
    TScratchFolder Temp; // the launcher's temporary folder
    std::map<std::string, std::string> Env{{"TMPDIR", Temp.Path().string()},
                                           {"STARTER_PROBE_OUTPUT", Work / "record"}};

    TRunResult Run(const std::string& Program = STARTER, const std::vector<std::string>& Args = {},
                   rlim_t FileSizeLimit = RLIM_INFINITY) {
        return TStartedProgram(Program, Args, Env, Work.Path().string(), FileSizeLimit).Wait();
    }
    TProbeRecord Record(const std::string& Name = "record") { return ReadProbeRecord(Work / Name); }
    // The name the launcher draws first for a given seed.
    std::string FirstName(std::uint32_t Seed) {
        Env["STARTER_RANDSEED"] = std::to_string(Seed);
        RandSeed = Seed;
        return Temp / TempProgramName();
    }
};

} // namespace

TEST_F(StarterTest, RunsTheCarriedProgramFromTheLauncherFolderWithTheLauncherPathAlone) {
    Env["STARTER_PROBE_EXIT"] = "7"; // the child's exit code is not passed on
    const TRunResult run = Run(STARTER, {"--not-passed", "two words"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out + run.Err, "");

    const fs::path starter = fs::canonical(STARTER);
    TProbeRecord record = Record();
    EXPECT_EQ(record["arg"], std::vector<std::string>{starter.string()});
    EXPECT_EQ(record["cwd"], std::vector<std::string>{starter.parent_path().string()});
    ASSERT_EQ(record["exe"].size(), 1u);
    const fs::path exe = record["exe"][0];
    EXPECT_EQ(exe.parent_path(), Temp.Path());
    std::smatch number;
    const std::string name = exe.filename().string();
    ASSERT_TRUE(std::regex_match(name, number, std::regex("Pelsor_(0|[1-9][0-9]{0,9})\\.exe"))) << name;
    EXPECT_LE(std::stoll(number[1]), 2147483646);
    EXPECT_EQ(record["mode"], std::vector<std::string>{"700"});
    EXPECT_TRUE(record["fd"].empty()) << "descriptor " << record["fd"][0] << " reached the child";
    EXPECT_TRUE(Names(Temp.Path()).empty()); // the program is deleted after it ended
}

TEST_F(StarterTest, LauncherPathWithBlanksAndQuotesReachesTheChildUnchanged) {
    const fs::path folder = Work.Path() / "my tools 'v2' \"x\"";
    fs::create_directory(folder);
    const fs::path copy = folder / "Starter copy";
    fs::copy_file(STARTER, copy);
    ASSERT_EQ(Run(copy.string()).ExitCode, 0);
    TProbeRecord record = Record();
    EXPECT_EQ(record["arg"], std::vector<std::string>{copy.string()});
    EXPECT_EQ(record["cwd"], std::vector<std::string>{folder.string()});
}

TEST_F(StarterTest, OwnLeftoverUnderTheChosenNameIsReplaced) {
    const std::string name = FirstName(12345);
    WriteAll(name, "left over by an earlier run");
    ASSERT_EQ(Run().ExitCode, 0);
    EXPECT_EQ(Record()["exe"], std::vector<std::string>{name});
    EXPECT_TRUE(Names(Temp.Path()).empty());
}

TEST_F(StarterTest, NameHeldByALinkOrAnotherUsersFileIsLeftAloneAndAnotherIsDrawn) {
    const std::string victim = Work / "victim";
    WriteAll(victim, "precious");
    fs::create_symlink(victim, FirstName(777));
    if (::geteuid() == 0) { // only root can give a file away; then the second name is held too
        const std::string second = Temp / TempProgramName();
        WriteAll(second, "someone else's");
        ASSERT_EQ(::chown(second.c_str(), 65534, 65534), 0);
    }
    const std::set<std::string> before = Names(Temp.Path());

    ASSERT_EQ(Run().ExitCode, 0);
    ASSERT_EQ(Record()["exe"].size(), 1u);
    const std::string used = Record()["exe"][0];
    EXPECT_EQ(before.count(fs::path(used).filename().string()), 0u) << used;
    EXPECT_EQ(Names(Temp.Path()), before);
    EXPECT_EQ(ReadAll(victim), "precious");
}

TEST_F(StarterTest, TemporaryFolderThatCannotTakeTheFileShowsError1) {
    std::vector<std::string> folders{Work / "missing", Work / "a-file"};
    WriteAll(Work / "a-file", "");
    if (::geteuid() != 0) { // root writes into any folder
        fs::create_directory(Work / "read-only");
        fs::permissions(Work / "read-only", fs::perms::owner_read | fs::perms::owner_exec);
        folders.push_back(Work / "read-only");
    }
    for (const std::string& folder : folders) {
        Env["TMPDIR"] = folder;
        const TRunResult run = Run();
        EXPECT_EQ(run.ExitCode, 0) << folder;
        EXPECT_EQ(run.Err, "Error: Error #1\n") << folder;
        EXPECT_FALSE(fs::exists(Work / "record")) << folder;
    }
}

TEST_F(StarterTest, WithoutADisplayThatAnswersMessagesGoToStandardErrorAlone) {
    Env["TMPDIR"] = Work / "missing";
    const std::pair<const char*, std::map<std::string, std::string>> cases[] = {
        {"offscreen platform", {{"QT_QPA_PLATFORM", "offscreen"}}},
        {"no display named", {{"QT_QPA_PLATFORM", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}},
        {"X display that does not answer", {{"QT_QPA_PLATFORM", ""}, {"DISPLAY", ":9987"}, {"WAYLAND_DISPLAY", ""}}},
        {"Wayland display that does not answer",
         {{"QT_QPA_PLATFORM", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", "quenta-no-display"}}},
        {"chosen platform that does not answer", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":9987"}}},
    };
    for (const auto& [what, display] : cases) {
        for (const auto& [key, value] : display) Env[key] = value;
        const TRunResult run = Run();
        EXPECT_EQ(run.ExitCode, 0) << what;
        EXPECT_EQ(run.Out, "") << what;
        EXPECT_EQ(run.Err, "Error: Error #1\n") << what;
    }
}

TEST_F(StarterTest, ProgramThatCannotStartShowsError2AndStays) {
    const TRunResult run = Run(STARTER_NOT_PROGRAM);
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Err, "Error: Error #2\n");
    const std::set<std::string> left = Names(Temp.Path());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(ReadAll(Temp / *left.begin()), ReadAll(NOT_A_PROGRAM));
}

TEST_F(StarterTest, LauncherWithoutProgramEndsSilently) {
    const TRunResult run = Run(STARTER_EMPTY);
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out + run.Err, "");
    EXPECT_TRUE(Names(Temp.Path()).empty());
}

TEST_F(StarterTest, DamagedStreamOrFailedWriteEndsWithCode1AndLeavesNothing) {
    // The message says what failed, then why.
    const struct {
        const char* Program;
        rlim_t FileSizeLimit;
        std::string Start, End;
    } cases[] = {
        {STARTER_TRUNCATED, RLIM_INFINITY, "Error: Cannot unpack the program: buffer error\n", ""},
        {STARTER_TRAILING, RLIM_INFINITY, "Error: Cannot unpack the program: data error\n", ""},
        {STARTER, 4096, "Error: Cannot write the program to " + Temp / "Pelsor_", ": File too large\n"},
    };
    for (const auto& c : cases) {
        const TRunResult run = Run(c.Program, {}, c.FileSizeLimit);
        EXPECT_EQ(run.ExitCode, 1) << c.Program;
        EXPECT_TRUE(run.Err.starts_with(c.Start) && run.Err.ends_with(c.End)) << run.Err;
        EXPECT_TRUE(Names(Temp.Path()).empty()) << c.Program;
        EXPECT_FALSE(fs::exists(Work / "record")) << c.Program;
    }
}

TEST_F(StarterTest, TwoLaunchersAtOnceUseTwoNames) {
    Env["STARTER_PROBE_HOLD"] = Work / "release";
    Env["STARTER_PROBE_OUTPUT"] = Work / "record1";
    TStartedProgram first(STARTER, {}, Env, Work.Path().string());
    Env["STARTER_PROBE_OUTPUT"] = Work / "record2";
    TStartedProgram second(STARTER, {}, Env, Work.Path().string());

    const bool bothRunning = WaitForFile(Work / "record1") && WaitForFile(Work / "record2");
    WriteAll(Work / "release", "");
    EXPECT_EQ(first.Wait().ExitCode, 0);
    EXPECT_EQ(second.Wait().ExitCode, 0);
    ASSERT_TRUE(bothRunning);

    const auto one = Record("record1")["exe"], two = Record("record2")["exe"];
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(two.size(), 1u);
    EXPECT_NE(one[0], two[0]);
    EXPECT_TRUE(Names(Temp.Path()).empty());
}
