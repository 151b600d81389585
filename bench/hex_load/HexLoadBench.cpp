// Intel HEX files from disk, at 0.5, 1, 2, 4 and 8 MB of HEX text:
// - the host's loading path, file to image buffers (read, split into the
//   image lines, validate, place), against `objcopy -I ihex -O binary`
//   converting the same file to a binary file, in the same run;
// - `mkpfw` turning the same file into a firmware file, end to end, against
//   the same objcopy run;
// - the heap the loading path holds at its peak, over the file's size.
// Every row also checks that the placed bytes equal objcopy's output.
// Targets: loading <= 1.0 x objcopy, peak <= 3 x the file, both linear in
// the file's size. A benchmark only prints; it never fails on a time.
#include "host/image/Catalogue.h"
#include "host/image/HexImage.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <new>
#include <random>
#include <spawn.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

// ------------------------------------------------------------ heap meter
// Every allocation of this program is counted (its usable size), so the
// peak of what the loading path holds can be read around one load.
namespace {
std::atomic<std::size_t> LiveBytes{0}, PeakBytes{0};

void* Counted(std::size_t Size) {
    void* p = std::malloc(Size ? Size : 1);
    if (!p) throw std::bad_alloc();
    const std::size_t live = LiveBytes += malloc_usable_size(p);
    std::size_t peak = PeakBytes.load();
    while (live > peak && !PeakBytes.compare_exchange_weak(peak, live)) {
    }
    return p;
}

void Uncounted(void* P) {
    if (!P) return;
    LiveBytes -= malloc_usable_size(P);
    std::free(P);
}
} // namespace

