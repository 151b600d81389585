#include "host/image/FirmwareFile.h"

#include "platform/rtl/SysUtils.h"

#include <cerrno>
#include <fstream>
#include <sstream>

String FirmwareFileText(String FileBytes, const TXxteaKey& Key) {
    const std::size_t words = FileBytes.size() / 4;
    if (words <= static_cast<std::size_t>(FirmwareHeaderWords)) return "\r\n";
    TDynamicIntArray body(words - FirmwareHeaderWords);
    const auto* p = reinterpret_cast<const unsigned char*>(FileBytes.data()) + 4 * FirmwareHeaderWords;
    for (std::size_t i = 0; i < body.size(); ++i, p += 4)
        body[i] = static_cast<Integer>(Cardinal(p[0]) | Cardinal(p[1]) << 8 | Cardinal(p[2]) << 16 |
                                       Cardinal(p[3]) << 24);
    String().swap(FileBytes);
    XxteaDecipher(body, Key);
    String text = WordsToString(body);
    TDynamicIntArray().swap(body);
    text += "\r\n";
    return text;
}

bool LoadFirmwareFile(THexImage& Image, const String& FileName, const TXxteaKey& Key,
                      const TDeviceTypeRec& Target) {
    if (!FileExists(FileName)) {
        Image.Events.MessageBox("Cannot find firmware file " + FileName, TImageBoxKind::Error);
        return false;
    }
    String bytes;
    int error = 0;
    {
        std::ifstream in(FileName, std::ios::binary);
        std::ostringstream ss;
        if (in) ss << in.rdbuf();
        if (!in || in.bad()) error = errno ? errno : EIO;
        bytes = ss.str();
    }
    if (!error && bytes.size() < static_cast<std::size_t>(FirmwareMinFileSize)) {
        Image.Events.MessageBox(
            "Cannot read firmware file " + FileName + ": it is too short to hold any firmware.",
            TImageBoxKind::Error);
        return false;
    }
    Image.Lines.Clear();
    Image.Events.AddResultLine("");
    Image.Events.AddResultLine("Reading firmware file: " + FileName + " ...");
    if (error) throw EInOutError("Cannot read firmware file " + FileName + ": " + SysErrorMessage(error));
    Image.Lines.SetText(FirmwareFileText(std::move(bytes), Key));
    return Image.ImageLoaded(Target);
}
