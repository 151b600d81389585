// The canvas against the toolkit underneath it: each operation drawn on an
// 800 x 600 bitmap through TCanvas and the GDI calls, and the same work done
// by QPainter on an 800 x 600 QImage in the same run. Prints the median time
// of both and the ratio ours / QPainter with its target.
//
//   bench_canvas [repetitions, default 15] [part of an operation's name]
//
// Both sides draw the same shapes in the same colours without anti-aliasing;
// QPainter keeps one painter open per batch (its best case). Where QPainter
// has no call for the same pixels (the box and diagonal gradients, the
// colour-keyed blit) the nearest work it does is named in the table.
#include "controls/common/QxGrafx.h"
#include "platform/gui/graphics/Graphics.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int W = 800, H = 600;
constexpr TColor Start = 0x1060C8, Stop = 0xC83010;

double Median(std::vector<double> V) {
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

QColor ToQColor(TColor C) {
    COLORREF c = ColorToRGB(C);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

struct TCase {
    std::string Name;
    std::string Baseline; // what QPainter does
    double Target;
    std::function<void()> Ours;
    std::function<void(QPainter&)> Qt;
};

// Times Body once in microseconds.
double Time(const std::function<void()>& Body) {
    auto t0 = Clock::now();
    Body();
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

// Rectangles spread over the bitmap, the same for both sides.
std::vector<TRect> SpreadRects(int Count, int RW, int RH) {
    std::vector<TRect> r;
    for (int i = 0; i < Count; ++i) {
        int x = (i * 97) % (W - RW), y = (i * 61) % (H - RH);
        r.push_back(Bounds(x, y, RW, RH));
    }
    return r;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;

    TBitmap target;
    target.SetSize(W, H);
    TCanvas* canvas = target.Canvas();
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);

    // A numbered source for the blits, the same pixels on both sides.
    TBitmap source;
    source.SetSize(256, 256);
    QImage qsource(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            TColor c = RGB(x, y, (x ^ y) & 0xFF);
            source.Canvas()->SetPixels(x, y, c);
            qsource.setPixel(x, y, ToQColor(c).rgb());
        }
    // The colour-keyed source: a disc on a magenta key; QPainter draws the
    // same picture with the key made transparent.
    constexpr TColor Key = clFuchsia;
    TBitmap keyed;
    keyed.SetSize(64, 64);
    QImage qkeyed(64, 64, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            bool in = (x - 32) * (x - 32) + (y - 32) * (y - 32) < 30 * 30;
            TColor c = in ? RGB(x * 4, y * 4, 128) : Key;
            keyed.Canvas()->SetPixels(x, y, c);
            qkeyed.setPixel(x, y, in ? ToQColor(c).rgba() : 0);
        }

    const std::vector<TRect> small = SpreadRects(2000, 40, 24);
    const std::vector<TRect> medium = SpreadRects(300, 200, 120);
    const String label = "Program flash 0x9D000000";
    const QString qlabel = QString::fromLatin1(label.c_str());
    QFont qfont(QStringLiteral("Liberation Sans"));
    qfont.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    qfont.setHintingPreference(QFont::PreferFullHinting);
    qfont.setKerning(false);
    qfont.setPixelSize(11);
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetHeight(-11);

    auto solid = [&](TColor C) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(C);
    };

    std::vector<TCase> cases;
    cases.push_back({"FillRect 2000 x 40x24", "fillRect", 1.0,
                     [&] {
                         int i = 0;
                         for (const TRect& r : small) {
                             solid(i++ & 1 ? clNavy : clTeal);
                             canvas->FillRect(r);
                         }
                     },
                     [&](QPainter& p) {
                         int i = 0;
                         for (const TRect& r : small)
                             p.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()),
                                        ToQColor(i++ & 1 ? clNavy : clTeal));
                     }});
    cases.push_back({"FillRect 800x600 x 20", "fillRect", 1.0,
                     [&] {
                         for (int i = 0; i < 20; ++i) {
                             solid(i & 1 ? clNavy : clTeal);
                             canvas->FillRect(Rect(0, 0, W, H));
                         }
                     },
                     [&](QPainter& p) {
                         for (int i = 0; i < 20; ++i) p.fillRect(QRect(0, 0, W, H), ToQColor(i & 1 ? clNavy : clTeal));
                     }});
    cases.push_back({"Rectangle 300 x 200x120", "drawRect", 1.0,
                     [&] {
                         canvas->Pen()->SetColor(clBlack);
                         solid(clYellow);
                         for (const TRect& r : medium) canvas->Rectangle(r);
                     },
                     [&](QPainter& p) {
                         p.setPen(QPen(Qt::black, 0));
                         p.setBrush(ToQColor(clYellow));
                         for (const TRect& r : medium) p.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
                         p.setBrush(Qt::NoBrush);
                     }});
    cases.push_back({"LineTo 2000 lines", "drawLine", 1.0,
                     [&] {
                         canvas->Pen()->SetColor(clMaroon);
                         for (int i = 0; i < 2000; ++i) {
                             int x = (i * 37) % W, y = (i * 53) % H;
                             canvas->MoveTo(x, y);
                             switch (i % 3) {
                             case 0: canvas->LineTo(W - 1 - x / 2, y); break;
                             case 1: canvas->LineTo(x, H - 1 - y / 2); break;
                             default: canvas->LineTo(W - 1 - x, H - 1 - y); break;
                             }
                         }
                     },
                     [&](QPainter& p) {
                         p.setPen(QPen(ToQColor(clMaroon), 0));
                         for (int i = 0; i < 2000; ++i) {
                             int x = (i * 37) % W, y = (i * 53) % H;
                             switch (i % 3) {
                             case 0: p.drawLine(x, y, W - 1 - x / 2, y); break;
                             case 1: p.drawLine(x, y, x, H - 1 - y / 2); break;
                             default: p.drawLine(x, y, W - 1 - x, H - 1 - y); break;
                             }
                         }
                     }});
    cases.push_back({"TextOut 500", "drawText(point)", 1.3,
                     [&] {
                         canvas->Brush()->SetStyle(bsClear);
                         canvas->Font()->SetColor(clBlack);
                         for (int i = 0; i < 500; ++i) canvas->TextOut((i * 37) % 600, (i * 23) % 580, label);
                     },
                     [&](QPainter& p) {
                         p.setFont(qfont);
                         p.setPen(Qt::black);
                         QFontMetrics fm(qfont);
                         for (int i = 0; i < 500; ++i)
                             p.drawText(QPoint((i * 37) % 600, (i * 23) % 580 + fm.ascent()), qlabel);
                     }});
    cases.push_back({"DrawText 500 centred", "drawText(rect)", 1.3,
                     [&] {
                         canvas->Brush()->SetStyle(bsClear);
                         canvas->Font()->SetColor(clBlack);
                         HDC dc = canvas->Handle();
                         for (int i = 0; i < 500; ++i) {
                             TRect r = Bounds((i * 37) % 600, (i * 23) % 580, 180, 20);
                             DrawText(dc, label, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
                         }
                     },
                     [&](QPainter& p) {
                         p.setFont(qfont);
                         p.setPen(Qt::black);
                         for (int i = 0; i < 500; ++i)
                             p.drawText(QRect((i * 37) % 600, (i * 23) % 580, 180, 20), Qt::AlignCenter, qlabel);
                     }});
    cases.push_back({"BitBlt 300 x 256x256", "drawImage", 1.0,
                     [&] {
                         HDC d = canvas->Handle(), s = source.Canvas()->Handle();
                         for (int i = 0; i < 300; ++i) BitBlt(d, (i * 41) % (W - 256), (i * 29) % (H - 256), 256, 256, s, 0, 0, SRCCOPY);
                     },
                     [&](QPainter& p) {
                         for (int i = 0; i < 300; ++i) p.drawImage(QPoint((i * 41) % (W - 256), (i * 29) % (H - 256)), qsource);
                     }});
    cases.push_back({"BitBlt within, overlapping 300", "drawImage", 1.0,
                     [&] {
                         HDC d = canvas->Handle();
                         for (int i = 0; i < 300; ++i) BitBlt(d, 3 + i % 5, 2 + i % 3, 256, 256, d, i % 7, i % 4, SRCCOPY);
                     },
                     [&](QPainter& p) {
                         for (int i = 0; i < 300; ++i) p.drawImage(QPoint(3 + i % 5, 2 + i % 3), qsource);
                     }});
    cases.push_back({"StretchBlt 100 x 256->400x300", "drawImage scaled", 1.0,
                     [&] {
                         HDC d = canvas->Handle(), s = source.Canvas()->Handle();
                         for (int i = 0; i < 100; ++i) StretchBlt(d, (i * 41) % 400, (i * 29) % 300, 400, 300, s, 0, 0, 256, 256, SRCCOPY);
                     },
                     [&](QPainter& p) {
                         for (int i = 0; i < 100; ++i)
                             p.drawImage(QRect((i * 41) % 400, (i * 29) % 300, 400, 300), qsource);
                     }});
    cases.push_back({"PaintBitmapTransparent 300 x 64->96", "drawImage alpha scaled", 1.0,
                     [&] {
                         for (int i = 0; i < 300; ++i)
                             PaintBitmapTransparent(canvas, &keyed, Bounds((i * 41) % 700, (i * 29) % 500, 96, 96), Key,
                                                    Rect(0, 0, 64, 64));
                     },
                     [&](QPainter& p) {
                         for (int i = 0; i < 300; ++i)
                             p.drawImage(QRect((i * 41) % 700, (i * 29) % 500, 96, 96), qkeyed);
                     }});

    struct TGradientCase {
        TGradientDirection Direction;
        const char* Name;
        QPointF From, To;
        bool Centre;
    };
    const TGradientCase gradients[] = {
        {gdDiagonalUp, "gdDiagonalUp", {0, H}, {W, 0}, false},
        {gdDiagonalDown, "gdDiagonalDown", {0, 0}, {W, H}, false},
        {gdHorizontalEnd, "gdHorizontalEnd", {0, 0}, {0, H}, false},
        {gdHorizontalCenter, "gdHorizontalCenter", {0, 0}, {0, H}, true},
        {gdHorizontalBox, "gdHorizontalBox", {0, 0}, {W, H}, true},
        {gdVerticalEnd, "gdVerticalEnd", {0, 0}, {W, 0}, false},
        {gdVerticalCenter, "gdVerticalCenter", {0, 0}, {W, 0}, true},
        {gdVerticalBox, "gdVerticalBox", {0, 0}, {W, H}, true},
        {gdSquareBox, "gdSquareBox", {0, 0}, {W, H}, true},
        {gdBigSquareBox, "gdBigSquareBox", {0, 0}, {W, H}, true},
    };
    for (const TGradientCase& g : gradients) {
        QLinearGradient lg(g.From, g.To);
        lg.setColorAt(0, ToQColor(Start));
        if (g.Centre) lg.setColorAt(0.5, ToQColor(Stop));
        lg.setColorAt(1, ToQColor(g.Centre ? Start : Stop));
        std::string baseline = g.Centre ? "linear, 3 stops" : "linear, 2 stops";
        if (g.From.x() != g.To.x() && g.From.y() != g.To.y()) baseline += ", diagonal";
        cases.push_back({std::string("Gradient 800x600 ") + g.Name, baseline, 1.0,
                         [&, d = g.Direction] { GradientFillRect(canvas, Rect(0, 0, W, H), d, 1, Stop, Start); },
                         [lg](QPainter& p) { p.fillRect(QRect(0, 0, W, H), QBrush(lg)); }});
    }

    std::printf("canvas: ours (TCanvas / GDI calls on an 800x600 bitmap) against QPainter on an 800x600 QImage,\n"
                "median of %d runs each, ratio = ours / QPainter\n\n", runs);
    std::printf("%-38s %-24s %11s %11s %7s %7s\n", "operation", "QPainter baseline", "ours us", "QPainter us", "ratio",
                "target");
    int missed = 0;
    const std::string only = argc > 2 ? argv[2] : "";
    for (const TCase& c : cases) {
        if (c.Name.find(only) == std::string::npos) continue;
        // One untimed round each, then both sides alternately.
        c.Ours();
        {
            QPainter p(&image);
            c.Qt(p);
        }
        std::vector<double> ours, qt;
        for (int i = 0; i < runs; ++i) {
            ours.push_back(Time(c.Ours));
            qt.push_back(Time([&] {
                QPainter p(&image);
                c.Qt(p);
            }));
        }
        double a = Median(ours), b = Median(qt), ratio = a / b;
        bool met = ratio <= c.Target;
        if (!met) ++missed;
        std::printf("%-38s %-24s %11.1f %11.1f %7.2f %7.2f%s\n", c.Name.c_str(), c.Baseline.c_str(), a, b, ratio,
                    c.Target, met ? "" : "  over");
        std::fflush(stdout);
    }
    std::printf("\n%d of %zu ratios over their target\n", missed, cases.size());
    return 0;
}
