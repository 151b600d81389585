#include "launcher/Launcher.h"

#include "launcher/ZLibInflate.h"
#include "platform/gui/boxes/MessageBoxes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/sys/Win32.h"

#include <cstdlib>
#include <new>
#include <vector>

namespace {

// How many names are drawn before giving up when each one is taken by
// something that is not ours to delete.
constexpr int NameAttempts = 16;

// A box of no owner on the display when there is one (the launcher has no
// window of its own); on standard error otherwise.
void ShowError(const String& Text) {
    TMessageBoxDisplay Display;
    MessageBox(0, Text, "Error", MB_OK);
}

// Creates the temporary program file under a fresh name: exclusively,
// never through a symbolic link, readable, writable and executable by the
// owner only. A leftover regular file of ours under the chosen name is
// deleted first; a name held by anything else (a link, a folder, another
// user's file) is left alone and another number is drawn.
HANDLE CreateTempProgramFile(const String& TempFolder, String& TempProgramPath) {
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        TempProgramPath = TempFolder + TempProgramName();
        if (IsOwnedRegularFile(TempProgramPath)) DeleteFileW(TempProgramPath);
        HANDLE file =
            CreateFileW(TempProgramPath, GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_PROGRAM);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Writes the program image into the open file and closes it; Written
// receives the identity of the file written. Raises with the system's
// reason when it cannot.
void WriteProgramImage(const std::vector<Byte>& ImageBuffer, HANDLE& File, FILE_ID_INFO& Written) {
    const bool written = WriteFile(File, ImageBuffer.data(), static_cast<DWORD>(ImageBuffer.size()), nullptr) &&
                         GetFileIdInfo(File, Written);
    const DWORD writeError = GetLastError();
    const bool closed = CloseHandle(File);
    File = INVALID_HANDLE_VALUE;
    if (!written || !closed)
        throw EWriteError(SysErrorMessage(static_cast<int>(written ? GetLastError() : writeError)));
}

// Runs Step; when it raises, Failure becomes What followed by the reason
// ("Cannot unpack the program: buffer error") and the answer is false.
template <class F> bool Attempt(const String& What, F&& Step, String& Failure) {
    try {
        Step();
        return true;
    } catch (const std::bad_alloc&) {
        Failure = What + ": out of memory";
    } catch (const std::exception& E) {
        Failure = What + ": " + E.what();
    }
    return false;
}

// Unpacks the carried stream into the open file and closes it (the image
// is freed afterwards); Written receives the identity of the file written.
// Answers what failed and why, empty when all went well.
String UnpackProgram(const void* Stream, DWORD StreamSize, HANDLE& File, const String& TempProgramPath,
                     FILE_ID_INFO& Written) {
    std::vector<Byte> ImageBuffer;
    String Failure;
    if (Attempt("Cannot unpack the program", [&] { InflateWholeBuffer(Stream, StreamSize, 0, ImageBuffer); },
                Failure))
        Attempt("Cannot write the program to " + TempProgramPath,
                [&] { WriteProgramImage(ImageBuffer, File, Written); }, Failure);
    return Failure;
}

} // namespace

HANDLE OpenWrittenProgram(const String& TempProgramPath, const FILE_ID_INFO& Written) {
    HANDLE Program = CreateFileW(TempProgramPath, GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    FILE_ID_INFO Found;
    if (Program == INVALID_HANDLE_VALUE || (GetFileIdInfo(Program, Found) && Found == Written)) return Program;
    CloseHandle(Program);
    return INVALID_HANDLE_VALUE;
}

String TempProgramName() {
    return "Pelsor_" + IntToStr(Random(2147483647)) + ".exe";
}

void SeedRandomGenerator() {
    Integer fixed = 0;
    const char* seed = std::getenv("STARTER_RANDSEED");
    Int64 counter = 0;
    if (seed && TryStrToInt(seed, fixed))
        RandSeed = static_cast<std::uint32_t>(fixed);
    else if (QueryPerformanceCounter(counter))
        RandSeed = static_cast<std::uint32_t>(counter);
    else
        RandSeed = timeGetTime();
}

Integer RunEmbeddedApplication() {
    const String LauncherPath = GetModuleFileNameW(nullptr);
    const String LauncherFolder = ExtractFilePath(LauncherPath);
    SetCurrentDirectoryW(LauncherFolder);

    HRSRC Resource = FindResourceW(nullptr, "PELSORDATA", RT_RCDATA);
    if (!Resource) return 0;
    const void* Stream = LockResource(LoadResource(nullptr, Resource));
    const DWORD StreamSize = SizeofResource(nullptr, Resource);

    String TempProgramPath;
    HANDLE File = CreateTempProgramFile(GetTempPathW(), TempProgramPath);
    if (File == INVALID_HANDLE_VALUE) {
        ShowError("Error #1");
        return 0;
    }

    FILE_ID_INFO Written;
    const String Failure = UnpackProgram(Stream, StreamSize, File, TempProgramPath, Written);
    if (!Failure.empty()) {
        // A damaged stream, a failed write or no memory: nothing may be left behind.
        if (File != INVALID_HANDLE_VALUE) CloseHandle(File);
        DeleteFileW(TempProgramPath);
        ShowError(Failure);
        return 1;
    }

    // What runs is the file written, never what its name may hold by now
    // (a temporary folder that others can write to).
    HANDLE Program = OpenWrittenProgram(TempProgramPath, Written);
    STARTUPINFOW StartupInfo{};
    StartupInfo.cb = sizeof StartupInfo;
    PROCESS_INFORMATION ProcessInfo{};
    const bool started = Program != INVALID_HANDLE_VALUE &&
                         CreateProcessFromFileW(Program, {LauncherPath}, false, 0, nullptr, LauncherFolder,
                                                StartupInfo, ProcessInfo);
    if (Program != INVALID_HANDLE_VALUE) CloseHandle(Program);
    if (!started) {
        ShowError("Error #2");
        return 0;
    }
    WaitForSingleObject(ProcessInfo.hProcess, INFINITE);
    CloseHandle(ProcessInfo.hProcess);
    CloseHandle(ProcessInfo.hThread);
    Sleep(250);
    DeleteFileW(TempProgramPath);
    return 0;
}
