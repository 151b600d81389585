#include "platform/sys/TestFiles.h"
#include "platform/sys/Win32.h"

#include <gtest/gtest.h>

#include <cstring>

// The test program carries two resources (see CMakeLists.txt): every byte
// value read from a file with an awkward path, and an empty file.
TEST(Resources, FoundByNameAndTypeWithEveryByteIntact) {
    const std::string expected = testfiles::ReadAll(QUENTA_SOURCE_DIR "/tests/platform/sys/data/bytes.bin");
    ASSERT_EQ(expected.size(), 269u);

    for (const char* name : {"ODD_BYTES", "odd_bytes", "Odd_Bytes"}) {
        HRSRC res = FindResourceW(nullptr, name, RT_RCDATA);
        ASSERT_NE(res, nullptr) << name;
        ASSERT_EQ(SizeofResource(nullptr, res), expected.size());
        const void* data = LockResource(LoadResource(nullptr, res));
        EXPECT_EQ(std::memcmp(data, expected.data(), expected.size()), 0);
    }

    HRSRC empty = FindResourceW(nullptr, "EMPTY", "Custom");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, empty), 0u);
    EXPECT_NE(LockResource(LoadResource(nullptr, empty)), nullptr);
    EXPECT_EQ(MAKEINTRESOURCEW(10), RT_RCDATA);
}

TEST(Resources, MissingNameOrTypeFindsNothing) {
    SetLastError(0);
    EXPECT_EQ(FindResourceW(nullptr, "PELSORDATA", RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindResourceW(nullptr, "ODD_BYTES", "Custom"), nullptr);
    EXPECT_EQ(FindResourceW(nullptr, "EMPTY", RT_RCDATA), nullptr);
    EXPECT_EQ(LockResource(LoadResource(nullptr, nullptr)), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}
