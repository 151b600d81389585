// The desktop's opener: "xdg-open TARGET" for the open verb; for the .htm
// handler, the desktop entry that "xdg-mime query default text/html" names,
// whose Exec line is run with the target in place of its field code. Every
// program is started directly with an argument vector.
#include "platform/sys/Shell.h"

#include "platform/rtl/SysUtils.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

String StartError(const String& Program, int Code) {
    return String("Could not start ") + Program + ": " + std::strerror(Code) +
           ". Install the desktop's utilities (xdg-utils) to open links.";
}

// The file that running Program would start: Program itself when it names a
// folder, else the first executable file of that name in a folder of PATH;
// empty when there is none.
String FindProgram(const String& Program) {
    auto runnable = [](const String& File) {
        struct stat st {};
        return ::stat(File.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(File.c_str(), X_OK) == 0;
    };
    if (Program.find('/') != String::npos) return runnable(Program) ? Program : String();
    const char* path = std::getenv("PATH");
    const String list = path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(':', start);
        if (end == String::npos) end = list.size();
        const String folder = end > start ? list.substr(start, end - start) : String(".");
        if (runnable(folder + "/" + Program)) return folder + "/" + Program;
        start = end + 1;
    }
    return String();
}

// Starts Args[0] (searched on PATH) and leaves it running on its own: in a
// session of its own, with no descriptor of this program but the standard
// ones, and as the child of a go-between that ends at once, so that nothing
// here waits for it or has to collect it. Answers whether it started (its
// program was found and executed); Error says why not.
bool StartDetached(const std::vector<String>& Args, String& Error) {
    const String program = FindProgram(Args[0]);
    if (program.empty()) {
        Error = StartError(Args[0], ENOENT);
        return false;
    }
    std::vector<char*> argv;
    for (const String& a : Args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // The program's own failure to execute comes back through the pipe; a
    // successful exec closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        Error = StartError(Args[0], errno);
        return false;
    }
    const pid_t between = ::fork();
    if (between == 0) {
        // Between fork and exec only calls that are safe in a copy of a
        // program with several threads.
        const pid_t opener = ::fork();
        if (opener == 0) {
            ::setsid();
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
            ::execv(program.c_str(), argv.data());
        }
        if (opener <= 0) {
            const int code = errno;
            ssize_t written = ::write(report[1], &code, sizeof code);
            (void)written;
        }
        ::_exit(0);
    }
    const int forkError = errno;
    ::close(report[1]);
    if (between < 0) {
        ::close(report[0]);
        Error = StartError(Args[0], forkError);
        return false;
    }
    while (::waitpid(between, nullptr, 0) < 0 && errno == EINTR) {
    }
    int code = 0;
    ssize_t n;
    while ((n = ::read(report[0], &code, sizeof code)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    if (n > 0) {
        Error = StartError(Args[0], code);
        return false;
    }
    return true;
}

// Runs Args[0] (searched on PATH) and reads its standard output into Output
// until it ends. Answers its exit status, -1 when it could not start.
int Query(const std::vector<String>& Args, String& Output, String& Error) {
    std::vector<char*> argv;
    for (const String& a : Args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        Error = StartError(Args[0], errno);
        return -1;
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        Error = StartError(Args[0], rc);
        return -1;
    }
    char buffer[512];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0) Output.append(buffer, static_cast<size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
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
    // The opener is not waited for: a browser may stay in the foreground
    // for as long as it shows the page. What it does once started is its
    // own business (it tells the user itself when it has no program for
    // the target).
    bool Open(const String& Target, String& Error) override { return StartDetached({"xdg-open", Target}, Error); }

    bool OpenWithHtmHandler(const String& Target, String& Error) override {
        String entry;
        if (Query({"xdg-mime", "query", "default", "text/html"}, entry, Error) != 0) {
            if (Error.empty()) Error = "xdg-mime could not name the program for .htm documents.";
            return false;
        }
        entry = Trim(entry);
        const String exec = entry.empty() ? String() : DesktopEntryExec(entry);
        if (exec.empty()) {
            Error = "The desktop names no program for .htm documents. Set a default web browser.";
            return false;
        }
        return StartDetached(ExecArguments(exec, Target), Error);
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
