// The desktop's opener, run against stand-in programs on PATH: the target
// reaches the opener as one argument whatever it holds, a failing opener is
// reported with what to do, and the .htm handler is the program that the
// desktop entry named for text/html runs.
#include "platform/sys/Shell.h"
#include "tests/platform/sys/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using testfiles::TScratchFolder;

void WriteScript(const std::string& Path, const std::string& Body) {
    std::ofstream(Path) << "#!/bin/sh\n" << Body;
    std::filesystem::permissions(Path, std::filesystem::perms::owner_all);
}

// Puts the folder first on PATH and the data home in it, for the test's life.
class TEnvironment {
public:
    explicit TEnvironment(const TScratchFolder& Folder)
        : FPath(std::getenv("PATH") ? std::getenv("PATH") : ""),
          FData(std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "") {
        ::setenv("PATH", (Folder.Path().string() + ":" + FPath).c_str(), 1);
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

TEST(DesktopShellOpener, OpensTargetsAsOneArgumentAndReportsFailures) {
    TScratchFolder folder;
    TEnvironment env(folder);
    const std::string log = folder / "args";
    WriteScript(folder / "xdg-open", "printf '%s|' \"$@\" > '" + log + "'\ncase \"$1\" in *.missing) exit 3;; esac\n");
    String error;
    const String odd = "mailto:a@b.example?subject=x; rm -rf $HOME `id`";
    EXPECT_TRUE(DesktopShellOpener()->Open(odd, error)) << error;
    EXPECT_EQ(testfiles::ReadAll(log), odd + "|");
    EXPECT_FALSE(DesktopShellOpener()->Open("page.missing", error));
    EXPECT_EQ(error, "The desktop has no program that opens \"page.missing\" (xdg-open ended with status 3). "
                     "Set a default application for it.");
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
    WriteScript(folder / "browse", "printf '%s|' \"$@\" > '" + log + "'\n");
    std::filesystem::create_directories(folder / "data/applications");
    std::ofstream(folder / "data/applications/browser.desktop")
        << "[Desktop Entry]\nName=Browser\nExec=browse --new \"a b\" %U %i\n[Desktop Action x]\nExec=other\n";
    EXPECT_TRUE(DesktopShellOpener()->OpenWithHtmHandler("/tmp/page one.htm", error)) << error;
    EXPECT_EQ(testfiles::ReadAll(log), "--new|a b|/tmp/page one.htm|");
}

} // namespace
