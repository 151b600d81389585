#include "platform/gui/controls/Printers.h"
#include "platform/gui/gdi/FontEngine.h"
#include "platform/gui/graphics/GraphicsAccess.h"
#include "platform/rtl/Guards.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// The page's pixels: 1/96 inch.
constexpr int PageDpi = 96;

std::unique_ptr<TPrinter>& ProgramPrinter() {
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

// One piece of text on a page, drawn as text.
struct TPrintedRun {
    QPointF At; // the text's base line start, in page pixels
    QString Text;
    QFont Font;
    QColor Color;
};

QString Q(const String& S) {
    return QString::fromStdString(S);
}

} // namespace

struct TPrinter::TJob {
    QPrinter Device{QPrinter::HighResolution};
    QPainter Painter;
    std::vector<TPrintedRun> Runs;
    bool Drawn = false; // the canvas drew on the page
};

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
    if (FJob) FJob->Painter.end();
}

TStrings* TPrinter::Printers() {
    if (!FPrinters) {
        FPrinters = std::make_unique<TStringList>();
        for (const QString& name : QPrinterInfo::availablePrinterNames()) FPrinters->Add(name.toStdString());
    }
    return FPrinters.get();
}

void TPrinter::SetPrinterIndex(Integer Value) {
    if (Printing()) throw EPrinter("The printer cannot be changed while it prints. Wait for the job to end.");
    if (Value < -1 || Value >= Printers()->Count())
        throw EPrinter(Format("There is no printer number %d. Choose one of the installed printers.", {Value}));
    FPrinterIndex = Value;
}

String TPrinter::PrinterName() {
    return FPrinterIndex >= 0 ? Printers()->Get(FPrinterIndex) : String();
}

void TPrinter::EnsureCanvas() {
    if (FPage) return;
    QPrinter probe(QPrinter::HighResolution);
    const QRect r = probe.pageLayout().paintRectPixels(PageDpi);
    FPageWidth = r.width();
    FPageHeight = r.height();
    FPage = std::make_unique<TBitmap>();
    FPage->SetSize(FPageWidth, FPageHeight);
    FPage->Canvas()->OnChange = [this](TObject*) {
        if (FJob) FJob->Drawn = true;
    };
}

TCanvas* TPrinter::Canvas() {
    EnsureCanvas();
    return FPage->Canvas();
}

void TPrinter::ClearPage() {
    EnsureCanvas();
    TCanvas* c = FPage->Canvas();
    TBrush saved;
    saved.Assign(c->Brush());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->FillRect({0, 0, FPageWidth, FPageHeight});
    c->SetBrush(&saved);
    if (FJob) {
        FJob->Runs.clear();
        FJob->Drawn = false;
    }
}

void TPrinter::BeginDoc() {
    if (Printing()) throw EPrinter("Printing is already in progress. Wait for the job to end.");
    EnsureCanvas();
    auto job = std::make_unique<TJob>();
    QPrinter& device = job->Device;
    device.setDocName(Q(Title));
    device.setCopyCount(std::max<Integer>(1, Copies));
    if (!FOutputFile.empty()) {
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(Q(FOutputFile));
    } else {
        const String name = PrinterName();
        if (!name.empty()) device.setPrinterName(Q(name));
        if (!device.isValid())
            throw EPrinter("The printer \"" + (name.empty() ? String("(default)") : name) +
                           "\" is not available. Choose another printer or print to a file.");
    }
    if (!job->Painter.begin(&device)) {
        if (!FOutputFile.empty())
            throw EPrinter("The file \"" + FOutputFile +
                           "\" cannot be written. Choose a file in a folder you may write to.");
        throw EPrinter("The printer did not accept the job. Check the printer, or print to a file.");
    }
    const double scale = device.resolution() / static_cast<double>(PageDpi);
    job->Painter.scale(scale, scale);
    FJob = std::move(job);
    FAborted = false;
    FPageNumber = 1;
    ClearPage();
}

