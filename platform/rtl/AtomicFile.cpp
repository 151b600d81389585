// WriteFileAtomically (SysUtils.h): a file replaced whole or not at all.
#include "platform/rtl/SysUtils.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file until it is renamed into place: closed and removed
// when the write does not get that far.
class TTempFileGuard {
public:
    explicit TTempFileGuard(String Name) : FName(std::move(Name)) {
        FFd = mkstemp(FName.data());
        if (FFd < 0) FName.clear();
    }
    TTempFileGuard(const TTempFileGuard&) = delete;
    TTempFileGuard& operator=(const TTempFileGuard&) = delete;
    ~TTempFileGuard() {
        if (FFd >= 0) close(FFd);
        if (!FName.empty()) unlink(FName.c_str());
    }
    int Fd() const { return FFd; }
    const String& Name() const { return FName; }
    // Closes the file; 0 or the error of the close.
    int Close() {
        const int rc = close(FFd);
        FFd = -1;
        return rc == 0 ? 0 : errno;
    }
    // The file now lives under another name: nothing to remove.
    void Release() { FName.clear(); }

private:
    String FName;
    int FFd = -1;
};

mode_t UsualFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

void WriteFileAtomically(const String& FileName_, const String& Bytes) {
    // A link is followed: the file it names is replaced, the link stays.
    String FileName = FileName_;
    if (char* real = realpath(FileName_.c_str(), nullptr)) {
        FileName = real;
        std::free(real);
    }
    struct stat old {};
    const mode_t mode = stat(FileName.c_str(), &old) == 0 ? (old.st_mode & 07777) : UsualFileMode();
    const auto slash = FileName.rfind('/');
    const String folder = slash == String::npos ? String() : FileName.substr(0, slash + 1);
    const String base = slash == String::npos ? FileName : FileName.substr(slash + 1);
    TTempFileGuard temp(folder + "." + base + ".XXXXXX");
    if (temp.Fd() < 0)
        throw EFCreateError("Cannot create a temporary file in the folder of \"" + FileName_ + "\". " +
                            SysErrorMessage(errno));
    auto fail = [&](int Error) {
        throw EWriteError("Cannot write \"" + FileName_ + "\". " + SysErrorMessage(Error) +
                          " The file was left as it was.");
    };
    for (std::size_t done = 0; done < Bytes.size();) {
        const ssize_t n = write(temp.Fd(), Bytes.data() + done, Bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail(n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    if (fsync(temp.Fd()) != 0) fail(errno);
    if (fchmod(temp.Fd(), mode) != 0) fail(errno);
    if (const int error = temp.Close()) fail(error);
    if (std::rename(temp.Name().c_str(), FileName.c_str()) != 0) fail(errno);
    temp.Release();
}
