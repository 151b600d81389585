#include "controls/common/QxMenuController.h"
#include "platform/gui/controls/Published.h"
#include "platform/gui/controls/Themes.h"
#include "platform/gui/gdi/FrameControl.h"
#include "platform/gui/graphics/ImgList.h"
#include "platform/rtl/Guards.h"
#include "platform/rtl/OSVersion.h"
#include "platform/rtl/Registry.h"

#include <algorithm>
#include <memory>

namespace {

// The controller's owner-draw handlers. They are callable objects rather
// than lambdas so that an item's handler can be recognised as the
// controller's (std::function::target) when it is unhooked.
struct TDrawHandler {
    TQxMenuController* Controller;
    void operator()(TObject* Sender, TCanvas* Canvas, TRect R, TOwnerDrawState State) const {
        Controller->DrawMenuItem(static_cast<TMenuItem*>(Sender), Canvas, State, R);
    }
};

struct TMeasureHandler {
    TQxMenuController* Controller;
    void operator()(TObject* Sender, TCanvas*, Integer& Width, Integer& Height) const {
        Controller->MeasureMenuItem(static_cast<TMenuItem*>(Sender), Width, Height);
    }
};

bool IsBarItem(const TMenuItem* Item) {
    return dynamic_cast<TMainMenu*>(Item->GetParentComponent()) != nullptr;
}

TCustomImageList* ImagesOf(const TMenuItem* Item) {
    TMenu* menu = Item->GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

} // namespace

bool MenuUnderlinesHidden() {
    try {
        TRegistry reg(KEY_READ);
        reg.SetRootKey(HKEY_CURRENT_USER);
        if (!reg.OpenKey("\\Control Panel\\Desktop", false)) return false;
        const Integer size = IsWindowsAtLeast(7) ? 8 : 4;
        Byte mask[8] = {};
        return reg.ReadBinaryData("UserPreferencesMask", mask, size) == size && (mask[0] & 0x20) == 0;
    } catch (const Exception&) {
        return false;
    }
}

// ================================================================ life

TQxMenuController::TQxMenuController(TComponent* AOwner) : TComponent(AOwner) {}

TQxMenuController::~TQxMenuController() = default;

void TQxMenuController::BeforeDestruction() {
    // Every item it hooked gets its events back; items freed before it have
    // left the list through their free notification.
    UnhookMenuItems();
    TComponent::BeforeDestruction();
}

bool TQxMenuController::Loading() const {
    return HasState(csLoading) || (Owner() && Owner()->HasState(csLoading));
}

void TQxMenuController::Loaded() {
    TComponent::Loaded();
    HookMenuItems();
}

void TQxMenuController::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    auto* item = dynamic_cast<TMenuItem*>(AComponent);
    if (!item) return;
    if (Operation == opInsert) {
        // Items read with a form are hooked by Loaded, after their own
        // handlers were read.
        if (!Loading()) HookMenuItem(item);
    } else {
        UnhookMenuItem(item);
    }
}

void TQxMenuController::HookMenuItems() {
    if (!Owner()) return;
    std::vector<TMenu*> menus;
    for (Integer i = 0; i < Owner()->ComponentCount(); ++i)
        if (auto* item = dynamic_cast<TMenuItem*>(Owner()->Components(i))) {
            HookMenuItem(item);
            TMenu* menu = item->GetParentMenu();
            if (menu && std::find(menus.begin(), menus.end(), menu) == menus.end()) menus.push_back(menu);
        }
    // The items now measure themselves: what shows the menus lays them out anew.
    for (TMenu* menu : menus)
        menu->Changed(nullptr, true);
}

void TQxMenuController::UnhookMenuItems() {
    while (!FItems.empty())
        UnhookMenuItem(FItems.back());
}

void TQxMenuController::HookMenuItem(TMenuItem* Item) {
    if (!Item || Item->OnAdvancedDrawItem) return; // the program draws this one
    Item->OnAdvancedDrawItem = TDrawHandler{this};
    Item->OnMeasureItem = TMeasureHandler{this};
    Item->FreeNotification(this);
    FItems.push_back(Item);
}

bool TQxMenuController::OwnsHandlers(const TMenuItem* Item) const {
    const auto* draw = Item->OnAdvancedDrawItem.target<TDrawHandler>();
    return draw && draw->Controller == this;
}

void TQxMenuController::UnhookMenuItem(TMenuItem* Item) {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    // Handlers set by the program since are left alone.
    if (OwnsHandlers(Item)) Item->OnAdvancedDrawItem = nullptr;
    const auto* measure = Item->OnMeasureItem.target<TMeasureHandler>();
    if (measure && measure->Controller == this) Item->OnMeasureItem = nullptr;
    Item->RemoveFreeNotification(this);
}

// ================================================================ measuring and drawing

