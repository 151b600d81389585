#include "platform/rtl/VersionInfo.h"
#include "platform/rtl/SysUtils.h"

#include <cstring>
#include <mutex>

namespace {

// The block as stored: "<path>\0<value>\0" per string, the path being
// "StringFileInfo\<lang>\<key>".
std::mutex gLock;
String gBlock;
bool gInstalled = false;

bool IsProgramFile(const String& FileName) {
    return !FileName.empty() && ExpandFileName(FileName) == ExpandFileName(ParamStr(0));
}

} // namespace

void SetProgramVersionInfo(const TVersionInfoBlock* Block) {
    std::lock_guard lock(gLock);
    gBlock.clear();
    gInstalled = Block != nullptr;
    if (!Block) return;
    for (const auto& [key, value] : Block->Strings) {
        gBlock += "StringFileInfo\\" + Block->LangCodePage + "\\" + key;
        gBlock += '\0';
        gBlock += value;
        gBlock += '\0';
    }
}

Cardinal GetFileVersionInfoSizeA(const String& FileName, Cardinal& Handle) {
    Handle = 0;
    std::lock_guard lock(gLock);
    if (!gInstalled || !IsProgramFile(FileName)) return 0;
    // An installed block without strings still has a size, as an empty
    // string table would.
    return static_cast<Cardinal>(gBlock.size()) + 1;
}

bool GetFileVersionInfoA(const String& FileName, Cardinal Handle, Cardinal Len, void* Data) {
    std::lock_guard lock(gLock);
    if (!gInstalled || !IsProgramFile(FileName) || !Data) return false;
    const String whole = gBlock + '\0';
    std::memcpy(Data, whole.data(), std::min<std::size_t>(Len, whole.size()));
    return true;
}

bool VerQueryValueA(const void* Block, Cardinal BlockLen, const String& SubBlock, const char*& Buffer,
                    Cardinal& Len) {
    Buffer = nullptr;
    Len = 0;
    if (!Block) return false;
    const char* p = static_cast<const char*>(Block);
    const char* end = p + BlockLen;
    // Walks the path/value pairs; a pair cut off by the block's end is not read.
    while (p < end) {
        const char* pathEnd = static_cast<const char*>(std::memchr(p, '\0', end - p));
        if (!pathEnd || pathEnd == p) return false;
        const char* value = pathEnd + 1;
        const char* valueEnd =
            value < end ? static_cast<const char*>(std::memchr(value, '\0', end - value)) : nullptr;
        if (!valueEnd) return false;
        if (SameText(String(p, pathEnd), SubBlock)) {
            Buffer = value;
            Len = static_cast<Cardinal>(valueEnd - value) + 1;
            return true;
        }
        p = valueEnd + 1;
    }
    return false;
}
