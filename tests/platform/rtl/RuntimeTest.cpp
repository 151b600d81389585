#include "platform/rtl/Clock.h"
#include "platform/rtl/System.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Random, IsTheFrameworksLinearCongruentialGenerator) {
    RandSeed = 0;
    EXPECT_EQ(Random(1000), 0); // seed becomes 1
    EXPECT_EQ(RandSeed, 1u);
    EXPECT_EQ(Random(256), static_cast<Integer>((static_cast<UInt64>(134775814u) * 256) >> 32));
    RandSeed = 0xFFFFFFFF;
    Random(10);
    EXPECT_EQ(RandSeed, 0xFFFFFFFFu * 134775813u + 1u);
    for (int i = 0; i < 1000; ++i) {
        Integer r = Random(256);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 256);
    }
    EXPECT_EQ(Random(0), 0);
    // A fill gives what as many calls give, and leaves the seed where they
    // do, whatever its length and range.
    for (Integer count : {0, 1, 3, 4, 7, 512, 515})
        for (Integer range : {256, 1000, 0}) {
            RandSeed = 0x12345678;
            std::vector<Integer> one(static_cast<std::size_t>(count));
            for (Integer& v : one)
                v = Random(range);
            const std::uint32_t after = RandSeed;
            RandSeed = 0x12345678;
            std::vector<Integer> many(static_cast<std::size_t>(count), -1);
            RandomFill(many.data(), count, range);
            EXPECT_EQ(one, many) << count << " values below " << range;
            EXPECT_EQ(RandSeed, after) << count << " values below " << range;
        }
}

TEST(Clock, ManualClockMakesLongPausesFreeAndWraps) {
    TManualClock clock(0xFFFFFF00u);
    TScopedClock use(&clock);
    Cardinal start = timeGetTime();
    Sleep(5000);
    Sleep(2000);
    EXPECT_EQ(timeGetTime() - start, 7000u);
    EXPECT_LT(timeGetTime(), start); // wrapped past 2^32
    EXPECT_EQ(clock.SleptTotal(), 7000u);
    EXPECT_EQ(clock.SleepCount(), 2u);
}

TEST(Clock, SystemClockIsRestoredAfterTheScope) {
    {
        TManualClock clock(5);
        TScopedClock use(&clock);
        EXPECT_EQ(timeGetTime(), 5u);
    }
    EXPECT_FALSE(Clock().IsManual());
}

TEST(ClassName, IsTheDeclaredName) {
    TObject o;
    EXPECT_EQ(o.ClassName(), "TObject");
}
