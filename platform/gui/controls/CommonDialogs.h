#pragma once
// The common dialogs: choosing a file to open or to save, and choosing
// where to print.
//
// A dialog component holds its settings (title, filter, file name ...);
// Execute asks the dialog service in use and answers whether the user
// confirmed. Every dialog goes through that one service. The default one
// shows the window system's dialogs and waits for the user; on a platform
// without a display (offscreen) nobody could answer, so the request is
// written to standard error and cancelled. Tests install TScriptedDialogs,
// which records every request and gives the answers it was told.
//
// After a confirmed file dialog a file name without an extension gets
// DefaultExt (the file name as shown stays otherwise as the user chose it).
// The dialogs never change the program's current directory. A confirmed
// print dialog sends the next print job (Printer(), Printers.h) to the
// chosen printer, or to a PDF file when the user chose to print to a file.

#include "platform/gui/controls/Published.h"

#include <deque>
#include <functional>
#include <optional>

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile };
using TPrintDialogOptions = TSet<TPrintDialogOption>;
enum TPrintRange { prAllPages, prSelection, prPageNums };

// A file dialog as the service sees it. On a confirmed answer the service
// sets FileName (a full path) and FilterIndex (1 = the first filter).
struct TFileDialogRequest {
    enum TKind { fdOpen, fdSave };
    TKind Kind = fdOpen;
    String Title;
    String Filter; // "Hex files|*.hex|All files|*.*"
    Integer FilterIndex = 1;
    String DefaultExt;
    String InitialDir;
    String FileName;
    TOpenOptions Options;
};

// A print dialog as the service sees it. On a confirmed answer the service
// sets PrintToFile and FileName (the PDF file) or PrinterName ("" = the
// system's default printer), and Copies.
struct TPrintDialogRequest {
    TPrintDialogOptions Options;
    bool PrintToFile = false;
    String FileName;
    String PrinterName;
    Integer Copies = 1;
};

class TDialogService {
public:
    virtual ~TDialogService() = default;
    virtual bool ExecuteFileDialog(TFileDialogRequest& Request) = 0;
    virtual bool ExecutePrintDialog(TPrintDialogRequest& Request) = 0;
};

// The service in use (never nullptr).
TDialogService* DialogService();
// Chooses the service; nullptr returns to the default one. The caller
// keeps ownership. Answers the previous one.
TDialogService* SetDialogService(TDialogService* Service);
// The default service: the window system's dialogs.
TDialogService* SystemDialogService();

class TCommonDialog : public TComponent {
public:
    QUENTA_PUBLISHED
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    virtual bool Execute() = 0;
    Integer HelpContext = 0;
};

class TOpenDialog : public TCommonDialog {
public:
    QUENTA_PUBLISHED
    explicit TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;

    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& Value) { FFilter = Value; }
    Integer FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& Value) { FInitialDir = Value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }

protected:
    virtual TFileDialogRequest::TKind Kind() const { return TFileDialogRequest::fdOpen; }

private:
    String FDefaultExt, FFileName, FFilter, FInitialDir, FTitle;
    Integer FFilterIndex = 1;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
    QUENTA_PUBLISHED
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
    TFileDialogRequest::TKind Kind() const override { return TFileDialogRequest::fdSave; }
};

class TPrintDialog : public TCommonDialog {
public:
    QUENTA_PUBLISHED
    explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    bool Execute() override;

    TPrintDialogOptions Options() const { return FOptions; }
    void SetOptions(TPrintDialogOptions Value) { FOptions = Value; }
    bool PrintToFile() const { return FPrintToFile; }
    void SetPrintToFile(bool Value) { FPrintToFile = Value; }
    Integer Copies() const { return FCopies; }
    void SetCopies(Integer Value) { FCopies = Value; }
    TPrintRange PrintRange() const { return FPrintRange; }
    void SetPrintRange(TPrintRange Value) { FPrintRange = Value; }

private:
    TPrintDialogOptions FOptions;
    bool FPrintToFile = false;
    Integer FCopies = 1;
    TPrintRange FPrintRange = prAllPages;
};

// Records every dialog and answers from a script, for tests; a dialog with
// no scripted answer left is cancelled. Restores the previous service when
// it goes.
class TScriptedDialogs : public TDialogService {
public:
    TScriptedDialogs();
    ~TScriptedDialogs() override;
    TScriptedDialogs(const TScriptedDialogs&) = delete;
    TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

    // The next file dialog is confirmed with this file (nullopt: cancelled).
    void AnswerFile(std::optional<String> FileName) { FFileAnswers.push_back(std::move(FileName)); }
    // The next print dialog is confirmed printing to this PDF file, or to
    // the printer of that name with PrintToPrinter (nullopt: cancelled).
    void AnswerPrintToFile(std::optional<String> PdfFile) { FPrintAnswers.push_back({std::move(PdfFile), false}); }
    void AnswerPrintToPrinter(const String& PrinterName) { FPrintAnswers.push_back({PrinterName, true}); }

    const std::vector<TFileDialogRequest>& FileDialogs() const { return FFileDialogs; }
    const std::vector<TPrintDialogRequest>& PrintDialogs() const { return FPrintDialogs; }

    bool ExecuteFileDialog(TFileDialogRequest& Request) override;
    bool ExecutePrintDialog(TPrintDialogRequest& Request) override;

private:
    struct TPrintAnswer {
        std::optional<String> Target;
        bool Printer;
    };
    std::deque<std::optional<String>> FFileAnswers;
    std::deque<TPrintAnswer> FPrintAnswers;
    std::vector<TFileDialogRequest> FFileDialogs;
    std::vector<TPrintDialogRequest> FPrintDialogs;
    TDialogService* FPrevious;
};
