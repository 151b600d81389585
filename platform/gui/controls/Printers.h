#pragma once
// The printer and the framework's printer text file.
//
// TPrinter prints jobs of pages. BeginDoc starts a job on the chosen
// printer, or in a PDF file when OutputFile is set (print to file); the
// page is a canvas of PageWidth x PageHeight pixels of 1/96 inch. NewPage
// sends the page drawn so far and starts an empty one; EndDoc sends the last
// page and ends the job; Abort drops the job. What the canvas draws reaches
// the page as a picture; text written with TextOut (as the printer text
// file writes its lines) reaches it as text in the canvas's font, so a PDF
// file keeps it searchable.
//
// A job that cannot start (no such printer, a file that cannot be written)
// or a page that cannot be sent raises EPrinter saying what failed and what
// to do; the printer is then idle again, ready for another job.
//
// The printer text file (as the framework's AssignPrn offers it):
//
//   TextFile F;
//   AssignPrn(F);            // F writes to Printer()
//   Rewrite(F);              // starts the job
//   Writeln(F, "a line");    // one printed line at the left margin
//   CloseFile(F);            // ends the job (TScopeExit, so also when a write fails)
//
// Lines follow one another by the font's height plus its external leading;
// a line that does not fit on the page starts a new one.

#include "platform/gui/graphics/Graphics.h"

#include <memory>

QUENTA_DECLARE_EXCEPTION(EPrinter, Exception);

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;

    // The names of the installed printers; PrinterIndex -1 is the system's
    // default printer.
    TStrings* Printers();
    Integer PrinterIndex() const { return FPrinterIndex; }
    void SetPrinterIndex(Integer Value);
    // The chosen printer's name; "" for the default printer.
    String PrinterName();
    // A PDF file that jobs go to instead of a printer ("" = the printer).
    const String& OutputFile() const { return FOutputFile; }
    void SetOutputFile(const String& Value) { FOutputFile = Value; }
    // The job's title in the printer's queue.
    String Title;
    Integer Copies = 1;

    TCanvas* Canvas();
    Integer PageWidth() const { return FPageWidth; }
    Integer PageHeight() const { return FPageHeight; }
    Integer PageNumber() const { return FPageNumber; }
    bool Printing() const { return FJob != nullptr; }
    bool Aborted() const { return FAborted; }

    void BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    // Text on the page in the canvas's font, its cell's top-left at (X, Y).
    void TextOut(Integer X, Integer Y, const String& Text);

private:
    struct TJob;
    void SendPage();
    void ClearPage();
    void EnsureCanvas();

    std::unique_ptr<TJob> FJob;
    std::unique_ptr<TStrings> FPrinters;
    std::unique_ptr<TBitmap> FPage;
    Integer FPrinterIndex = -1;
    String FOutputFile;
    Integer FPageWidth = 0, FPageHeight = 0;
    Integer FPageNumber = 0;
    bool FAborted = false;
};

// The program's printer (made on first use).
TPrinter* Printer();
// Replaces the program's printer (tests); answers the previous one, whose
// ownership passes to the caller. nullptr makes a new one on next use.
TPrinter* SetPrinter(TPrinter* Value);

// A text file of the run time; here only the printer kind exists.
class TextFile {
public:
    TextFile() = default;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    bool IsOpen() const { return FOpen; }

private:
    friend void AssignPrn(TextFile& F);
    friend void Rewrite(TextFile& F);
    friend void Write(TextFile& F, const String& Text);
    friend void Writeln(TextFile& F, const String& Text);
    friend void CloseFile(TextFile& F);
    TPrinter* FPrinter = nullptr;
    bool FOpen = false;
    Integer FX = 0, FY = 0;
};

void AssignPrn(TextFile& F);
// Raises EInOutError "File not assigned" for a file that AssignPrn did not tie.
void Rewrite(TextFile& F);
void Write(TextFile& F, const String& Text);
void Writeln(TextFile& F, const String& Text = String());
// Ends the job; nothing for a file that is not open.
void CloseFile(TextFile& F);
