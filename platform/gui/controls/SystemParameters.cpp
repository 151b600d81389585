#include "platform/gui/controls/SystemParameters.h"
#include "platform/gui/controls/Application.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace {

UINT& WheelLines() {
    static UINT lines = [] {
        Application->Initialize();
        const int desktop = QGuiApplication::styleHints()->wheelScrollLines();
        return desktop > 0 ? static_cast<UINT>(desktop) : UINT(3);
    }();
    return lines;
}

} // namespace

BOOL SystemParametersInfo(UINT Action, UINT UiParam, void* PvParam, UINT) {
    switch (Action) {
    case SPI_GETWHEELSCROLLLINES:
        if (!PvParam) return false;
        *static_cast<UINT*>(PvParam) = WheelLines();
        return true;
    case SPI_SETWHEELSCROLLLINES:
        WheelLines() = UiParam;
        return true;
    default:
        return false;
    }
}
