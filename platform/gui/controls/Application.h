#pragma once
// The application object: owns the forms, runs the message loop, shows
// exceptions that nobody handled, and manages hints.
//
// A GUI program makes its Qt application object first, then:
//
//   Application->Initialize();
//   Application->CreateForm(MainForm);   // the first form made is the main form
//   Application->Run();                  // until the main form closes
//
// Run frees the forms when the loop ends, while the window system is still
// there.

#include "platform/gui/controls/CustomForm.h"

#include <type_traits>

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

// The parts of a hint "short|long": the short one is shown next to the
// pointer, the long one is meant for a status line.
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Adopts the GUI application made before (raises EInvalidOperation when
    // there is none) and installs HandleException as the handler of
    // exceptions that reach the event loop.
    void Initialize();

    // Makes a form (or a data module: any component) owned by the
    // application; the first form becomes the main form.
    template <class T> void CreateForm(T*& Reference) {
        Reference = new T(this);
        if constexpr (std::is_base_of_v<TCustomForm, T>)
            if (!FMainForm) FMainForm = Reference;
    }
    TCustomForm* MainForm() const { return FMainForm; }

    // Shows the main form and handles messages until Terminate; then frees
    // the forms.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles every pending message once, without waiting.
    void ProcessMessages();
    // Handles what is pending, waiting for something to arrive when nothing is.
    void HandleMessage();

    // OnException when set; otherwise ShowException. EAbort is silent. On
    // another thread the exception is handed to the GUI thread, which
    // handles it when its loop next runs.
    void HandleException(const std::exception& E);
    // A box with the exception's message (a full stop added when the
    // message ends in a letter or digit) under the application's title.
    void ShowException(const std::exception& E);
    // A Win32-style box owned by the active form.
    Integer MessageBox(const String& Text, const String& Caption, Cardinal Flags = MB_OK);

    String Title() const;
    void SetTitle(const String& Value) { FTitle = Value; }
    const String& HelpFile() const { return FHelpFile; }
    void SetHelpFile(const String& Value) { FHelpFile = Value; }
    String ExeName() const;
    HWND Handle() const { return FHandle; }

    // ---- hints
    // The long hint of the control under the pointer; setting it fires OnHint.
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    Cardinal HintPause() const { return FHintPause; }
    void SetHintPause(Cardinal Value) { FHintPause = Value; }
    Cardinal HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(Cardinal Value) { FHintHidePause = Value; }
    // Hides a shown hint and stops a pending one.
    void CancelHint();
    // The hint shown next to the pointer now ("" when none).
    const String& ActiveHint() const { return FActiveHint; }

    TNotifyEvent OnHint;
    TExceptionEvent OnException;

private:
    friend class TCustomForm;
    friend void MouseControlChanged(TControl* Control);
    friend void HintMouseMoved(TControl* Control);
    void WndProc(TMessage& Message);
    void ReleaseForm(TCustomForm* Form);
    void FormDestroyed(TCustomForm* Form);
    void HintControlChanged(TControl* Control);
    void ShowHintNow();
    void HideHintNow();

    HWND FHandle = 0;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FInitialized = false;
    String FTitle;
    String FHelpFile;
    String FHint;
    bool FShowHint = true;
    Cardinal FHintPause = 500;
    Cardinal FHintHidePause = 2500;
    TControl* FHintControl = nullptr;
    String FActiveHint;
};

extern TApplication* Application;

// Tells the application that the pointer moved onto another control (hints).
void MouseControlChanged(TControl* Control);
// Tells the application that the pointer moved over the same control: a
// hint cancelled meanwhile (CancelHint) is started anew.
void HintMouseMoved(TControl* Control);
