// The INI reader on texts of 10,000 and 100,000 lines (sections repeated in
// turn, many keys each): its time per line against splitting the same text
// into a string list, the floor any reader pays, measured in the same run.
//
//   ini_load_bench
//
// Target: the reader's cost per line does not grow with the file (the ratio
// 100k / 10k stays near 1), and 100,000 lines take well under a second.

#include "platform/rtl/Classes.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using SteadyClock = std::chrono::steady_clock;

String IniText(Integer Lines) {
    String text;
    for (Integer i = 0; i < Lines; ++i) {
        if (i % 1000 == 0) text += Format("[Section%d]\n", {i / 1000 % 50});
        text += Format("Key%d=%d\n", {i, i});
    }
    return text;
}

// The best of a few runs, in milliseconds.
template <class F> double BestMs(F&& Work) {
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        const auto t0 = SteadyClock::now();
        Work();
        best = std::min(best, std::chrono::duration<double, std::milli>(SteadyClock::now() - t0).count());
    }
    return best;
}

struct TRun {
    double Ini = 0, Split = 0;
};

TRun Measure(Integer Lines) {
    const String text = IniText(Lines);
    TRun r;
    r.Ini = BestMs([&] {
        TMemIniFile ini("/nonexistent/Settings.ini");
        ini.SetText(text);
    });
    r.Split = BestMs([&] {
        TStringList lines;
        lines.SetText(text);
    });
    return r;
}

} // namespace

int main() {
    const TRun small = Measure(10000), large = Measure(100000);
    std::printf("ini_load: INI reader against splitting the text into lines (best of 5)\n");
    std::printf("  %8s  %10s  %10s  %8s\n", "lines", "reader", "split", "ratio");
    for (const auto& [n, r] : {std::pair<int, TRun>{10000, small}, {100000, large}})
        std::printf("  %8d  %7.2f ms  %7.2f ms  %8.2f\n", n, r.Ini, r.Split, r.Split > 0 ? r.Ini / r.Split : 0);
    const double growth = small.Ini > 0 ? (large.Ini / 10) / small.Ini : 0;
    std::printf("  cost per line, 100k / 10k        %6.2f   (target: near 1, linear) %s\n", growth,
                growth <= 1.5 ? "met" : "MISSED");
    std::printf("  100,000 lines                    %6.1f ms (target: well under 1000 ms) %s\n", large.Ini,
                large.Ini < 500 ? "met" : "MISSED");
    return 0;
}
