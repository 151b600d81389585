#include "platform/gui/controls/CommonDialogs.h"
#include "platform/gui/controls/Printers.h"

namespace {

TDialogService*& CurrentService() {
    static TDialogService* service = nullptr;
    return service;
}

} // namespace

TDialogService* DialogService() {
    TDialogService* s = CurrentService();
    return s ? s : SystemDialogService();
}

TDialogService* SetDialogService(TDialogService* Service) {
    TDialogService* old = DialogService();
    CurrentService() = Service;
    return old;
}

// ================================================================ dialogs

bool TOpenDialog::Execute() {
    TFileDialogRequest request;
    request.Kind = Kind();
    request.Title = FTitle;
    request.Filter = FFilter;
    request.FilterIndex = FFilterIndex;
    request.DefaultExt = FDefaultExt;
    request.InitialDir = FInitialDir;
    request.FileName = FFileName;
    request.Options = FOptions;
    if (!DialogService()->ExecuteFileDialog(request)) return false;
    String name = request.FileName;
    if (!FDefaultExt.empty() && ExtractFileExt(name).empty()) name += "." + FDefaultExt;
    FFileName = name;
    FFilterIndex = request.FilterIndex;
    return true;
}

bool TPrintDialog::Execute() {
    TPrinter* printer = Printer();
    TPrintDialogRequest request;
    request.Options = FOptions;
    request.PrintToFile = FPrintToFile;
    request.FileName = printer->OutputFile();
    request.PrinterName = printer->PrinterName();
    request.Copies = FCopies;
    if (!DialogService()->ExecutePrintDialog(request)) return false;
    FPrintToFile = request.PrintToFile;
    FCopies = std::max<Integer>(1, request.Copies);
    printer->Copies = FCopies;
    if (FPrintToFile) {
        printer->SetOutputFile(request.FileName);
    } else {
        printer->SetOutputFile("");
        printer->SetPrinterIndex(request.PrinterName.empty() ? -1 : printer->Printers()->IndexOf(request.PrinterName));
    }
    return true;
}

// ================================================================ scripted answers

TScriptedDialogs::TScriptedDialogs() : FPrevious(SetDialogService(this)) {}

TScriptedDialogs::~TScriptedDialogs() {
    SetDialogService(FPrevious == SystemDialogService() ? nullptr : FPrevious);
}

bool TScriptedDialogs::ExecuteFileDialog(TFileDialogRequest& Request) {
    FFileDialogs.push_back(Request);
    if (FFileAnswers.empty()) return false;
    std::optional<String> answer = std::move(FFileAnswers.front());
    FFileAnswers.pop_front();
    if (!answer) return false;
    Request.FileName = *answer;
    return true;
}

bool TScriptedDialogs::ExecutePrintDialog(TPrintDialogRequest& Request) {
    FPrintDialogs.push_back(Request);
    if (FPrintAnswers.empty()) return false;
    TPrintAnswer answer = std::move(FPrintAnswers.front());
    FPrintAnswers.pop_front();
    if (!answer.Target) return false;
    Request.PrintToFile = !answer.Printer;
    if (answer.Printer)
        Request.PrinterName = *answer.Target;
    else
        Request.FileName = *answer.Target;
    return true;
}

// ================================================================ published

namespace {

const TTypeInfo* OpenOptionsTypeInfo() {
    static const TTypeInfo* type = MakeSetType(
        "TOpenOptions",
        RegisterEnumType<TOpenOption>(
            "TOpenOption", {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
                            "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist",
                            "ofFileMustExist", "ofCreatePrompt", "ofShareAware", "ofNoReadOnlyReturn",
                            "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames", "ofOldStyleDialog",
                            "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
                            "ofDontAddToRecent", "ofForceShowHidden"}));
    return type;
}

const TTypeInfo* PrintDialogOptionsTypeInfo() {
    static const TTypeInfo* type =
        MakeSetType("TPrintDialogOptions",
                    RegisterEnumType<TPrintDialogOption>("TPrintDialogOption",
                                                         {"poPrintToFile", "poPageNums", "poSelection",
                                                          "poWarning", "poHelp", "poDisablePrintToFile"}));
    return type;
}

} // namespace

const TClassInfo& TCommonDialog::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TCommonDialog>("TCommonDialog", &ComponentClassInfo())
                                        .Property("HelpContext", [](const TCommonDialog* D) { return D->HelpContext; },
                                                  [](TCommonDialog* D, Integer V) { D->HelpContext = V; })
                                        .Default(0)
                                        .Register();
    return info;
}

const TClassInfo& TOpenDialog::ClassInfo() {
    static const TClassInfo& info = [] () -> const TClassInfo& {
        return TClassBuilder<TOpenDialog>("TOpenDialog", &TCommonDialog::ClassInfo())
            .Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
            .Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
            .Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
            .Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
            .Default(1)
            .Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
            .Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions, OpenOptionsTypeInfo())
            .Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
            .Register();
    }();
    return info;
}

const TClassInfo& TSaveDialog::ClassInfo() {
    static const TClassInfo& info = TClassBuilder<TSaveDialog>("TSaveDialog", &TOpenDialog::ClassInfo()).Register();
    return info;
}

const TClassInfo& TPrintDialog::ClassInfo() {
    static const TClassInfo& info = [] () -> const TClassInfo& {
        RegisterEnumType<TPrintRange>("TPrintRange", {"prAllPages", "prSelection", "prPageNums"});
        return TClassBuilder<TPrintDialog>("TPrintDialog", &TCommonDialog::ClassInfo())
            .Property("Copies", &TPrintDialog::Copies, &TPrintDialog::SetCopies)
            .Default(1)
            .Property("Options", &TPrintDialog::Options, &TPrintDialog::SetOptions,
                      PrintDialogOptionsTypeInfo())
            .Property("PrintRange", &TPrintDialog::PrintRange, &TPrintDialog::SetPrintRange)
            .Default(prAllPages)
            .Property("PrintToFile", &TPrintDialog::PrintToFile, &TPrintDialog::SetPrintToFile)
            .Default(false)
            .Register();
    }();
    return info;
}
