#include "platform/gui/controls/WindowPicture.h"
#include "platform/gui/controls/WindowSurface.h"
#include "platform/rtl/SysUtils.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

void SaveWindowPicture(TWinControl* Control, const String& FileName) {
    const QImage shot = GrabWindow(Control);
    if (shot.isNull())
        throw EFCreateError("Cannot take a picture of " + Control->Name() + ": it has no window yet");
    if (!shot.save(QString::fromStdString(FileName), "PNG"))
        throw EFCreateError("Cannot create file \"" + FileName + "\" (is its folder there and writable?)");
}

void SaveScreenPicture(const TRect& Area, const String& FileName) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot =
        screen ? screen->grabWindow(0, Area.Left, Area.Top, Area.Width(), Area.Height()) : QPixmap();
    if (shot.isNull() || !shot.save(QString::fromStdString(FileName), "PNG"))
        throw EFCreateError("Cannot create file \"" + FileName + "\" (is its folder there and writable?)");
}