void TPrinter::SendPage() {
    TJob& job = *FJob;
    if (job.Drawn) job.Painter.drawImage(QPointF(0, 0), RasterImage(*BitmapRaster(FPage.get())));
    for (const TPrintedRun& run : job.Runs) {
        job.Painter.setFont(run.Font);
        job.Painter.setPen(run.Color);
        job.Painter.drawText(run.At, run.Text);
    }
}

void TPrinter::NewPage() {
    if (!Printing()) throw EPrinter("Printer is not currently printing. Start a job (BeginDoc) first.");
    SendPage();
    if (!FJob->Device.newPage()) {
        Abort();
        throw EPrinter("The printer did not accept another page. Check the printer and print again.");
    }
    ++FPageNumber;
    ClearPage();
}

void TPrinter::EndDoc() {
    if (!Printing()) throw EPrinter("Printer is not currently printing. Start a job (BeginDoc) first.");
    // The job ends whatever happens while its last page is sent.
    TScopeExit finish([this] { FJob.reset(); });
    SendPage();
    if (!FJob->Painter.end())
        throw EPrinter(FOutputFile.empty() ? String("The printer failed to finish the job. Check the printer "
                                                    "and print again.")
                                           : "The file \"" + FOutputFile +
                                                 "\" could not be completed. Check the disk and print again.");
}

void TPrinter::Abort() {
    if (!Printing()) return;
    FJob->Device.abort();
    FJob->Painter.end();
    FJob.reset();
    FAborted = true;
}

void TPrinter::TextOut(Integer X, Integer Y, const String& Text) {
    if (!Printing()) throw EPrinter("Printer is not currently printing. Start a job (BeginDoc) first.");
    TFont* font = Canvas()->Font();
    auto object = FindGdi<TFontObject>(AsGdiObj(font->Handle()), TGdiKind::Font);
    if (!object) return;
    const TFontFace& face = FaceOf(*object);
    const COLORREF rgb = ColorToRGB(font->Color());
    FJob->Runs.push_back({QPointF(X, Y + face.Ascent), Q(Text), face.Font,
                          QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb))});
}

TPrinter* Printer() {
    auto& p = ProgramPrinter();
    if (!p) p = std::make_unique<TPrinter>();
    return p.get();
}

TPrinter* SetPrinter(TPrinter* Value) {
    TPrinter* old = ProgramPrinter().release();
    ProgramPrinter().reset(Value);
    return old;
}

// ================================================================ the printer text file

void AssignPrn(TextFile& F) {
    F.FPrinter = Printer();
    F.FOpen = false;
}

void Rewrite(TextFile& F) {
    if (!F.FPrinter) throw EInOutError("File not assigned");
    F.FPrinter->BeginDoc();
    F.FOpen = true;
    F.FX = 0;
    F.FY = 0;
}

namespace {

Integer LineHeight(TPrinter* P) {
    TTextMetric tm;
    GetTextMetrics(P->Canvas()->Handle(), &tm);
    return tm.tmHeight + tm.tmExternalLeading;
}

void CheckOpen(const TextFile& F) {
    if (!F.IsOpen()) throw EInOutError("File not open for output");
}

} // namespace

void Write(TextFile& F, const String& Text) {
    CheckOpen(F);
    if (Text.empty()) return;
    if (F.FY + LineHeight(F.FPrinter) > F.FPrinter->PageHeight() && F.FY > 0) {
        F.FPrinter->NewPage();
        F.FY = 0;
    }
    F.FPrinter->TextOut(F.FX, F.FY, Text);
    F.FX += F.FPrinter->Canvas()->TextWidth(Text);
}

void Writeln(TextFile& F, const String& Text) {
    Write(F, Text);
    F.FX = 0;
    F.FY += LineHeight(F.FPrinter);
}

void CloseFile(TextFile& F) {
    if (!F.FOpen) return;
    F.FOpen = false;
    F.FPrinter->EndDoc();
}
