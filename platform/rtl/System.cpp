#include "platform/rtl/System.h"

#include <chrono>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

String TObject::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    String name = (status == 0 && demangled) ? String(demangled.get()) : String(mangled);
    auto colon = name.rfind("::");
    return colon == String::npos ? name : name.substr(colon + 2);
}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}

std::uint32_t RandSeed = 0;

namespace {

constexpr std::uint32_t NextSeed(std::uint32_t Seed) {
    return Seed * 134775813u + 1u;
}

// A 32-bit random value scaled to [0, Range).
Integer Scaled(std::uint32_t R, Integer Range) {
    if (Range <= 0) return 0;
    return static_cast<Integer>((static_cast<std::uint64_t>(R) * static_cast<std::uint32_t>(Range)) >> 32);
}

std::uint32_t NextRandom() {
    RandSeed = NextSeed(RandSeed);
    return RandSeed;
}

} // namespace

Integer Random(Integer Range) {
    return Scaled(NextRandom(), Range);
}

void RandomFill(Integer* Values, Integer Count, Integer Range) {
    // Four interleaved runs of the sequence, each going four steps at a time
    // (seed * a^4 + a^3 + a^2 + a + 1), so that no step waits for the one
    // before; the rest goes one step at a time from the last value's seed.
    constexpr std::uint32_t a = 134775813u;
    constexpr std::uint32_t a4 = a * a * a * a;
    constexpr std::uint32_t c4 = a * a * a + a * a + a + 1u;
    std::uint32_t seed = RandSeed;
    Integer i = 0;
    if (Count >= 4) {
        std::uint32_t s0 = NextSeed(seed), s1 = NextSeed(s0), s2 = NextSeed(s1), s3 = NextSeed(s2);
        for (; i + 4 <= Count; i += 4) {
            Values[i] = Scaled(s0, Range);
            Values[i + 1] = Scaled(s1, Range);
            Values[i + 2] = Scaled(s2, Range);
            Values[i + 3] = Scaled(s3, Range);
            seed = s3;
            s0 = s0 * a4 + c4;
            s1 = s1 * a4 + c4;
            s2 = s2 * a4 + c4;
            s3 = s3 * a4 + c4;
        }
    }
    for (; i < Count; ++i) {
        seed = NextSeed(seed);
        Values[i] = Scaled(seed, Range);
    }
    RandSeed = seed;
}

double Random() {
    return static_cast<double>(NextRandom()) / 4294967296.0;
}

void Randomize() {
    auto now = std::chrono::system_clock::now().time_since_epoch();
    RandSeed = static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() /
                                          1000);
}

#include <fstream>
#include <unistd.h>
#include <vector>

namespace {
std::vector<String> CommandLine() {
    std::vector<String> args;
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    String arg;
    char c;
    while (in.get(c)) {
        if (c == '\0') {
            args.push_back(arg);
            arg.clear();
        } else {
            arg += c;
        }
    }
    if (!arg.empty()) args.push_back(arg);
    return args;
}
} // namespace

Integer ParamCount() {
    auto args = CommandLine();
    return args.empty() ? 0 : static_cast<Integer>(args.size()) - 1;
}

namespace {
String gProgramFileName;
}

void SetProgramFileName(const String& FileName) {
    gProgramFileName = FileName;
}

String ParamStr(Integer Index) {
    if (Index == 0) {
        if (!gProgramFileName.empty()) return gProgramFileName;
        char buf[4096];
        ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
        return n > 0 ? String(buf, static_cast<size_t>(n)) : String();
    }
    auto args = CommandLine();
    return (Index > 0 && Index < static_cast<Integer>(args.size())) ? args[static_cast<size_t>(Index)] : String();
}

String ProgramFolder() {
    String exe = ParamStr(0);
    auto slash = exe.rfind('/');
    return slash == String::npos ? String("./") : exe.substr(0, slash + 1);
}
