// The default dialog service: the window system's file and print dialogs,
// owned by the active form and shown modally.
#include "platform/gui/controls/CommonDialogs.h"
#include "platform/gui/controls/Printers.h"
#include "platform/gui/controls/WindowSurface.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>

#include <iostream>

namespace {

bool NoDisplay() {
    return !QGuiApplication::instance() || QGuiApplication::platformName() == "offscreen" ||
           QGuiApplication::platformName() == "minimal";
}

// "Hex files|*.hex|All|*.hex;*.ihx" as the window system's filters:
// "Hex files (*.hex)", "All (*.hex *.ihx)".
QStringList NameFilters(const String& Filter) {
    QStringList parts = QString::fromStdString(Filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << parts[i] + " (" + patterns.simplified() + ")";
    }
    return filters;
}

class TSystemDialogs : public TDialogService {
public:
    bool ExecuteFileDialog(TFileDialogRequest& Request) override {
        if (NoDisplay()) {
            // Nobody could answer: say what was asked and cancel.
            std::cerr << "[" << Request.Title << "] a file dialog was cancelled: there is no display" << std::endl;
            return false;
        }
        QFileDialog dialog(WindowWidget(ActiveWindowHandle()), QString::fromStdString(Request.Title));
        const bool save = Request.Kind == TFileDialogRequest::fdSave;
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (!save) dialog.setFileMode(Request.Options.Contains(ofFileMustExist) ? QFileDialog::ExistingFile
                                                                                : QFileDialog::AnyFile);
        if (save && !Request.Options.Contains(ofOverwritePrompt))
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        const QStringList filters = NameFilters(Request.Filter);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            const qsizetype index = std::clamp<qsizetype>(Request.FilterIndex - 1, 0, filters.size() - 1);
            dialog.selectNameFilter(filters[index]);
        }
        String dir = Request.InitialDir;
        if (dir.empty()) dir = ExtractFilePath(Request.FileName);
        if (!dir.empty()) dialog.setDirectory(QString::fromStdString(dir));
        if (!Request.FileName.empty()) dialog.selectFile(QString::fromStdString(ExtractFileName(Request.FileName)));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
        Request.FileName = dialog.selectedFiles().front().toStdString();
        Request.FilterIndex = static_cast<Integer>(filters.indexOf(dialog.selectedNameFilter())) + 1;
        if (Request.FilterIndex < 1) Request.FilterIndex = 1;
        return true;
    }

    bool ExecutePrintDialog(TPrintDialogRequest& Request) override {
        if (NoDisplay()) {
            std::cerr << "[Print] the print dialog was cancelled: there is no display" << std::endl;
            return false;
        }
        QPrinter printer(QPrinter::HighResolution);
        if (!Request.PrinterName.empty()) printer.setPrinterName(QString::fromStdString(Request.PrinterName));
        if (Request.PrintToFile) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(Request.FileName));
        }
        printer.setCopyCount(Request.Copies);
        QPrintDialog dialog(&printer, WindowWidget(ActiveWindowHandle()));
        QAbstractPrintDialog::PrintDialogOptions options;
        if (Request.Options.Contains(poPrintToFile) && !Request.Options.Contains(poDisablePrintToFile))
            options |= QAbstractPrintDialog::PrintToFile;
        if (Request.Options.Contains(poPageNums)) options |= QAbstractPrintDialog::PrintPageRange;
        if (Request.Options.Contains(poSelection)) options |= QAbstractPrintDialog::PrintSelection;
        options |= QAbstractPrintDialog::PrintShowPageSize;
        dialog.setOptions(options);
        if (dialog.exec() != QDialog::Accepted) return false;
        Request.PrintToFile = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
        Request.FileName = printer.outputFileName().toStdString();
        Request.PrinterName = printer.printerName().toStdString();
        Request.Copies = printer.copyCount();
        return true;
    }
};

} // namespace

TDialogService* SystemDialogService() {
    static TSystemDialogs service;
    return &service;
}
