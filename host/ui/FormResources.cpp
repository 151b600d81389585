#include "host/ui/FormResources.h"
#include "platform/rtl/SysUtils.h"
#include "platform/sys/Win32.h"

String FormResourceText(const String& Name) {
    HRSRC info = FindResourceW(nullptr, Name, RT_RCDATA);
    if (!info) throw EResNotFound("Resource " + Name + " not found");
    const void* data = LockResource(LoadResource(nullptr, info));
    return String(static_cast<const char*>(data), SizeofResource(nullptr, info));
}
