// The program that Starter carries by default: it records how it was
// started, so that tests can check it.
//
// STARTER_PROBE_OUTPUT  file to write the record to (lines "key=value"):
//                       cwd, exe (its own file), mode (of that file, octal),
//                       arg (one line per argument), fd (open descriptors
//                       besides standard input, output and error)
// STARTER_PROBE_HOLD    after writing, wait (at most 60 s) until this file exists
// STARTER_PROBE_EXIT    exit code (default 0)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv) {
    const char* output = std::getenv("STARTER_PROBE_OUTPUT");
    if (output) {
        std::string record;
        char buf[4096];
        record += "cwd=" + std::string(getcwd(buf, sizeof buf) ? buf : "?") + "\n";
        ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
        const std::string exe = n > 0 ? std::string(buf, static_cast<size_t>(n)) : "?";
        struct stat st {};
        stat(exe.c_str(), &st);
        std::snprintf(buf, sizeof buf, "%o", static_cast<unsigned>(st.st_mode & 07777));
        record += "exe=" + exe + "\nmode=" + buf + "\n";
        for (int i = 0; i < argc; ++i)
            record += "arg=" + std::string(argv[i]) + "\n";
        if (DIR* dir = opendir("/proc/self/fd")) {
            while (dirent* e = readdir(dir)) {
                const int fd = std::atoi(e->d_name);
                if (e->d_name[0] != '.' && fd > 2 && fd != dirfd(dir))
                    record += "fd=" + std::string(e->d_name) + "\n";
            }
            closedir(dir);
        }
        // Written aside and renamed, so that a reader never sees half a record.
        const std::string part = std::string(output) + ".part";
        if (FILE* f = std::fopen(part.c_str(), "w")) {
            std::fputs(record.c_str(), f);
            std::fclose(f);
            std::rename(part.c_str(), output);
        }
    }
    if (const char* hold = std::getenv("STARTER_PROBE_HOLD")) {
        for (int i = 0; i < 30000 && access(hold, F_OK) != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const char* code = std::getenv("STARTER_PROBE_EXIT");
    return code ? std::atoi(code) : 0;
}
