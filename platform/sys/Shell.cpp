// The desktop's opener: "xdg-open TARGET" for the open verb; for the .htm
// handler, the desktop entry that "xdg-mime query default text/html" names,
// whose Exec line is run with the target in place of its field code. Every
// program is started directly with an argument vector.
#include "platform/sys/Shell.h"

#include "platform/rtl/SysUtils.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// A handler that is still running after this long has opened the target
// (a browser started in the foreground); it is left to run.
constexpr auto kStartWait = std::chrono::seconds(5);

// Starts Args[0] (searched on PATH); with Output, its standard output is
// read into it until it ends. Answers the exit status, -1 when it could not
// start, 0 when it still runs after kStartWait.
int Run(const std::vector<String>& Args, String* Output, String& Error) {
    std::vector<char*> argv;
    for (const String& a : Args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    if (Output && ::pipe(pipeFds) != 0) {
        Error = String("Could not start ") + Args[0] + ": " + std::strerror(errno);
        return -1;
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (Output) {
        ::posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        ::posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    }
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (Output) ::close(pipeFds[1]);
    if (rc != 0) {
        if (Output) ::close(pipeFds[0]);
        Error = String("Could not start ") + Args[0] + ": " + std::strerror(rc) +
                ". Install the desktop's utilities (xdg-utils) to open links.";
        return -1;
    }
    if (Output) {
        char buffer[512];
        ssize_t n;
        while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
            if (n > 0) Output->append(buffer, static_cast<size_t>(n));
        ::close(pipeFds[0]);
    }
    const auto deadline = std::chrono::steady_clock::now() + kStartWait;
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0 && errno != EINTR) return 0;
        if (std::chrono::steady_clock::now() >= deadline) return 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// The Exec line of a desktop entry from the data folders; empty when none.
String DesktopEntryExec(const String& Entry) {
    std::vector<String> dirs;
    const char* home = std::getenv("XDG_DATA_HOME");
    if (home && *home)
        dirs.push_back(home);
    else if (const char* h = std::getenv("HOME"))
        dirs.push_back(String(h) + "/.local/share");
    const char* data = std::getenv("XDG_DATA_DIRS");
    String list = data && *data ? data : "/usr/local/share:/usr/share";
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == String::npos) end = list.size();
        if (end > start) dirs.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    for (const String& dir : dirs) {
        std::ifstream in(dir + "/applications/" + Entry);
        String line;
        bool mainGroup = false;
        while (in && std::getline(in, line)) {
            if (!line.empty() && line[0] == '[') mainGroup = line == "[Desktop Entry]";
            if (mainGroup && line.rfind("Exec=", 0) == 0) return line.substr(5);
        }
    }
    return String();
}

// The words of an Exec line, the target put for its field code (or added
// at the end when it has none); other field codes are dropped.
std::vector<String> ExecArguments(const String& Exec, const String& Target) {
    std::vector<String> words;
    String word;
    bool quoted = false, any = false, placed = false;
    for (size_t i = 0; i < Exec.size(); ++i) {
        const char c = Exec[i];
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == '\\' && quoted && i + 1 < Exec.size()) {
            word += Exec[++i];
        } else if (c == ' ' && !quoted) {
            if (any || !word.empty()) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
        }
    }
    if (any || !word.empty()) words.push_back(word);
    std::vector<String> args;
    for (const String& w : words) {
        if (w.size() == 2 && w[0] == '%') {
            if (std::strchr("uUfF", w[1]) && !placed) {
                args.push_back(Target);
                placed = true;
            }
            continue;
        }
        args.push_back(w);
    }
    if (!placed) args.push_back(Target);
    return args;
}

class TDesktopShellOpener : public IShellOpener {
public:
    bool Open(const String& Target, String& Error) override {
        const int status = Run({"xdg-open", Target}, nullptr, Error);
        if (status == 0) return true;
        if (status > 0)
            Error = "The desktop has no program that opens \"" + Target + "\" (xdg-open ended with status " +
                    IntToStr(status) + "). Set a default application for it.";
        return false;
    }

    bool OpenWithHtmHandler(const String& Target, String& Error) override {
        String entry;
        if (Run({"xdg-mime", "query", "default", "text/html"}, &entry, Error) != 0) {
            if (Error.empty()) Error = "xdg-mime could not name the program for .htm documents.";
            return false;
        }
        entry = Trim(entry);
        const String exec = entry.empty() ? String() : DesktopEntryExec(entry);
        if (exec.empty()) {
            Error = "The desktop names no program for .htm documents. Set a default web browser.";
            return false;
        }
        const int status = Run(ExecArguments(exec, Target), nullptr, Error);
        if (status == 0) return true;
        if (status > 0) Error = "The program for .htm documents could not open \"" + Target + "\".";
        return false;
    }
};

IShellOpener* gOpener = nullptr;

} // namespace

IShellOpener* DesktopShellOpener() {
    static TDesktopShellOpener opener;
    return &opener;
}

IShellOpener* ShellOpener() {
    return gOpener ? gOpener : DesktopShellOpener();
}

void SetShellOpener(IShellOpener* Opener) {
    gOpener = Opener;
}

bool ShellOpen(const String& Target, String& Error) {
    return ShellOpener()->Open(Target, Error);
}