void TQxMenuController::MeasureMenuItem(TMenuItem* Item, Integer& Width, Integer& Height) {
    TCustomImageList* images = ImagesOf(Item);
    if (Item->Caption() == "-")
        Height = 3;
    else
        Height = images ? images->Height() + 6 : 22;
    if (!IsBarItem(Item) && !images) Width += 31;
}

void TQxMenuController::DrawMenuItem(TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State, TRect R) {
    const bool bar = IsBarItem(Item);
    const bool newer = Win32MajorVersion > 4;
    TColor frame, start, stop, barStart, barStop;
    if (FGradientColorStyle == gcsCustom) {
        frame = FSelectionFrameColor;
        start = FSelectionColorStart;
        stop = FSelectionColorStop;
        barStart = FIconBarColorStart;
        barStop = FIconBarColorStop;
    } else {
        GetSchemeSelectionColors(FGradientColorStyle, frame, start, stop);
        GetSchemeGradientColors(FGradientColorStyle, barStart, barStop);
    }
    TCustomImageList* images = ImagesOf(Item);
    TRect ib = R;
    ib.Right = R.Left + (images ? images->Width() + 8 : 24);
    TRect t = R;
    if (!bar) t.Left = ib.Right;
    Canvas->Font()->SetColor(FMenuFontColor);

    auto fill = [&](const TRect& Area, TGradientDirection Direction, TColor From, TColor To) {
        if (FullColorDisplay) {
            GradientFillRect(Canvas, Area, Direction, 1, To, From);
        } else {
            Canvas->Brush()->SetColor(To);
            Canvas->FillRect(Area);
        }
    };
    Canvas->Brush()->SetStyle(bsSolid);
    if (bar) {
        if (State.Contains(odSelected) || State.Contains(odHotLight)) {
            const TRect inside =
                PaintRectOutline(Canvas, {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1}, frame);
            fill(inside, gdHorizontalEnd, start, stop);
        } else {
            Canvas->Brush()->SetColor(ThemeServices()->ThemesEnabled() ? clMenuBar : clBtnFace);
            Canvas->FillRect(t);
        }
        if (newer && State.Contains(odInactive)) Canvas->Font()->SetColor(clGrayText);
    } else {
        if (State.Contains(odSelected) && Item->Enabled()) {
            fill(PaintRectOutline(Canvas, R, frame), gdHorizontalEnd, start, stop);
            if (Item->Checked()) DrawMenuCheckMark(Item, Canvas, ib, true, frame, start, stop);
        } else {
            fill(ib, gdVerticalEnd, barStart, barStop);
            if (Item->Checked()) DrawMenuCheckMark(Item, Canvas, ib, false, frame, start, stop);
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(FMenuColor);
            Canvas->FillRect(t);
        }
        t.Left += 6;
        if (images && Item->ImageIndex() >= 0 && Item->ImageIndex() < images->Count())
            images->Draw(Canvas, ib.Left + 3, ib.Top + 3, Item->ImageIndex(), Item->Enabled());
    }
    if (Item->Caption() == "-") {
        Canvas->Pen()->SetColor(clBtnShadow);
        Canvas->MoveTo(t.Left, t.Top + 1);
        Canvas->LineTo(t.Right, t.Top + 1);
    } else {
        DrawMenuItemText(Item, Canvas, State, t, bar);
    }
}

void TQxMenuController::DrawMenuItemText(TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State, TRect T,
                                         bool Bar) {
    UINT flags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
    if (Bar) flags |= DT_CENTER;
    if (MenuUnderlinesHidden() && Win32Platform == VER_PLATFORM_WIN32_NT && Win32MajorVersion > 4 &&
        State.Contains(odNoAccel))
        flags |= DT_HIDEPREFIX;
    Canvas->Brush()->SetStyle(bsClear);
    const TFontStyles style = Canvas->Font()->Style();
    TScopeExit restore([Canvas, style] {
        Canvas->Font()->SetStyle(style);
        Canvas->Brush()->SetStyle(bsSolid);
    });
    if (Item->Default()) Canvas->Font()->SetStyle(style + TFontStyles{fsBold});
    if (!Item->Enabled()) Canvas->Font()->SetColor(clGrayText);
    DrawTextOnCanvas(Canvas, Item->Caption(), T, flags);
    if (!Bar && Item->ShortCut()) {
        TRect s = T;
        s.Right -= 10;
        DrawTextOnCanvas(Canvas, ShortCutToText(Item->ShortCut()), s, flags | DT_RIGHT);
    }
}

