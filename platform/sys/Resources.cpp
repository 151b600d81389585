#include "platform/sys/EmbeddedResource.h"
#include "platform/sys/Win32.h"

#include "platform/rtl/SysUtils.h"

#include <deque>

struct TResourceEntry {
    String Name;
    String Type;
    const void* Data;
    DWORD Size;
};

namespace {
// Filled while the program's static objects are built, read-only afterwards.
// A deque keeps the entries in place, so HRSRC values stay valid.
std::deque<TResourceEntry>& Registry() {
    static std::deque<TResourceEntry> registry;
    return registry;
}
} // namespace

TEmbeddedResource::TEmbeddedResource(const char* Name, const char* Type, const void* Data, std::size_t Size) {
    Registry().push_back({Name, Type, Data, static_cast<DWORD>(Size)});
}

String MAKEINTRESOURCEW(Word Id) {
    return "#" + IntToStr(Id);
}

HRSRC FindResourceW(HMODULE Module, const String& Name, const String& Type) {
    if (Module == nullptr) {
        for (const TResourceEntry& entry : Registry())
            if (SameText(entry.Name, Name) && SameText(entry.Type, Type)) return &entry;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

HGLOBAL LoadResource(HMODULE Module, HRSRC ResInfo) {
    if (!ResInfo) SetLastError(ERROR_INVALID_HANDLE);
    return ResInfo;
}

const void* LockResource(HGLOBAL ResData) {
    return ResData ? ResData->Data : nullptr;
}

DWORD SizeofResource(HMODULE Module, HRSRC ResInfo) {
    if (!ResInfo) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return ResInfo->Size;
}
