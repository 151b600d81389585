#pragma once
// What the GUI classes publish: the types of their properties (cursors,
// alignments, font styles; colours by name are Graphics.h's), the published
// font, and the properties most controls publish under the framework's
// names, for the ClassInfo() of control classes to pick from.

#include "platform/gui/controls/ActnList.h"
#include "platform/gui/controls/Menus.h"
#include "platform/gui/controls/Screen.h"
#include "platform/gui/controls/WinControl.h"

const TTypeInfo* FontStylesTypeInfo();
const TTypeInfo* FontCharsetTypeInfo();
const TTypeInfo* ShiftStateTypeInfo();
// The published font (Charset, Color, Height, Name, Pitch, Size, Style).
const TClassInfo& FontClassInfo();
// Registers the enumerations of the control layer (TAlign, TFontPitch, the
// form's enumerations ...); idempotent.
void RegisterControlTypes();

// Adds TControl / TWinControl properties by their published names, with
// the framework's defaults and stored rules (Color clWindow, stored while
// not ParentColor; ParentColor and ParentFont True; ShowHint stored while
// not ParentShowHint; TabStop False; Ctl3D stored while not ParentCtl3D; a
// class that constructs another value qualifies the default). The names:
// Action, Align, Anchors, BiDiMode, Caption, Color, Constraints, Enabled,
// Font, HelpContext, ParentBiDiMode, ParentColor, ParentFont,
// ParentShowHint, PopupMenu, ShowHint, Text, Visible, DragCursor, DragKind,
// DragMode and the events OnClick, OnContextPopup, OnDblClick, OnMouseDown,
// OnMouseMove, OnMouseUp, OnMouseWheel, OnMouseWheelDown, OnMouseWheelUp,
// OnResize, OnDragDrop, OnDragOver, OnEndDrag, OnStartDrag, OnEndDock,
// OnStartDock; for windowed controls also BevelEdges, BevelInner,
// BevelKind, BevelOuter, Ctl3D, DockSite, ImeMode, ImeName, ParentCtl3D,
// TabOrder, TabStop and OnDockDrop, OnDockOver, OnEnter, OnExit,
// OnGetSiteInfo, OnKeyDown, OnKeyPress, OnKeyUp, OnUnDock.
// Raises EInvalidOperation for another name.
template <class T>
TClassBuilder<T>& PublishControlProperties(TClassBuilder<T>& B, std::initializer_list<const char*> Names) {
    static_assert(std::is_base_of_v<TControl, T>);
    RegisterControlTypes();
    for (const char* n : Names) {
        const String name = n;
        if (name == "Action")
            B.Property("Action", &T::Action, &T::SetAction);
        else if (name == "Align")
            B.Property("Align", &T::Align, &T::SetAlign).Default(alNone);
        else if (name == "Anchors")
            B.Property("Anchors", &T::Anchors, &T::SetAnchors, AnchorsTypeInfo()).Stored([](const T* c) {
                return c->Anchors() != AnchorAlign(c->Align());
            });
        else if (name == "BiDiMode")
            B.Property("BiDiMode", &T::BiDiMode, &T::SetBiDiMode, BiDiModeTypeInfo())
                .Default(bdLeftToRight)
                .Stored([](const T* c) { return !c->ParentBiDiMode(); });
        else if (name == "ParentBiDiMode")
            B.Property("ParentBiDiMode", &T::ParentBiDiMode, &T::SetParentBiDiMode).Default(true);
        else if (name == "HelpContext")
            B.Property("HelpContext", &T::HelpContext, &T::SetHelpContext).Default(0);
        else if (name == "PopupMenu")
            B.Property("PopupMenu", &T::PopupMenu, &T::SetPopupMenu);
        else if (name == "OnContextPopup")
            B.Event("OnContextPopup", &TControl::OnContextPopup);
        else if (name == "OnMouseWheelUp")
            B.Event("OnMouseWheelUp", &TControl::OnMouseWheelUp);
        else if (name == "OnMouseWheelDown")
            B.Event("OnMouseWheelDown", &TControl::OnMouseWheelDown);
        else if (name == "OnStartDock")
            B.Event("OnStartDock", &TControl::OnStartDock);
        else if (name == "OnEndDock")
            B.Event("OnEndDock", &TControl::OnEndDock);
        else if (name == "Caption")
            B.Property("Caption", &T::Caption, &T::SetCaption);
        else if (name == "Text")
            B.Property("Text", &T::Text, &T::SetText);
        else if (name == "Color")
            B.Property("Color", &T::Color, &T::SetColor, ColorTypeInfo())
                .Default(clWindow)
                .Stored([](const T* c) { return !c->ParentColor(); });
        else if (name == "Constraints")
            B.Property("Constraints", &T::Constraints, nullptr);
        else if (name == "Enabled")
            B.Property("Enabled", &T::Enabled, &T::SetEnabled).Default(true);
        else if (name == "Font") {
            FontClassInfo();
            B.Property("Font", &T::Font, nullptr).Stored([](const T* c) { return !c->ParentFont(); });
        } else if (name == "ParentColor")
            B.Property("ParentColor", &T::ParentColor, &T::SetParentColor).Default(true);
        else if (name == "ParentFont")
            B.Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(true);
        else if (name == "ParentShowHint")
            B.Property("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint).Default(true);
        else if (name == "ShowHint")
            B.Property("ShowHint", &T::ShowHint, &T::SetShowHint).Stored([](const T* c) {
                return !c->ParentShowHint();
            });
        else if (name == "Visible")
            B.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
        else if (name == "OnClick")
            B.Event("OnClick", &TControl::OnClick);
        else if (name == "OnDblClick")
            B.Event("OnDblClick", &TControl::OnDblClick);
        else if (name == "OnMouseDown")
            B.Event("OnMouseDown", &TControl::OnMouseDown);
        else if (name == "OnMouseMove")
            B.Event("OnMouseMove", &TControl::OnMouseMove);
        else if (name == "OnMouseUp")
            B.Event("OnMouseUp", &TControl::OnMouseUp);
        else if (name == "OnMouseWheel")
            B.Event("OnMouseWheel", &TControl::OnMouseWheel);
        else if (name == "OnResize")
            B.Event("OnResize", &TControl::OnResize);
        else if (name == "DragCursor")
            B.Property("DragCursor", &T::DragCursor, &T::SetDragCursor, CursorTypeInfo()).Default(crDrag);
        else if (name == "DragKind")
            B.Property("DragKind", &T::DragKind, &T::SetDragKind).Default(dkDrag);
        else if (name == "DragMode")
            B.Property("DragMode", &T::DragMode, &T::SetDragMode).Default(dmManual);
        else if (name == "OnDragDrop")
            B.Event("OnDragDrop", &TControl::OnDragDrop);
        else if (name == "OnDragOver")
            B.Event("OnDragOver", &TControl::OnDragOver);
        else if (name == "OnEndDrag")
            B.Event("OnEndDrag", &TControl::OnEndDrag);
        else if (name == "OnStartDrag")
            B.Event("OnStartDrag", &TControl::OnStartDrag);
        else if constexpr (std::is_base_of_v<TWinControl, T>) {
            if (name == "TabOrder")
                B.Property("TabOrder", &T::TabOrder, &T::SetTabOrder).Default(-1);
            else if (name == "TabStop")
                B.Property("TabStop", &T::TabStop, &T::SetTabStop).Default(false);
            else if (name == "OnEnter")
                B.Event("OnEnter", &TWinControl::OnEnter);
            else if (name == "OnExit")
                B.Event("OnExit", &TWinControl::OnExit);
            else if (name == "OnKeyDown")
                B.Event("OnKeyDown", &TWinControl::OnKeyDown);
            else if (name == "OnKeyPress")
                B.Event("OnKeyPress", &TWinControl::OnKeyPress);
            else if (name == "OnKeyUp")
                B.Event("OnKeyUp", &TWinControl::OnKeyUp);
            else if (name == "Ctl3D")
                B.Property("Ctl3D", &T::Ctl3D, &T::SetCtl3D).Stored([](const T* c) {
                    return !c->ParentCtl3D();
                });
            else if (name == "ParentCtl3D")
                B.Property("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D).Default(true);
            else if (name == "BevelEdges")
                B.Property("BevelEdges", &T::BevelEdges, &T::SetBevelEdges, BevelEdgesTypeInfo())
                    .Default(TBevelEdges{beLeft, beTop, beRight, beBottom}.ToInt());
            else if (name == "BevelInner")
                B.Property("BevelInner", &T::BevelInner, &T::SetBevelInner, BevelCutTypeInfo()).Default(bvRaised);
            else if (name == "BevelOuter")
                B.Property("BevelOuter", &T::BevelOuter, &T::SetBevelOuter, BevelCutTypeInfo()).Default(bvLowered);
            else if (name == "BevelKind")
                B.Property("BevelKind", &T::BevelKind, &T::SetBevelKind, BevelKindTypeInfo()).Default(bkNone);
            else if (name == "ImeMode")
                B.Property("ImeMode", &T::ImeMode, &T::SetImeMode, ImeModeTypeInfo()).Default(imDontCare);
            else if (name == "ImeName")
                B.Property("ImeName", &T::ImeName, &T::SetImeName);
            else if (name == "DockSite")
                B.Property("DockSite", &T::DockSite, &T::SetDockSite).Default(false);
            else if (name == "OnDockDrop")
                B.Event("OnDockDrop", &TWinControl::OnDockDrop);
            else if (name == "OnDockOver")
                B.Event("OnDockOver", &TWinControl::OnDockOver);
            else if (name == "OnGetSiteInfo")
                B.Event("OnGetSiteInfo", &TWinControl::OnGetSiteInfo);
            else if (name == "OnUnDock")
                B.Event("OnUnDock", &TWinControl::OnUnDock);
            else
                throw EInvalidOperation("No control property called " + name);
        } else
            throw EInvalidOperation("No control property called " + name);
    }
    return B;
}

// Left and Top of a non-visual component: its place in the form designer,
// read from form descriptions and dropped (the program has no use for it).
template <class T> TClassBuilder<T>& PublishDesignPlace(TClassBuilder<T>& B) {
    auto none = [](const T*) { return Integer(0); };
    auto drop = [](T*, Integer) {};
    auto never = [](const T*) { return false; };
    return B.Property("Left", none, drop).Stored(never).Property("Top", none, drop).Stored(never);
}
