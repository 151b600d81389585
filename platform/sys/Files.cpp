#include "platform/sys/Handles.h"

#include "platform/rtl/SysUtils.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

String GetModuleFileNameW(HMODULE Module) {
    String path = Module == nullptr ? ParamStr(0) : String();
    if (path.empty()) SetLastError(Module == nullptr ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_HANDLE);
    return path;
}

HANDLE CreateFileW(const String& FileName, DWORD DesiredAccess, DWORD ShareMode, DWORD CreationDisposition,
                   DWORD FlagsAndAttributes) {
    int flags = O_CLOEXEC | O_NOFOLLOW;
    const bool reading = DesiredAccess & GENERIC_READ;
    const bool writing = DesiredAccess & GENERIC_WRITE;
    flags |= reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY;
    switch (CreationDisposition) {
    case CREATE_NEW:
        flags |= O_CREAT | O_EXCL;
        break;
    case CREATE_ALWAYS:
        flags |= O_CREAT | O_TRUNC;
        break;
    case OPEN_EXISTING:
        break;
    case OPEN_ALWAYS:
        flags |= O_CREAT;
        break;
    case TRUNCATE_EXISTING:
        flags |= O_TRUNC;
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const bool program = FlagsAndAttributes & FILE_ATTRIBUTE_PROGRAM;
    int fd;
    do {
        fd = ::open(FileName.c_str(), flags, program ? 0700 : 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        FailWithErrno();
        return INVALID_HANDLE_VALUE;
    }
    // The umask may have taken bits away; a new program gets exactly 0700.
    const bool created = CreationDisposition == CREATE_NEW || CreationDisposition == CREATE_ALWAYS;
    if (program && created && ::fchmod(fd, 0700) != 0) {
        FailWithErrno();
        ::close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return new TFileHandle(fd);
}

BOOL WriteFile(HANDLE File, const void* Buffer, DWORD NumberOfBytesToWrite, DWORD* NumberOfBytesWritten) {
    auto* file = dynamic_cast<TFileHandle*>(File == INVALID_HANDLE_VALUE ? nullptr : File);
    if (NumberOfBytesWritten) *NumberOfBytesWritten = 0;
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    const char* p = static_cast<const char*>(Buffer);
    DWORD done = 0;
    while (done < NumberOfBytesToWrite) {
        ssize_t n = ::write(file->Fd, p + done, NumberOfBytesToWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return FailWithErrno();
        }
        done += static_cast<DWORD>(n);
        if (NumberOfBytesWritten) *NumberOfBytesWritten = done;
    }
    return true;
}

BOOL DeleteFileW(const String& FileName) {
    return ::unlink(FileName.c_str()) == 0 || FailWithErrno();
}

BOOL GetFileIdInfo(HANDLE File, FILE_ID_INFO& Info) {
    auto* file = dynamic_cast<TFileHandle*>(File == INVALID_HANDLE_VALUE ? nullptr : File);
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    struct stat st {};
    if (::fstat(file->Fd, &st) != 0) return FailWithErrno();
    Info.VolumeSerialNumber = static_cast<std::uint64_t>(st.st_dev);
    Info.FileId = static_cast<std::uint64_t>(st.st_ino);
    return true;
}

BOOL IsOwnedRegularFile(const String& FileName) {
    struct stat st {};
    if (::lstat(FileName.c_str(), &st) != 0) return FailWithErrno();
    return S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

BOOL SetCurrentDirectoryW(const String& PathName) {
    if (PathName.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    return ::chdir(PathName.c_str()) == 0 || FailWithErrno();
}

String GetTempPathW() {
    const char* dir = std::getenv("TMPDIR");
    return IncludeTrailingPathDelimiter(dir && *dir ? String(dir) : String("/tmp"));
}
