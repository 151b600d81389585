#pragma once
// Runs a launcher program the way a user would, for tests.

#include "platform/sys/TestFiles.h"

#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

struct TRunResult {
    int ExitCode = -1; // -1 when the program did not end normally
    std::string Out, Err;
};

// One started program; its standard output and error go to files in Folder.
class TStartedProgram {
public:
    // Env entries are added to (or replace) this process's environment.
    // FileSizeLimit limits the size of files the program writes.
    TStartedProgram(const std::string& Program, const std::vector<std::string>& Args,
                    const std::map<std::string, std::string>& Env, const std::string& Folder,
                    rlim_t FileSizeLimit = RLIM_INFINITY);
    TRunResult Wait();

private:
    pid_t FPid = -1;
    std::string FOut, FErr;
};

// The record that the probe wrote: every value of each key, in order.
using TProbeRecord = std::map<std::string, std::vector<std::string>>;
TProbeRecord ReadProbeRecord(const std::string& File);
// Waits (at most 30 s) until File exists.
bool WaitForFile(const std::string& File);
