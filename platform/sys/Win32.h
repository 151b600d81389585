#pragma once
// The operating-system services that the system's programs call by their
// Win32 names, built on POSIX. Strings are UTF-8 throughout and paths use '/'.
//
// Sections: handles and errors; modules and resources; files and folders;
// processes; time. Every function sets the calling thread's last error
// (GetLastError) when it fails. Message boxes (MessageBox) are the GUI
// platform's: platform/gui/boxes/MessageBoxes.h.

#include "platform/rtl/Clock.h"    // Sleep

#include <cerrno>
#include <cstdint>
#include <vector>

using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using BOOL = Boolean;

// ================================================================ handles and errors

// A handle names an open file, a started process or its main thread.
// CloseHandle releases any of them.
struct THandleObject;
using HANDLE = THandleObject*;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~std::uintptr_t(0));

BOOL CloseHandle(HANDLE Object);

// The last error of the calling thread. Error codes are the system's errno
// values, so SysErrorMessage (SysUtils) gives their text; the ERROR_ names
// stand for the matching errno values.
DWORD GetLastError();
void SetLastError(DWORD ErrorCode);

inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = ENOENT;
inline constexpr DWORD ERROR_ACCESS_DENIED = EACCES;
inline constexpr DWORD ERROR_INVALID_HANDLE = EBADF;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = ENOMEM;
inline constexpr DWORD ERROR_FILE_EXISTS = EEXIST;
inline constexpr DWORD ERROR_ALREADY_EXISTS = EEXIST;
inline constexpr DWORD ERROR_INVALID_PARAMETER = EINVAL;
inline constexpr DWORD ERROR_DISK_FULL = ENOSPC;
inline constexpr DWORD ERROR_BAD_EXE_FORMAT = ENOEXEC;

// ================================================================ modules and resources

// A module is the running program itself, named by nullptr; the program
// has no other modules.
struct TModuleObject;
using HMODULE = TModuleObject*;

// The program file's full path; empty on failure.
String GetModuleFileNameW(HMODULE Module);

// Resources are data linked into the program by the build
// (quenta_embed_resource in CMake). Names and types are texts compared
// without regard to case; a numbered name or type is "#" + its number,
// as MAKEINTRESOURCEW makes it.
struct TResourceEntry;
using HRSRC = const TResourceEntry*;
using HGLOBAL = const TResourceEntry*;

String MAKEINTRESOURCEW(Word Id);
inline constexpr const char* RT_BITMAP = "#2";
inline constexpr const char* RT_RCDATA = "#10";

// nullptr (last error ERROR_FILE_NOT_FOUND) when the program holds no such resource.
HRSRC FindResourceW(HMODULE Module, const String& Name, const String& Type);
HGLOBAL LoadResource(HMODULE Module, HRSRC ResInfo);
// The resource's bytes, read-only, valid for the program's lifetime.
const void* LockResource(HGLOBAL ResData);
DWORD SizeofResource(HMODULE Module, HRSRC ResInfo);

// ================================================================ files and folders

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;

inline constexpr DWORD CREATE_NEW = 1;    // fails when the name exists in any form
inline constexpr DWORD CREATE_ALWAYS = 2; // creates or truncates
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;

// A new file is readable and writable by everyone the umask allows.
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
// A new file is a program: readable, writable and executable by its owner
// only (mode 0700, whatever the umask).
inline constexpr DWORD FILE_ATTRIBUTE_PROGRAM = 0x01000000;

// Opens or creates a file. A symbolic link as the last part of the name is
// never followed (the call fails), and the handle is never inherited by a
// started program. Share modes have no effect here.
HANDLE CreateFileW(const String& FileName, DWORD DesiredAccess, DWORD ShareMode, DWORD CreationDisposition,
                   DWORD FlagsAndAttributes);

// Writes all of Buffer (retrying short writes). NumberOfBytesWritten, when
// given, receives what was written, also when the call fails part way.
BOOL WriteFile(HANDLE File, const void* Buffer, DWORD NumberOfBytesToWrite, DWORD* NumberOfBytesWritten);

// Deletes a file (a symbolic link itself, never what it points to). Fails for folders.
BOOL DeleteFileW(const String& FileName);

// What identifies a file while it exists: the device that holds it and its
// number there (the stand-in of the system's file ID information). Two open
// handles with equal values name the same file, whatever its name now is.
struct FILE_ID_INFO {
    std::uint64_t VolumeSerialNumber = 0;
    std::uint64_t FileId = 0;
    bool operator==(const FILE_ID_INFO&) const = default;
};
BOOL GetFileIdInfo(HANDLE File, FILE_ID_INFO& Info);

// True when FileName is a regular file (not a link to one) owned by the
// user this program runs as.
BOOL IsOwnedRegularFile(const String& FileName);

BOOL SetCurrentDirectoryW(const String& PathName);

// The folder for temporary files, with a trailing separator: $TMPDIR when
// set and not empty, else "/tmp/".
String GetTempPathW();

// ================================================================ processes

// Only the size field is read; the rest of the start-up settings have no
// counterpart here.
struct STARTUPINFOW {
    DWORD cb = 0;
};

struct PROCESS_INFORMATION {
    HANDLE hProcess = nullptr;
    HANDLE hThread = nullptr; // the main thread; waiting for it waits for the process
    DWORD dwProcessId = 0;
    DWORD dwThreadId = 0;
};

// Starts ApplicationName (CommandLine[0] when empty) directly, never through
// a shell. CommandLine is the program's whole argument vector, passed as it
// stands. Environment nullptr passes this program's own; CurrentDirectory
// empty keeps this program's. Without InheritHandles the new program gets
// only the standard input, output and error. Signal handling starts afresh.
// CreationFlags has no effect here. Fails (FALSE, last error set) when the
// program cannot be started, also when its file is not a program.
BOOL CreateProcessW(const String& ApplicationName, const std::vector<String>& CommandLine,
                    BOOL InheritHandles, DWORD CreationFlags, const std::vector<String>* Environment,
                    const String& CurrentDirectory, const STARTUPINFOW& StartupInfo,
                    PROCESS_INFORMATION& ProcessInformation);

// As CreateProcessW, but starts the program file open as ProgramFile (read
// access is enough) rather than one found by name: what runs is that file,
// even when its name has meanwhile been given to another. The handle stays
// open (close it after the call); the new program does not get it.
BOOL CreateProcessFromFileW(HANDLE ProgramFile, const std::vector<String>& CommandLine, BOOL InheritHandles,
                            DWORD CreationFlags, const std::vector<String>* Environment,
                            const String& CurrentDirectory, const STARTUPINFOW& StartupInfo,
                            PROCESS_INFORMATION& ProcessInformation);

inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 0x00000102;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

// Waits until the process (or its thread) has ended, at most Milliseconds.
// An ended process stays signalled: later waits return at once.
DWORD WaitForSingleObject(HANDLE Handle, DWORD Milliseconds);

// ================================================================ time

// A high-resolution monotonic counter, in nanoseconds.
BOOL QueryPerformanceCounter(Int64& PerformanceCount);
