// The desktop's opener, run against stand-in programs on PATH: the target
// reaches the opener as one argument whatever it holds, the call does not
// wait for the opener, an opener that cannot be started is reported with
// what to do, and the .htm handler is the program that the desktop entry
// named for text/html runs.
#include "platform/sys/Shell.h"
#include "tests/platform/sys/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

using testfiles::TScratchFolder;

void WriteScript(const std::string& Path, const std::string& Body) {
    std::ofstream(Path) << "#!/bin/sh\n" << Body;
    std::filesystem::permissions(Path, std::filesystem::perms::owner_all);
}

// Puts the folder first on PATH (with Alone, makes it the whole PATH) and
// the data home in it, for the test's life.
class TEnvironment {
public:
    explicit TEnvironment(const TScratchFolder& Folder, bool Alone = false)
        : FPath(std::getenv("PATH") ? std::getenv("PATH") : ""),
          FData(std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "") {
        ::setenv("PATH", (Folder.Path().string() + (Alone ? "" : ":" + FPath)).c_str(), 1);
        ::setenv("XDG_DATA_HOME", (Folder / "data").c_str(), 1);
    }
    ~TEnvironment() {
        ::setenv("PATH", FPath.c_str(), 1);
        if (FData.empty())
            ::unsetenv("XDG_DATA_HOME");
        else
            ::setenv("XDG_DATA_HOME", FData.c_str(), 1);
    }

private:
    std::string FPath, FData;
};

// Waits (without a time limit that means anything) for a file to appear.
bool Appears(const std::string& File) {
    for (int i = 0; i < 6000 && !std::filesystem::exists(File); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return std::filesystem::exists(File);
}

TEST(DesktopShellOpener, StartsTheOpenerWithTheTargetAsOneArgumentAndDoesNotWaitForIt) {
    const String odd = "mailto:a@b.example?subject=x; rm -rf $HOME `id`";
    struct {
        const char* What;
        std::string Opener; // what xdg-open does after noting its arguments; none: there is no xdg-open
        bool Opened;
        std::string Error;
    } cases[] = {
        // It ends only once the test has seen the call return (and gives
        // up after a minute, should the test not get there).
        {"an opener that stays until released",
         "n=0\nwhile [ ! -e \"$RELEASE\" ] && [ $n -lt 6000 ]; do sleep 0.01; n=$((n + 1)); done\n"
         "mv \"$RELEASE\" \"$RELEASE.taken\"\n",
         true, ""},
        // Its own failure is its own to show.
        {"an opener that fails once started", "exit 3\n", true, ""},
        {"no opener", "", false,
         "Could not start xdg-open: No such file or directory. "
         "Install the desktop's utilities (xdg-utils) to open links."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TScratchFolder folder;
        TEnvironment env(folder, c.Opener.empty());
        const std::string log = folder / "args", release = folder / "release";
        ::setenv("RELEASE", release.c_str(), 1);
        if (!c.Opener.empty())
            WriteScript(folder / "xdg-open",
                        "printf '%s|' \"$@\" > '" + log + ".new'\nmv '" + log + ".new' '" + log + "'\n" + c.Opener);
        String error;
        EXPECT_EQ(DesktopShellOpener()->Open(odd, error), c.Opened);
        EXPECT_EQ(error, c.Error);
        if (c.Opened) {
            ASSERT_TRUE(Appears(log));
            EXPECT_EQ(testfiles::ReadAll(log), odd + "|");
        }
        testfiles::WriteAll(release, "");
        if (c.Opener.find("RELEASE") != std::string::npos) {
            EXPECT_TRUE(Appears(release + ".taken")); // it ran on after the call had returned
        }
        ::unsetenv("RELEASE");
    }
}

TEST(DesktopShellOpener, HtmHandlerRunsTheDesktopEntryOfHtmlPages) {
    TScratchFolder folder;
    TEnvironment env(folder);
    const std::string log = folder / "args";
    String error;
    WriteScript(folder / "xdg-mime", "exit 0\n");
    EXPECT_FALSE(DesktopShellOpener()->OpenWithHtmHandler("x.htm", error));
    EXPECT_EQ(error, "The desktop names no program for .htm documents. Set a default web browser.");

    WriteScript(folder / "xdg-mime", "echo browser.desktop\n");
    WriteScript(folder / "browse", "printf '%s|' \"$@\" > '" + log + ".new'\nmv '" + log + ".new' '" + log + "'\n");
    std::filesystem::create_directories(folder / "data/applications");
    std::ofstream(folder / "data/applications/browser.desktop")
        << "[Desktop Entry]\nName=Browser\nExec=browse --new \"a b\" %U %i\n[Desktop Action x]\nExec=other\n";
    EXPECT_TRUE(DesktopShellOpener()->OpenWithHtmHandler("/tmp/page one.htm", error)) << error;
    ASSERT_TRUE(Appears(log));
    EXPECT_EQ(testfiles::ReadAll(log), "--new|a b|/tmp/page one.htm|");
}

} // namespace