void* operator new(std::size_t Size) { return Counted(Size); }
void* operator new[](std::size_t Size) { return Counted(Size); }
void operator delete(void* P) noexcept { Uncounted(P); }
void operator delete[](void* P) noexcept { Uncounted(P); }
void operator delete(void* P, std::size_t) noexcept { Uncounted(P); }
void operator delete[](void* P, std::size_t) noexcept { Uncounted(P); }

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs a program with its arguments (no shell, output to /dev/null); true
// when it exits with 0. MaxRssKiB receives the child's peak resident size.
bool Spawn(std::vector<std::string> Args, long* MaxRssKiB = nullptr) {
    std::vector<char*> argv;
    for (auto& a : Args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return false;
    if (MaxRssKiB) *MaxRssKiB = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ReadFile(const std::string& Name) {
    std::ifstream in(Name, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Program flash at 0x1D000000 large enough for the image.
TDeviceTypeRec FlatTarget(std::size_t Bytes) {
    TDeviceTypeRec r = DefaultDeviceTypeRec();
    r.BytesPerPcu = 1;
    r.PcuPerIwu = 4;
    r.ActiveBytesPerIwu = 4;
    r.ProgMemPhysicalStartPcu = 0x1D000000;
    r.ProgMemSizePcu = static_cast<Integer>((Bytes + 0xFFFF) & ~std::size_t(0xFFFF));
    r.BootMemPhysicalStartPcu = 0x1FC00000;
    DeriveDeviceFields(r);
    return r;
}

struct TRow {
    double HexMB = 0;
    double Ours = 0, Objcopy = 0, Mkpfw = 0; // medians, ms
    double PeakOverFile = 0;                  // loading path
    double MkpfwRssMB = 0;
    bool Same = false;
};

bool Measure(const std::string& Dir, std::size_t HexBytes, TRow& Row) {
    const std::string bin = Dir + "/image.bin", hex = Dir + "/image.hex", out = Dir + "/out.bin",
                      pfw = Dir + "/image.pfw";
    // objcopy writes 16 data bytes to a 44-byte line.
    const std::size_t size = HexBytes / 44 * 16;
    {
        std::string image(size, '\0');
        std::mt19937 rng(7);
        for (auto& c : image) c = static_cast<char>(rng());
        std::ofstream(bin, std::ios::binary).write(image.data(), static_cast<std::streamsize>(image.size()));
    }
    if (!Spawn({"objcopy", "-I", "binary", "-O", "ihex", "--change-addresses", "0x1D000000", bin, hex})) {
        std::fprintf(stderr, "objcopy is needed (scripts/deps installs it)\n");
        return false;
    }
    const auto fileSize = std::filesystem::file_size(hex);
    Row.HexMB = static_cast<double>(fileSize) / 1e6;

    const TDeviceTypeRec target = FlatTarget(size);
    THexImage image;
    image.Buffers.Allocate(target);
    const int runs = HexBytes > 3'000'000 ? 7 : 15;
    std::vector<double> ours, theirs, mk;
    std::size_t peak = 0;
    for (int i = 0; i < runs; ++i) {
        image.Lines.Clear();
        const std::size_t before = LiveBytes.load();
        PeakBytes = before;
        const auto t0 = Clock::now();
        const bool ok = image.LoadHexFile(hex, target);
        ours.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        peak = std::max(peak, PeakBytes.load() - before);
        if (!ok) {
            std::fprintf(stderr, "the image did not load\n");
            return false;
        }
    }
    long rss = 0;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        bool ok = Spawn({"objcopy", "-I", "ihex", "-O", "binary", hex, out});
        theirs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        t0 = Clock::now();
        ok = ok && Spawn({MKPFW_PROGRAM, hex, pfw}, &rss);
        mk.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        if (!ok) {
            std::fprintf(stderr, "objcopy or mkpfw failed\n");
            return false;
        }
    }
    Row.Same = ReadFile(out) == std::string(reinterpret_cast<const char*>(image.Buffers.ProgImage.data()), size);
    Row.Ours = Median(ours);
    Row.Objcopy = Median(theirs);
    Row.Mkpfw = Median(mk);
    Row.PeakOverFile = static_cast<double>(peak) / static_cast<double>(fileSize);
    Row.MkpfwRssMB = static_cast<double>(rss) * 1024 / 1e6;
    return true;
}

} // namespace

int main() {
    char tmpl[] = "/tmp/quenta_hex_bench_XXXXXX";
    const std::string dir = mkdtemp(tmpl);
    std::vector<TRow> rows;
    bool ok = true;
    for (std::size_t mb2 : {1, 2, 4, 8, 16}) { // half megabytes
        TRow row;
        if (!(ok = Measure(dir, mb2 * 500'000, row))) break;
        rows.push_back(row);
    }
    std::filesystem::remove_all(dir);
    if (!ok) return 1;

    std::printf("hex_load: Intel HEX file -> image buffers, against objcopy -I ihex -O binary (file to file),\n"
                "median of 15 runs (7 from 4 MB on)\n\n");
    std::printf("  HEX file  ours ms  objcopy ms  ours/objcopy  mkpfw ms  mkpfw/objcopy  ours ms/MB  "
                "peak/file  mkpfw RSS MB  same bytes\n");
    bool same = true;
    for (const TRow& r : rows) {
        std::printf("  %5.2f MB  %7.2f  %10.2f  %12.2f  %8.2f  %13.2f  %10.2f  %9.2f  %12.1f  %s\n", r.HexMB, r.Ours,
                    r.Objcopy, r.Ours / r.Objcopy, r.Mkpfw, r.Mkpfw / r.Objcopy, r.Ours / r.HexMB, r.PeakOverFile,
                    r.MkpfwRssMB, r.Same ? "yes" : "NO");
        same = same && r.Same;
    }
    const TRow &small = rows.front(), &large = rows.back();
    std::printf("\n  linearity, time per MB at %.1f MB over %.1f MB: %.2f (1.0 is linear)\n", large.HexMB,
                small.HexMB, (large.Ours / large.HexMB) / (small.Ours / small.HexMB));
    std::printf("  targets: ours/objcopy <= 1.0; peak/file <= 3.0 (the loading path's own heap)\n");
    return same ? 0 : 1;
}
