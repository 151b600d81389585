#include "StarterRun.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

TStartedProgram::TStartedProgram(const std::string& Program, const std::vector<std::string>& Args,
                                 const std::map<std::string, std::string>& Env, const std::string& Folder,
                                 rlim_t FileSizeLimit) {
    static int count = 0;
    const std::string stem = Folder + "/run" + std::to_string(++count);
    FOut = stem + ".out";
    FErr = stem + ".err";

    std::map<std::string, std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const auto eq = entry.find('=');
        env[entry.substr(0, eq)] = eq == std::string::npos ? "" : entry.substr(eq + 1);
    }
    for (const auto& [key, value] : Env)
        env[key] = value;
    std::vector<std::string> envStrings, argStrings{Program};
    for (const auto& [key, value] : env)
        envStrings.push_back(key + "=" + value);
    argStrings.insert(argStrings.end(), Args.begin(), Args.end());
    std::vector<char*> envp, argv;
    for (auto& s : envStrings)
        envp.push_back(s.data());
    for (auto& s : argStrings)
        argv.push_back(s.data());
    envp.push_back(nullptr);
    argv.push_back(nullptr);

    // Only async-signal-safe calls between fork and exec.
    FPid = ::fork();
    if (FPid == 0) {
        int out = ::open(FOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = ::open(FErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
        if (FileSizeLimit != RLIM_INFINITY) {
            // Writing past the limit then fails with an error instead of a signal.
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{FileSizeLimit, FileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::execve(Program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
}

TRunResult TStartedProgram::Wait() {
    TRunResult result;
    int status = 0;
    while (::waitpid(FPid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) result.ExitCode = WEXITSTATUS(status);
    result.Out = testfiles::ReadAll(FOut);
    result.Err = testfiles::ReadAll(FErr);
    return result;
}

TProbeRecord ReadProbeRecord(const std::string& File) {
    TProbeRecord record;
    std::istringstream in(testfiles::ReadAll(File));
    for (std::string line; std::getline(in, line);) {
        const auto eq = line.find('=');
        record[line.substr(0, eq)].push_back(line.substr(eq + 1));
    }
    return record;
}

bool WaitForFile(const std::string& File) {
    for (int i = 0; i < 6000; ++i) {
        if (::access(File.c_str(), F_OK) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}
