// Loading a 512 KiB image from its Intel HEX text (split into lines,
// validate, parse, place in the buffers) against objcopy converting the same
// file to binary, measured in the same run. Prints both medians and the
// ratio ours / objcopy (target: below 1).
#include "host/image/Catalogue.h"
#include "host/image/HexImage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs a program with its arguments (no shell); true when it exits with 0.
bool Spawn(std::vector<std::string> Args) {
    std::vector<char*> argv;
    for (auto& a : Args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ReadFile(const std::string& Name) {
    std::ifstream in(Name, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TDeviceTypeRec Pic32() {
    TDeviceTypeRec r = DefaultDeviceTypeRec();
    r.BytesPerPcu = 1;
    r.PcuPerIwu = 4;
    r.ActiveBytesPerIwu = 4;
    r.ProgMemSizePcu = 0x80000;
    r.BootMemPhysicalStartPcu = 0x1FC00000;
    DeriveDeviceFields(r);
    return r;
}

} // namespace

int main() {
    char tmpl[] = "/tmp/quenta_hex_bench_XXXXXX";
    const std::string dir = mkdtemp(tmpl);
    const std::string bin = dir + "/image.bin", hex = dir + "/image.hex", out = dir + "/out.bin";

    const std::size_t size = 512 * 1024;
    std::string image(size, '\0');
    std::mt19937 rng(7);
    for (auto& c : image) c = static_cast<char>(rng());
    std::ofstream(bin, std::ios::binary).write(image.data(), static_cast<std::streamsize>(image.size()));
    if (!Spawn({"objcopy", "-I", "binary", "-O", "ihex", "--change-addresses", "0x1D000000", bin, hex})) {
        std::fprintf(stderr, "objcopy is needed (scripts/deps installs it)\n");
        return 1;
    }
    const std::string text = ReadFile(hex);

    const TDeviceTypeRec target = Pic32();
    THexImage loaded;
    loaded.Buffers.Allocate(target);
    const int runs = 15;
    std::vector<double> ours, theirs;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        loaded.Lines.SetText(text);
        const bool ok = loaded.ImageLoaded(target);
        ours.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        if (!ok) {
            std::fprintf(stderr, "the image did not load\n");
            return 1;
        }
    }
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        const bool ok = Spawn({"objcopy", "-I", "ihex", "-O", "binary", hex, out});
        theirs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        if (!ok) {
            std::fprintf(stderr, "objcopy failed\n");
            return 1;
        }
    }
    const bool same = ReadFile(out) == std::string(reinterpret_cast<const char*>(loaded.Buffers.ProgImage.data()),
                                                   size);
    std::filesystem::remove_all(dir);

    const double a = Median(ours), b = Median(theirs);
    std::printf("hex_load: 512 KiB image, %zu bytes of Intel HEX text, median of %d runs\n", text.size(), runs);
    std::printf("  ours (lines, validate, parse, place): %8.2f ms\n", a);
    std::printf("  objcopy -I ihex -O binary:            %8.2f ms\n", b);
    std::printf("  ratio ours / objcopy:                 %8.2f  (target < 1)\n", a / b);
    std::printf("  placed bytes equal objcopy's output:  %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}
