#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/CustomForm.h"
#include "platform/gui/controls/WindowInput.h"
#include "platform/gui/controls/WindowSurface.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <map>

TScreen* Screen = new TScreen;

namespace {

struct TCursorObject {
    Integer Id;
    Qt::CursorShape Shape;
};

struct TCursorTable {
    std::map<Integer, std::unique_ptr<TCursorObject>> Stock;
    HCURSOR Current = nullptr;
};

TCursorTable& Cursors() {
    static TCursorTable table;
    return table;
}

Qt::CursorShape ShapeOf(Integer Id) {
    switch (Id) {
    case IDC_ARROW:
        return Qt::ArrowCursor;
    case IDC_IBEAM:
        return Qt::IBeamCursor;
    case IDC_WAIT:
        return Qt::WaitCursor;
    case IDC_CROSS:
        return Qt::CrossCursor;
    case IDC_UPARROW:
        return Qt::UpArrowCursor;
    case IDC_SIZENWSE:
        return Qt::SizeFDiagCursor;
    case IDC_SIZENESW:
        return Qt::SizeBDiagCursor;
    case IDC_SIZEWE:
        return Qt::SizeHorCursor;
    case IDC_SIZENS:
        return Qt::SizeVerCursor;
    case IDC_SIZEALL:
        return Qt::SizeAllCursor;
    case IDC_NO:
        return Qt::ForbiddenCursor;
    case IDC_HAND:
        return Qt::PointingHandCursor;
    case IDC_APPSTARTING:
        return Qt::BusyCursor;
    case IDC_HELP:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

bool IsStockId(Integer Id) {
    return (Id >= IDC_ARROW && Id <= IDC_UPARROW) || (Id >= IDC_SIZENWSE && Id <= IDC_SIZEALL) ||
           (Id >= IDC_NO && Id <= IDC_HELP);
}

// The stock cursor behind each cursor number of controls.
Integer StockIdOf(TCursor Cursor) {
    switch (Cursor) {
    case crDefault:
    case crArrow:
        return IDC_ARROW;
    case crCross:
        return IDC_CROSS;
    case crIBeam:
        return IDC_IBEAM;
    case crSizeNESW:
        return IDC_SIZENESW;
    case crSizeNS:
    case crVSplit:
        return IDC_SIZENS;
    case crSizeNWSE:
        return IDC_SIZENWSE;
    case crSizeWE:
    case crHSplit:
        return IDC_SIZEWE;
    case crUpArrow:
        return IDC_UPARROW;
    case crHourGlass:
    case crSQLWait:
        return IDC_WAIT;
    case crDrag:
    case crMultiDrag:
        return IDC_ARROW;
    case crNoDrop:
    case crNo:
        return IDC_NO;
    case crAppStart:
        return IDC_APPSTARTING;
    case crHelp:
        return IDC_HELP;
    case crHandPoint:
        return IDC_HAND;
    case crSizeAll:
        return IDC_SIZEALL;
    default:
        return 0;
    }
}

struct TCursorName {
    TCursor Value;
    const char* Name;
};
const TCursorName kCursorNames[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
};

} // namespace

HCURSOR LoadCursor(std::uintptr_t, Integer CursorId) {
    if (!IsStockId(CursorId)) return nullptr;
    auto& stock = Cursors().Stock;
    auto it = stock.find(CursorId);
    if (it == stock.end())
        it = stock
                 .emplace(CursorId,
                          std::make_unique<TCursorObject>(TCursorObject{CursorId, ShapeOf(CursorId)}))
                 .first;
    return reinterpret_cast<HCURSOR>(it->second.get());
}

HCURSOR GetCursor() {
    return Cursors().Current;
}

Integer CursorIdOf(HCURSOR Cursor) {
    return Cursor ? reinterpret_cast<TCursorObject*>(Cursor)->Id : 0;
}

HCURSOR SetCursor(HCURSOR Cursor) {
    HCURSOR old = Cursors().Current;
    Cursors().Current = Cursor;
    if (Cursor)
        TWindowAccess::ShowCursorShape(static_cast<int>(reinterpret_cast<TCursorObject*>(Cursor)->Shape));
    else
        TWindowAccess::ShowCursorShape(static_cast<int>(Qt::BlankCursor));
    return old;
}

const TTypeInfo* CursorTypeInfo() {
    static const TTypeInfo* type = MakeIdentIntegerType(
        "TCursor",
        [](const String& Ident, Int64& Value) {
            for (const auto& c : kCursorNames)
                if (SameText(Ident, c.Name)) {
                    Value = c.Value;
                    return true;
                }
            return false;
        },
        [](Int64 Value, String& Ident) {
            for (const auto& c : kCursorNames)
                if (Value == c.Value) {
                    Ident = c.Name;
                    return true;
                }
            return false;
        });
    return type;
}

// ================================================================ TScreen

TScreen::TScreen() : TComponent(nullptr) {}
TScreen::~TScreen() = default;

void TScreen::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    const bool wasSet = FCursor != crDefault;
    FCursor = Value;
    // Shown at once, not at the pointer's next move: the screen's cursor,
    // or again the one of the control under the pointer.
    if (Value != crDefault) {
        ::SetCursor(Cursors(Value));
    } else if (TControl* under = MouseControl()) {
        auto* window = dynamic_cast<TWinControl*>(under);
        if (!window) window = under->Parent();
        if (window && window->HandleAllocated())
            window->Perform(WM_SETCURSOR, window->Handle(), MakeLParam(static_cast<Word>(HTCLIENT), WM_MOUSEMOVE));
    } else {
        ::SetCursor(Cursors(crArrow));
    }
    if (!qGuiApp) return;
    if (wasSet) QGuiApplication::restoreOverrideCursor();
    if (Value != crDefault) {
        HCURSOR h = Cursors(Value);
        Integer id = CursorIdOf(h);
        QGuiApplication::setOverrideCursor(QCursor(Value == crNone ? Qt::BlankCursor : ShapeOf(id)));
    }
}

HCURSOR TScreen::Cursors(Integer Index) const {
    for (const auto& [index, handle] : FCursors)
        if (index == Index) return handle;
    Integer id = StockIdOf(static_cast<TCursor>(Index));
    return LoadCursor(0, id ? id : IDC_ARROW);
}

void TScreen::SetCursors(Integer Index, HCURSOR Handle) {
    for (auto& entry : FCursors)
        if (entry.first == Index) {
            entry.second = Handle;
            return;
        }
    FCursors.emplace_back(Index, Handle);
}

Integer TScreen::Width() const {
    QScreen* s = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    return s ? s->size().width() : 1024;
}

Integer TScreen::Height() const {
    QScreen* s = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    return s ? s->size().height() : 768;
}

Integer TScreen::PixelsPerInch() const {
    return DisplayFacts().PixelsPerInch;
}

TCustomForm* TScreen::ActiveCustomForm() const {
    return ::ActiveCustomForm();
}

TForm* TScreen::ActiveForm() const {
    return dynamic_cast<TForm*>(::ActiveCustomForm());
}

TCustomForm* TScreen::CustomForms(Integer Index) const {
    if (Index < 0 || Index >= CustomFormCount())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FForms[static_cast<size_t>(Index)];
}

Integer TScreen::FormCount() const {
    Integer n = 0;
    for (TCustomForm* f : FForms)
        if (dynamic_cast<TForm*>(f)) ++n;
    return n;
}

TForm* TScreen::Forms(Integer Index) const {
    for (TCustomForm* f : FForms)
        if (auto* form = dynamic_cast<TForm*>(f))
            if (Index-- == 0) return form;
    throw EListError(Format("List index out of bounds (%d)", {Index}));
}

void TScreen::AddForm(TCustomForm* Form) {
    if (!HasForm(Form)) FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    FDisabled.erase(std::remove(FDisabled.begin(), FDisabled.end(), Form), FDisabled.end());
    if (FActiveControl && GetParentForm(FActiveControl) == Form) FActiveControl = nullptr;
}

bool TScreen::HasForm(const TCustomForm* Form) const {
    return std::find(FForms.begin(), FForms.end(), Form) != FForms.end();
}

TCustomForm* TScreen::NextActiveForm(const TCustomForm* Leaving) const {
    for (TCustomForm* f : FForms)
        if (f != Leaving && f->Visible() && !IsFormDisabled(f)) return f;
    return nullptr;
}

std::vector<TCustomForm*> TScreen::DisableOtherForms(TCustomForm* Modal) {
    std::vector<TCustomForm*> list;
    for (TCustomForm* f : FForms)
        if (f != Modal && !IsFormDisabled(f)) list.push_back(f);
    FDisabled.insert(FDisabled.end(), list.begin(), list.end());
    return list;
}

void TScreen::EnableForms(const std::vector<TCustomForm*>& Forms) {
    for (TCustomForm* f : Forms) {
        auto it = std::find(FDisabled.begin(), FDisabled.end(), f);
        if (it != FDisabled.end()) FDisabled.erase(it);
    }
}

bool TScreen::IsFormDisabled(const TCustomForm* Form) const {
    return std::find(FDisabled.begin(), FDisabled.end(), Form) != FDisabled.end();
}

void TScreen::SetActiveControlState(TWinControl* Control, TCustomForm* Form) {
    // The form that was focused last comes first.
    auto it = std::find(FForms.begin(), FForms.end(), Form);
    if (it != FForms.end()) std::rotate(FForms.begin(), it, it + 1);
    if (Control == FActiveControl) return;
    FActiveControl = Control;
    if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::ActiveFormChanged() {
    if (TCustomForm* f = ::ActiveCustomForm()) {
        auto it = std::find(FForms.begin(), FForms.end(), f);
        if (it != FForms.end()) std::rotate(FForms.begin(), it, it + 1);
    }
    if (OnActiveFormChange) OnActiveFormChange(this);
}
