// How long the program takes to start: each sample is a new process, a copy
// of this benchmark in a folder with the program's files (Settings.ini, logo,
// firmware file), so that it starts as the program does. The process makes
// the GUI application (offscreen), the program's windows and runs the main
// window's start-up step, whose discovery finds a simulated device on
// loopback, then shows the main window and paints it. Times count from just
// before the process is started.
//
// The baseline is the same process making and painting a bare form with one
// button; the ratio says what the program's own windows and start-up cost.
//
//   startup_bench [samples, default 15]
//
// Target: the main window's first paint within 300 ms on this machine.

#include "controls/common/QxCommon.h"
#include "host/main/HostWindows.h"
#include "host/ui/dsProgEv4_M.h"
#include "host/ops/OwnVersion.h"
#include "platform/gui/controls/GuiApplication.h"
#include "tools/devsim/DevSim.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

const char* kBareForm = R"(object BareForm: TForm
  Caption = 'Bare'
  ClientHeight = 120
  ClientWidth = 200
  object Button: TQxButton
    Left = 8
    Top = 8
    Width = 75
    Height = 25
    Caption = 'OK'
  end
end
)";

// One sample in this process: prints "discovery <ms>" (program only) and
// "paint <ms>", counted from StartNs.
int Child(const std::string& Mode, long long StartNs, int argc, char** argv) {
    TGuiApplication gui(argc, argv);
    SetProgramVersionInfo(&HostVersionInfo());
    InitQxCommon();
    Application->Initialize();
    TCustomForm* shown = nullptr;
    if (Mode == "bare") {
        RegisterClass(TQxButton::ClassInfo());
        auto* form = new TForm(Application);
        form->InitializeForm(kBareForm, "BareForm.dfm");
        shown = form;
    } else {
        TDevSimOptions o;
        o.BindAddress = "127.0.0.1";
        o.Port = 0;
        o.Quiet = true;
        TDevSim sim(o);
        sim.Start();
        CreateHostWindows();
        MainForm->DiscoveryIP = "127.0.0.1";
        MainForm->DiscoveryPort = sim.Port();
        StartUpHost();
        std::printf("discovery %.3f\n", (NowNs() - StartNs) / 1e6);
        if (MainForm->Host().SelectedDevice() == nullptr) {
            std::fprintf(stderr, "startup_bench: the simulated device was not found\n");
            return 1;
        }
        shown = MainForm;
    }
    shown->Show();
    shown->Update();
    std::printf("paint %.3f\n", (NowNs() - StartNs) / 1e6);
    std::fflush(stdout);
    return 0;
}

struct TSample {
    double Discovery = 0, Paint = 0;
};

// Starts Program with the mode and reads the child's figures.
bool Sample(const std::string& Program, const std::string& Mode, TSample& Out) {
    int out[2];
    if (pipe(out) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string start = std::to_string(NowNs());
    const char* args[] = {Program.c_str(), "--child", Mode.c_str(), start.c_str(), nullptr};
    pid_t pid;
    const int failed = posix_spawn(&pid, Program.c_str(), &actions, nullptr, const_cast<char**>(args), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed) {
        close(out[0]);
        return false;
    }
    std::string text;
    char buf[256];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;)
        text.append(buf, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    // The figures are the child's last lines (the window may write lines before).
    const auto d = text.rfind("discovery ");
    if (d != std::string::npos && (d == 0 || text[d - 1] == '\n'))
        std::sscanf(text.c_str() + d, "discovery %lf", &Out.Discovery);
    const auto p = text.rfind("paint ");
    if (p != std::string::npos) std::sscanf(text.c_str() + p, "paint %lf", &Out.Paint);
    const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && p != std::string::npos;
    if (!ok) std::fprintf(stderr, "startup_bench: the %s sample failed (status %d):\n%s\n", Mode.c_str(), status, text.c_str());
    return ok;
}

double Median(std::vector<double> V) {
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--child") return Child(argv[2], std::stoll(argv[3]), argc, argv);

    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    // The program's folder: a copy of this benchmark beside the dist files.
    const fs::path folder = fs::temp_directory_path() / ("quenta-startup-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(QUENTA_DIST_DIR))
        if (entry.is_regular_file()) fs::copy_file(entry.path(), folder / entry.path().filename());
    const std::string program = (folder / "startup_bench").string();
    fs::copy_file("/proc/self/exe", program);
    fs::permissions(program, fs::perms::owner_all);

    std::vector<double> bare, discovery, paint;
    bool ok = true;
    for (int i = 0; i < samples && ok; ++i) {
        TSample b, p;
        ok = Sample(program, "bare", b) && Sample(program, "program", p);
        bare.push_back(b.Paint);
        discovery.push_back(p.Discovery);
        paint.push_back(p.Paint);
    }
    fs::remove_all(folder);
    if (!ok) return 1;
    const double b = Median(bare), d = Median(discovery), p = Median(paint);
    std::printf("start-up, median of %d processes (ms from the process's start):\n", samples);
    std::printf("  bare form, first paint          %8.1f   (baseline)\n", b);
    std::printf("  program, first discovery ended  %8.1f   %5.2f x baseline\n", d, d / b);
    std::printf("  program, main window painted    %8.1f   %5.2f x baseline   (target <= 300 ms)\n", p, p / b);
    return 0;
}
