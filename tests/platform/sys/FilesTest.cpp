#include "platform/sys/TestFiles.h"
#include "platform/sys/Win32.h"

#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testfiles::ReadAll;
using testfiles::TScratchFolder;
using testfiles::WriteAll;

namespace {

unsigned Mode(const std::string& File) {
    struct stat st {};
    EXPECT_EQ(::lstat(File.c_str(), &st), 0) << File;
    return st.st_mode & 07777;
}

// Runs with the given umask and restores the previous one.
class TUmask {
public:
    explicit TUmask(mode_t Mask) : FPrevious(::umask(Mask)) {}
    ~TUmask() { ::umask(FPrevious); }

private:
    mode_t FPrevious;
};

} // namespace

TEST(Files, CreateNewNeverOpensWhatExistsNorFollowsALink) {
    TScratchFolder dir;
    WriteAll(dir / "victim", "precious");
    fs::create_symlink(dir / "victim", dir / "link");
    fs::create_symlink(dir / "nowhere", dir / "dangling");
    WriteAll(dir / "plain", "old");

    for (const char* name : {"link", "dangling", "plain"}) {
        SetLastError(0);
        EXPECT_EQ(CreateFileW(dir / name, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_PROGRAM),
                  INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS) << name;
    }
    // Opening an existing name never goes through a link either.
    EXPECT_EQ(CreateFileW(dir / "link", GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadAll(dir / "victim"), "precious");
    EXPECT_FALSE(fs::exists(dir / "nowhere"));
    EXPECT_EQ(ReadAll(dir / "plain"), "old");
}

TEST(Files, NewProgramIsOwnerOnlyWhateverTheUmask) {
    TScratchFolder dir;
    for (mode_t mask : {0022, 0077, 0177}) {
        TUmask umask(mask);
        const std::string program = dir / ("program" + std::to_string(mask));
        HANDLE file =
            CreateFileW(program, GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_PROGRAM);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, "abc", 3, &written));
        EXPECT_EQ(written, 3u);
        EXPECT_TRUE(CloseHandle(file));
        EXPECT_EQ(Mode(program), 0700u) << "umask " << mask;
        EXPECT_EQ(ReadAll(program), "abc");
    }
    TUmask umask(0022);
    HANDLE file = CreateFileW(dir / "data", GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_EQ(Mode(dir / "data"), 0644u);
}

TEST(Files, WrongHandlesAreRefused) {
    DWORD written = 7;
    EXPECT_FALSE(WriteFile(INVALID_HANDLE_VALUE, "x", 1, &written));
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, 0), WAIT_FAILED);
}

TEST(Files, OwnedRegularFileAndDeletion) {
    TScratchFolder dir;
    WriteAll(dir / "mine", "x");
    fs::create_symlink(dir / "mine", dir / "link");
    fs::create_directory(dir / "folder");
    EXPECT_TRUE(IsOwnedRegularFile(dir / "mine"));
    EXPECT_FALSE(IsOwnedRegularFile(dir / "link"));
    EXPECT_FALSE(IsOwnedRegularFile(dir / "folder"));
    EXPECT_FALSE(IsOwnedRegularFile(dir / "missing"));
    if (::geteuid() == 0) {
        WriteAll(dir / "theirs", "x");
        ASSERT_EQ(::chown((dir / "theirs").c_str(), 65534, 65534), 0);
        EXPECT_FALSE(IsOwnedRegularFile(dir / "theirs"));
    }

    EXPECT_TRUE(DeleteFileW(dir / "link")); // the link goes, its target stays
    EXPECT_TRUE(fs::exists(dir / "mine"));
    EXPECT_FALSE(DeleteFileW(dir / "folder"));
    EXPECT_FALSE(DeleteFileW(dir / "missing"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(Files, TempPathAndFolders) {
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved ? saved : "";
    ::setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(GetTempPathW(), "/var/tmp/");
    ::setenv("TMPDIR", "/var/tmp/", 1);
    EXPECT_EQ(GetTempPathW(), "/var/tmp/");
    ::setenv("TMPDIR", "", 1);
    EXPECT_EQ(GetTempPathW(), "/tmp/");
    ::unsetenv("TMPDIR");
    EXPECT_EQ(GetTempPathW(), "/tmp/");
    if (saved) ::setenv("TMPDIR", previous.c_str(), 1);

    EXPECT_EQ(GetModuleFileNameW(nullptr), fs::canonical("/proc/self/exe").string());

    const String here = GetCurrentDir();
    TScratchFolder dir;
    EXPECT_TRUE(SetCurrentDirectoryW(dir.Path().string()));
    EXPECT_EQ(GetCurrentDir(), dir.Path().string());
    EXPECT_FALSE(SetCurrentDirectoryW(dir / "missing"));
    EXPECT_FALSE(SetCurrentDirectoryW(""));
    EXPECT_TRUE(SetCurrentDirectoryW(here));
}
