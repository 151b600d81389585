#include "tools/mkpfw/PfwWriter.h"

#include "host/image/FirmwareFile.h"
#include "platform/rtl/SysUtils.h"
#include "tools/mkpfw/XxteaEncipher.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

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
