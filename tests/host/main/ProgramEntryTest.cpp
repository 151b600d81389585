// The program's start-up file check and the main block's answer to a
// missing file.
#include "host/main/ProgramEntry.h"
#include "platform/gui/controls/Dialogs.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class StartupFiles : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = std::filesystem::temp_directory_path() /
              ("quenta-startup-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }
    void Write(const String& Name, const String& Text = "x") { std::ofstream(Dir / Name) << Text; }
    String Folder() const { return Dir.string() + "/"; }

    std::filesystem::path Dir;
};

TEST_F(StartupFiles, EachRequiredFileMissingIsFound) {
    struct Case {
        std::vector<std::pair<String, String>> Files;
        bool Missing;
        const char* Why;
    };
    const String settings = "[Targets]\nFwFileName01=App.pfw\n";
    // A name that starts with "/" is not looked for in the program folder.
    const String absolute = "[Targets]\nFwFileName01=" + (Dir / "App.pfw").string() + "\n";
    const Case cases[] = {
        {{{"Settings.ini", settings}, {"App.pfw", "x"}}, true, "no logo at all"},
        {{{"Logo.gif", "x"}, {"App.pfw", "x"}}, true, "no Settings.ini (the firmware file is not looked for)"},
        {{{"Logo.jpg", "x"}, {"Settings.ini", settings}}, true, "the named firmware file is missing"},
        {{{"Logo.bmp", "x"}, {"Settings.ini", "[General]\n"}, {"Sample.pfw", "x"}}, true,
         "without FwFileName01 the check looks for BadName.pfw"},
        {{{"Logo.bmp", "x"}, {"Settings.ini", "[General]\n"}, {"BadName.pfw", "x"}}, false, "BadName.pfw exists"},
        {{{"Logo.gif", "x"}, {"Settings.ini", settings}, {"App.pfw", "x"}}, false, "any of the three logos will do"},
        {{{"Logo.jpg", "x"}, {"Settings.ini", settings}, {"App.pfw", "x"}}, false, "a JPEG logo"},
        {{{"Logo.bmp", "x"}, {"Settings.ini", absolute}, {"App.pfw", "x"}}, false,
         "an absolute name is taken as it stands"},
        {{{"Logo.bmp", "x"}, {"Settings.ini", absolute}}, true, "the file an absolute name names is missing"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
        for (const auto& [name, text] : c.Files)
            Write(name, text);
        EXPECT_EQ(StartupFilesMissing(Folder()), c.Missing) << c.Why;
    }
}

TEST_F(StartupFiles, MissingFileEndsTheProgramWithTheErrorBoxBeforeAnyWindow) {
    Write("Logo.bmp");
    TScriptedMessageBoxes boxes;
    bool created = false, started = false;
    const int code = RunMainBlock(Folder(), [&] { created = true; }, [&] { started = true; });
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(created);
    EXPECT_FALSE(started);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].Text, "Required Upgrade files are missing. Please re-install application.");
    EXPECT_EQ(boxes.Shown()[0].DlgType, mtError);
    ASSERT_EQ(boxes.Shown()[0].Buttons.size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].Buttons[0].Result, mrOk);
}

} // namespace
