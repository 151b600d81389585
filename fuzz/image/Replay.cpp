// Runs a fuzz target without libFuzzer: every seed file given, then a
// number of random mutations of each (byte changes, insertions, deletions,
// repeats), so that a normal sanitizer build gets a short fuzz run.
//   replay ROUNDS SEED...
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size);

namespace {
void RunOne(const std::string& s) { LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }

std::string Mutate(std::string s, std::mt19937& rng) {
    static const char interesting[] = ":0123456789ABCDEFabcdef\n\r=[]; \xFF";
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = s.empty() ? 0 : rng() % s.size();
        const char c = (rng() & 1) ? interesting[rng() % (sizeof interesting - 1)] : static_cast<char>(rng());
        switch (rng() % 4) {
        case 0:
            if (!s.empty()) s[at] = c;
            break;
        case 1:
            s.insert(at, 1, c);
            break;
        case 2:
            if (!s.empty()) s.erase(at, 1 + rng() % 16);
            break;
        default:
            if (!s.empty()) s.insert(at, s.substr(rng() % s.size(), 1 + rng() % 64));
            break;
        }
    }
    return s;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ROUNDS SEED...\n", argv[0]);
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    std::mt19937 rng(12345);
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read seed %s\n", argv[i]);
            return 1;
        }
        std::ostringstream ss;
        ss << in.rdbuf();
        const std::string seed = ss.str();
        RunOne(seed);
        std::string current = seed;
        for (int r = 0; r < rounds; ++r) {
            current = (r % 8 == 0) ? Mutate(seed, rng) : Mutate(current, rng);
            RunOne(current);
        }
    }
    std::printf("replayed %d seeds with %d mutations each\n", argc - 2, rounds);
    return 0;
}
