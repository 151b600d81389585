#pragma once
// Forms: top-level windows built from a form description, with focus
// management, dialog keys, modal showing and closing.
//
// A form class reads its description in its constructor's body (so that its
// component fields exist) with InitializeForm, which then fires OnCreate and
// shows the form when the description says Visible = True. The form's Width
// and Height include a window frame of the border style's size (caption and
// borders); ClientWidth and ClientHeight are the inside, which the Qt window
// shows.

#include "platform/gui/controls/Dialogs.h"
#include "platform/gui/controls/GraphicControl.h"

class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateFlag>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
public:
    QUENTA_PUBLISHED
    // A form without a description (the framework's CreateNew).
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    void BeforeDestruction() override;

    // Reads the form's description (see Reader.h) into this form, then
    // fires OnCreate, then shows the form if the description made it
    // visible. FormClass is the class whose fields and handlers the
    // description names (by default the form's own published class).
    void InitializeForm(const String& FormText, const String& FileName,
                        const TClassInfo* FormClass = nullptr);
    void InitializeFormFile(const String& FileName, const TClassInfo* FormClass = nullptr);

    // ---- window
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    TFormState FormState() const { return FFormState; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    // The frame around the client area: left/right border, top (caption and
    // border) and bottom border, for the border style.
    TRect FrameMetrics() const;
    TRect WindowClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetClientSize(Integer AWidth, Integer AHeight) override;
    TCanvas* Canvas() const { return FCanvas.get(); }

    // ---- menu bar (Menus.h): shown above the client area, inside the
    // frame; setting or changing the menu keeps the client area's size.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);
    // The height of the menu bar (0 without one).
    Integer MenuHeight() const { return FMenuHeight; }
    // The menu's entries changed: measures the bar again.
    void MenuChanged();

    // ---- showing and closing
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void SetVisible(bool Value) override;
    // Shows the form modally: other forms take no input until it closes.
    // Answers ModalResult; raises EInvalidOperation "Cannot make a visible
    // window modal" for a visible form.
    virtual TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    // Asks OnCloseQuery, then OnClose decides: hide (the default), free,
    // minimise or stay. A modal form just gets ModalResult mrCancel. Closing
    // the main form ends the application.
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the event loop runs again.
    void Release();

    // ---- focus
    bool Active() const { return FActive; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    // Makes Control the active control and focuses it.
    void FocusControl(TWinControl* Control);
    // Moves the focus away from Control and its children (to its parent
    // when it is being removed).
    void DefocusControl(TWinControl* Control, bool Removing);
    // What a window's WM_SETFOCUS tells the form: CM_EXIT to the controls it
    // leaves, CM_ENTER to those it enters, CM_FOCUSCHANGED to all. False when
    // a handler moved the focus elsewhere meanwhile.
    bool SetFocusedControl(TWinControl* Control);
    bool CanFocus() const override;
    void SetFocus() override;

    void Loaded() override;
    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void BoundsChanged(const TRect& OldBounds) override;
    void PaintWindow(HDC DC) override;
    virtual void Paint();
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TWinControl;
    friend class TApplication;
    friend void ActivateForm(TCustomForm* Form);
    void SetActive(bool Value);
    void SetWindowFocus();
    void CMShowingChanged(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    // SC_SIZE with an edge: sizing with the mouse (WindowServices.h).
    void WMSysCommand(TMessage& Message);
    void CloseModal();
    void PlaceOnScreen();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TFormState FFormState;
    bool FKeyPreview = false;
    TModalResult FModalResult = mrNone;
    bool FActive = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    Integer FFocusCount = 0;
    std::unique_ptr<TControlCanvas> FCanvas;
    bool FDestroyed = false;
    TMainMenu* FMenu = nullptr;
    Integer FMenuHeight = 0;
};

// A form as the system's form classes derive from it.
class TForm : public TCustomForm {
public:
    QUENTA_PUBLISHED
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// The active form: the one that gets the keyboard (nullptr: none).
TCustomForm* ActiveCustomForm();
// Makes Form the active form (deactivating the previous one).
void ActivateForm(TCustomForm* Form);

// Called with the form each time a modal form's loop begins, before it waits
// for input; tests close modal forms from here. Answers the previous hook.
using TModalFormHook = std::function<void(TCustomForm* Form)>;
TModalFormHook SetModalFormHook(TModalFormHook Hook);
