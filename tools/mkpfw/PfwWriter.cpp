#include "tools/mkpfw/PfwWriter.h"

#include "host/image/FirmwareFile.h"
#include "tools/mkpfw/XxteaEncipher.h"

#include <algorithm>
#include <vector>

String MakeFirmwareFile(const String& Text, const TXxteaKey& Key) {
    std::vector<Cardinal> body(std::max<std::size_t>(2, (Text.size() + 3) / 4), 0);
    for (std::size_t i = 0; i < Text.size(); ++i)
        body[i / 4] |= Cardinal(static_cast<unsigned char>(Text[i])) << (8 * (i % 4));
    XxteaEncipher(body.data(), body.size(), Key);

    String file(4 * FirmwareHeaderWords, '\0');
    file.reserve(file.size() + 4 * body.size());
    for (Cardinal w : body)
        for (int b = 0; b < 4; ++b) file += static_cast<char>((w >> (8 * b)) & 0xFF);
    return file;
}
