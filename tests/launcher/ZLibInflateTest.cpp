#include "launcher/ZLibInflate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <zlib.h>

namespace {

using TBytes = std::vector<Byte>;

TBytes Deflate(const TBytes& Data, int Level = Z_BEST_COMPRESSION) {
    uLongf size = compressBound(static_cast<uLong>(Data.size()));
    TBytes out(size);
    EXPECT_EQ(compress2(out.data(), &size, Data.data(), static_cast<uLong>(Data.size()), Level), Z_OK);
    out.resize(size);
    return out;
}

// Bytes that do not compress, from a fixed generator.
TBytes Noise(std::size_t Count, std::uint32_t Seed) {
    TBytes out(Count);
    for (Byte& b : out)
        b = static_cast<Byte>((Seed = Seed * 1103515245u + 12345u) >> 23);
    return out;
}

struct TInflated {
    TBytes Out;
    std::vector<std::size_t> Sizes;
};

TInflated Inflate(const TBytes& Stream, std::size_t Estimate = 0, std::size_t Max = MaxInflatedSize) {
    TInflated result;
    TInflateOptions options;
    options.MaxOutBytes = Max;
    options.OnBufferSize = [&](std::size_t size) { result.Sizes.push_back(size); };
    InflateWholeBuffer(Stream.data(), Stream.size(), Estimate, result.Out, options);
    return result;
}

// The text of the EZDecompressionError that inflating Stream raises, and
// checks that the output buffer was emptied.
std::string InflateError(const TBytes& Stream, std::size_t Max = MaxInflatedSize) {
    TBytes out{1, 2, 3};
    TInflateOptions options;
    options.MaxOutBytes = Max;
    try {
        InflateWholeBuffer(Stream.data(), Stream.size(), 0, out, options);
    } catch (const EZLibError& e) {
        EXPECT_TRUE(dynamic_cast<const EZDecompressionError*>(&e));
        EXPECT_TRUE(out.empty());
        return e.Message;
    }
    return "no error";
}

} // namespace

TEST(InflateWholeBuffer, GrowsByTheRoundedInputSizeAndTrimsToTheImage) {
    // An image of 5000 bytes packed into exactly 1000: noise followed by zeros.
    TBytes image, stream;
    for (std::uint32_t seed = 1; seed < 100 && stream.size() != 1000; ++seed) {
        for (std::size_t noise = 880; noise < 960 && stream.size() != 1000; ++noise) {
            image = Noise(noise, seed);
            image.resize(5000, 0);
            stream = Deflate(image);
        }
    }
    ASSERT_EQ(stream.size(), 1000u);

    const TInflated inflated = Inflate(stream);
    EXPECT_EQ(inflated.Out, image);
    EXPECT_EQ(inflated.Sizes, (std::vector<std::size_t>{1024, 2048, 3072, 4096, 5120, 5000}));

    // An estimate is the first size; too small, it grows by the same steps.
    EXPECT_EQ(Inflate(stream, 5000).Sizes, (std::vector<std::size_t>{5000, 5000}));
    EXPECT_EQ(Inflate(stream, 3000).Sizes, (std::vector<std::size_t>{3000, 4024, 5048, 5000}));
    EXPECT_EQ(Inflate(Deflate({})).Out, TBytes{});
}

TEST(InflateWholeBuffer, DamagedStreamsRaiseZlibsText) {
    const TBytes image = Noise(3000, 7);
    const TBytes stream = Deflate(image);

    EXPECT_EQ(InflateError(TBytes(stream.begin(), stream.end() - 10)), "buffer error"); // truncated
    EXPECT_EQ(InflateError({}), "buffer error");
    TBytes trailing = stream;
    trailing.push_back(0);
    EXPECT_EQ(InflateError(trailing), "data error");
    TBytes badHeader = stream;
    badHeader[0] ^= 0x0F;
    EXPECT_EQ(InflateError(badHeader), "data error");
    TBytes badCheck = stream;
    badCheck.back() ^= 1;
    EXPECT_EQ(InflateError(badCheck), "data error");
}

TEST(InflateWholeBuffer, StreamNeedingAPresetDictionaryIsRefused) {
    z_stream z{};
    ASSERT_EQ(deflateInit(&z, Z_DEFAULT_COMPRESSION), Z_OK);
    const Byte dictionary[] = "dictionary";
    deflateSetDictionary(&z, dictionary, sizeof dictionary);
    TBytes image(100, 'd'), stream(256);
    z.next_in = image.data();
    z.avail_in = static_cast<uInt>(image.size());
    z.next_out = stream.data();
    z.avail_out = static_cast<uInt>(stream.size());
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    stream.resize(z.total_out);
    deflateEnd(&z);

    EXPECT_EQ(InflateError(stream), "need dictionary");
}

TEST(InflateWholeBuffer, ImageLargerThanTheLimitIsRefused) {
    const TBytes stream = Deflate(TBytes(100000, 0));
    EXPECT_EQ(Inflate(stream, 0, 100000).Out.size(), 100000u); // the limit itself is allowed
    EXPECT_EQ(InflateError(stream, 99999), "inflated image larger than 99999 bytes");
    EXPECT_EQ(MaxInflatedSize, 1u << 30);
}

TEST(CheckInflateResult, PassesResultsAndRaisesErrorsWithZlibsTexts) {
    // clang-format off
    const std::vector<std::pair<int, std::string>> table{
        {2, "need dictionary"}, {1, "stream end"}, {0, ""}, {-1, "file error"}, {-2, "stream error"},
        {-3, "data error"}, {-4, "insufficient memory"}, {-5, "buffer error"}, {-6, "incompatible version"},
        {-7, ""}, {3, ""}};
    // clang-format on
    for (const auto& [code, text] : table) {
        EXPECT_EQ(ZLibResultText(code), text) << code;
        if (code >= 0) {
            EXPECT_EQ(CheckInflateResult(code), code);
            continue;
        }
        try {
            CheckInflateResult(code);
            ADD_FAILURE() << code << " did not raise";
        } catch (const EZDecompressionError& e) {
            EXPECT_EQ(e.Message, text) << code;
            EXPECT_EQ(e.ClassName(), "EZDecompressionError");
        }
    }
}
