#include "platform/gui/controls/Clipboard.h"
#include "platform/gui/controls/Application.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

struct TClipboardWatch {
    bool Known = false;
    bool HasText = false;
};

TClipboardWatch& Watch() {
    static TClipboardWatch watch;
    return watch;
}

QClipboard* SystemClipboard() {
    Application->Initialize();
    QClipboard* clipboard = QGuiApplication::clipboard();
    static bool connected = false;
    if (!connected) {
        connected = true;
        QObject::connect(clipboard, &QClipboard::dataChanged, [] { Watch().Known = false; });
    }
    return clipboard;
}

} // namespace

BOOL IsClipboardFormatAvailable(UINT Format) {
    if (Format != CF_TEXT && Format != CF_UNICODETEXT) return false;
    QClipboard* clipboard = SystemClipboard();
    TClipboardWatch& w = Watch();
    if (!w.Known) {
        const QMimeData* data = clipboard->mimeData();
        w.HasText = data && data->hasText();
        w.Known = true;
    }
    return w.HasText;
}

String ClipboardText() {
    return SystemClipboard()->text().toStdString();
}

void SetClipboardText(const String& Text) {
    SystemClipboard()->setText(QString::fromStdString(Text));
    Watch().Known = false;
}
