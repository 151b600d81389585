#include "platform/gui/controls/WindowPicture.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/rtl/SysUtils.h"

#include <QImage>

void SaveWindowPicture(TWinControl* Control, const String& FileName) {
    const QImage shot = GrabWindow(Control);
    if (shot.isNull())
        throw EFCreateError("Cannot take a picture of " + Control->Name() + ": it has no window yet");
    if (!shot.save(QString::fromStdString(FileName), "PNG"))
        throw EFCreateError("Cannot create file \"" + FileName + "\" (is its folder there and writable?)");
}
