#include "tools/mkpfw/PfwWriter.h"

#include "host/image/FirmwareFile.h"
#include "platform/rtl/SysUtils.h"
#include "tools/mkpfw/XxteaEncipher.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

String MakeFirmwareFile(const String& Text, const TXxteaKey& Key) {
    // Words are little-endian: on such a machine the bytes are copied as
    // they stand.
    constexpr bool littleEndian = std::endian::native == std::endian::little;
    std::vector<Cardinal> body(std::max<std::size_t>(2, (Text.size() + 3) / 4), 0);
    if constexpr (littleEndian)
        std::memcpy(body.data(), Text.data(), Text.size());
    else
        for (std::size_t i = 0; i < Text.size(); ++i)
            body[i / 4] |= Cardinal(static_cast<unsigned char>(Text[i])) << (8 * (i % 4));
    XxteaEncipher(body.data(), body.size(), Key);

    String file(4 * FirmwareHeaderWords + 4 * body.size(), '\0');
    char* out = file.data() + 4 * FirmwareHeaderWords;
    if constexpr (littleEndian)
        std::memcpy(out, body.data(), 4 * body.size());
    else
        for (Cardinal w : body)
            for (int b = 0; b < 4; ++b) *out++ = static_cast<char>((w >> (8 * b)) & 0xFF);
    return file;
}

void WriteFileAtomically(const String& FileName, const String& Bytes) {
    const auto slash = FileName.rfind('/');
    const String folder = slash == String::npos ? String() : FileName.substr(0, slash + 1);
    const String base = slash == String::npos ? FileName : FileName.substr(slash + 1);
    TTempFileGuard temp(folder + "." + base + ".XXXXXX");
    if (temp.Fd() < 0)
        throw EFCreateError("Cannot create a temporary file in the folder of \"" + FileName + "\". " +
                            SysErrorMessage(errno));
    auto fail = [&](int Error) {
        throw EWriteError("Cannot write \"" + FileName + "\". " + SysErrorMessage(Error));
    };
    for (std::size_t done = 0; done < Bytes.size();) {
        const ssize_t n = write(temp.Fd(), Bytes.data() + done, Bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail(n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    if (fchmod(temp.Fd(), UsualFileMode()) != 0) fail(errno);
    if (const int error = temp.Close()) fail(error);
    if (std::rename(temp.Name().c_str(), FileName.c_str()) != 0) fail(errno);
    temp.Release();
}