// The check box of a checked item:
//
//   IB: ..........................   the box is IB inset by 1, its right
//       .FFFFFFFFFFFFFFFFFFFFF...    edge 2 further left, outlined in the
//       .F###################F...    selection frame colour (F); inside
//       .F######  glyph  ####F...    (#) a darkened selection stop, flat
//       .FFFFFFFFFFFFFFFFFFFFF...    when selected, else a gradient from
//       ..........................   it down to the selection start
//
// The 16 x 16 check or bullet glyph, in clBtnText, is centred in IB; an
// item with an image shows the box alone, behind its image.
void TQxMenuController::DrawMenuCheckMark(TMenuItem* Item, TCanvas* Canvas, const TRect& IB, bool Selected,
                                          TColor FrameColor, TColor StartColor, TColor StopColor) {
    const TRect box{IB.Left + 1, IB.Top + 1, IB.Right - 3, IB.Bottom - 1};
    const TRect inside = PaintRectOutline(Canvas, box, FrameColor);
    const TColor dark = DarkenColor(StopColor, 40);
    if (!Selected && FullColorDisplay) {
        GradientFillRect(Canvas, inside, gdHorizontalEnd, 1, StartColor, dark);
    } else {
        Canvas->Brush()->SetColor(Selected ? dark : StopColor);
        Canvas->FillRect(inside);
    }
    if (ImagesOf(Item) && Item->ImageIndex() != -1) return;
    auto glyph = std::make_unique<TBitmap>(16, 16);
    glyph->SetTransparent(true);
    TRect r{0, 0, 16, 16};
    SetTextColor(glyph->Canvas()->Handle(), ColorToRGB(clBtnText));
    DrawFrameControl(glyph->Canvas()->Handle(), &r, DFC_MENU,
                     (Item->RadioItem() ? UINT(DFCS_MENUBULLET) : UINT(DFCS_MENUCHECK)) | DFCS_TRANSPARENT);
    const TColor font = Canvas->Font()->Color();
    TScopeExit restore([Canvas, font] { Canvas->Font()->SetColor(font); });
    Canvas->Font()->SetColor(clBtnText);
    Canvas->Draw(IB.Left + (IB.Width() - 16) / 2, IB.Top + (IB.Height() - 16) / 2, glyph.get());
}

// ================================================================ stored forms

void TQxMenuController::ReadOldColor(TReader* Reader, TColor& Field) {
    if (Reader->NextValue() == vaIdent)
        Field = StringToColor(Reader->ReadIdent());
    else
        Field = Reader->ReadInteger();
}

void TQxMenuController::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty("GradientColorDefault", TQxOldPropReader::SkipBoolean, nullptr, false);
    Filer->DefineProperty("ThemeAware", TQxOldPropReader::SkipBoolean, nullptr, false);
    Filer->DefineProperty(
        "GradientColorStart", [this](TReader* R) { ReadOldColor(R, FSelectionColorStart); }, nullptr, false);
    Filer->DefineProperty(
        "GradientColorStop", [this](TReader* R) { ReadOldColor(R, FSelectionColorStop); }, nullptr, false);
    Filer->DefineProperty(
        "FrameColor", [this](TReader* R) { ReadOldColor(R, FSelectionFrameColor); }, nullptr, false);
}

const TClassInfo& TQxMenuController::ClassInfo() {
    using T = TQxMenuController;
    static const TClassInfo& info = []() -> const TClassInfo& {
        RegisterMenuClasses();
        TClassBuilder<T> b("TQxMenuController", &ComponentClassInfo());
        b.Property("GradientColorStyle", &T::GradientColorStyle, &T::SetGradientColorStyle,
                   GradientColorStyleTypeInfo())
            .Default(gcsSystem)
            .Property("IconBarColorStart", &T::IconBarColorStart, &T::SetIconBarColorStart, ColorTypeInfo())
            .Default(0xFFFFFF)
            .Property("IconBarColorStop", &T::IconBarColorStop, &T::SetIconBarColorStop, ColorTypeInfo())
            .Default(clBtnFace)
            .Property("MenuColor", &T::MenuColor, &T::SetMenuColor, ColorTypeInfo())
            .Default(clWindow)
            .Property("MenuFontColor", &T::MenuFontColor, &T::SetMenuFontColor, ColorTypeInfo())
            .Default(clWindowText)
            .Property("SelectionColorStart", &T::SelectionColorStart, &T::SetSelectionColorStart,
                      ColorTypeInfo())
            .Default(clBtnFace)
            .Property("SelectionColorStop", &T::SelectionColorStop, &T::SetSelectionColorStop,
                      ColorTypeInfo())
            .Default(clBtnShadow)
            .Property("SelectionFrameColor", &T::SelectionFrameColor, &T::SetSelectionFrameColor,
                      ColorTypeInfo())
            .Default(cl3DDkShadow);
        return PublishDesignPlace(b).Register();
    }();
    return info;
}

void RegisterQxMenuControllerClasses() {
    RegisterMenuClasses();
    RegisterClasses({&TQxMenuController::ClassInfo()});
}
