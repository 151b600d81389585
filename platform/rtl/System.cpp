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

static std::uint32_t NextRandom() {
    RandSeed = RandSeed * 134775813u + 1u;
    return RandSeed;
}

Integer Random(Integer Range) {
    std::uint32_t r = NextRandom();
    if (Range <= 0) return 0;
    return static_cast<Integer>((static_cast<std::uint64_t>(r) * static_cast<std::uint32_t>(Range)) >> 32);
}

double Random() {
    return static_cast<double>(NextRandom()) / 4294967296.0;
}

void Randomize() {
    auto now = std::chrono::system_clock::now().time_since_epoch();
    RandSeed = static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() /
                                          1000);
}
