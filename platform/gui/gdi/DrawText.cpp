// DrawText: lines, word breaks, tabs, accelerator prefixes, ellipses,
// alignment and clipping, all measured with the selected font.
#include "platform/gui/gdi/FontEngine.h"

#include <algorithm>
#include <cstring>

#include <QStringList>

namespace {

// One line to draw: its text (prefix marks removed) and the index of the
// character to underline, or -1.
struct TLine {
    QString Text;
    int Underline = -1;
};

struct TLayout {
    const TFontFace& Face;
    UINT Format;
    int TabWidth;

    bool Tabs() const { return Format & DT_EXPANDTABS; }

    // Width of Text from the start of a line, with tab stops.
    int Width(const QString& Text) const {
        if (!Tabs() || !Text.contains(QLatin1Char('\t'))) return Face.Width(Text);
        int x = 0;
        int start = 0;
        for (int i = 0; i <= Text.size(); ++i) {
            if (i < Text.size() && Text[i] != QLatin1Char('\t')) continue;
            x += Face.Width(Text.mid(start, i - start));
            if (i < Text.size()) x = TabWidth > 0 ? (x / TabWidth + 1) * TabWidth : x;
            start = i + 1;
        }
        return x;
    }
};

// Removes "&" marks: "&&" is one "&", "&x" underlines x (the last mark of
// the text counts), a lone "&" at the end is dropped.
TLine StripPrefix(const QString& Text, UINT Format) {
    TLine line;
    if (Format & DT_NOPREFIX) {
        line.Text = Text;
        return line;
    }
    for (int i = 0; i < Text.size(); ++i) {
        QChar c = Text[i];
        if (c != QLatin1Char('&')) {
            line.Text += c;
            continue;
        }
        if (i + 1 >= Text.size()) break;
        if (Text[i + 1] == QLatin1Char('&')) {
            line.Text += QLatin1Char('&');
            ++i;
            continue;
        }
        line.Underline = static_cast<int>(line.Text.size());
    }
    return line;
}

QStringList Paragraphs(const QString& Text, UINT Format) {
    if (Format & DT_SINGLELINE) {
        QString s = Text;
        s.remove(QLatin1Char('\r'));
        s.remove(QLatin1Char('\n'));
        return {s};
    }
    QString s = Text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s.split(QLatin1Char('\n'));
}

// Breaks a line between words so that each part fits MaxWidth; a word
// wider than that stands alone. Spaces at a break are dropped.
std::vector<TLine> WordBreak(const TLine& Line, const TLayout& L, int MaxWidth) {
    std::vector<TLine> out;
    const QString& s = Line.Text;
    int start = 0;
    while (true) {
        int n = static_cast<int>(s.size());
        int end = start; // end of the text that fits
        int i = start;
        while (i < n) {
            int wordEnd = i;
            while (wordEnd < n && s[wordEnd] == QLatin1Char(' ')) ++wordEnd; // spaces before the word
            while (wordEnd < n && s[wordEnd] != QLatin1Char(' ')) ++wordEnd;
            if (end > start && L.Width(s.mid(start, wordEnd - start)) > MaxWidth) break;
            end = wordEnd;
            i = wordEnd;
        }
        TLine part;
        part.Text = s.mid(start, end - start);
        if (Line.Underline >= start && Line.Underline < end) part.Underline = Line.Underline - start;
        out.push_back(part);
        int next = end;
        while (next < n && s[next] == QLatin1Char(' ')) ++next;
        if (next >= n) break;
        start = next;
    }
    return out;
}

const QString Ellipsis = QStringLiteral("...");

void EndEllipsis(TLine& Line, const TLayout& L, int MaxWidth) {
    if (L.Width(Line.Text) <= MaxWidth) return;
    int keep = static_cast<int>(Line.Text.size());
    while (keep > 0 && L.Width(Line.Text.left(keep) + Ellipsis) > MaxWidth) --keep;
    if (keep > 0 && Line.Text[keep - 1].isHighSurrogate()) --keep;
    Line.Text = Line.Text.left(keep) + Ellipsis;
    if (Line.Underline >= keep) Line.Underline = -1;
}

// Keeps the last path component and as much of the start as fits:
// "C:\dir\sub\file.txt" becomes "C:\di...\file.txt".
void PathEllipsis(TLine& Line, const TLayout& L, int MaxWidth) {
    if (L.Width(Line.Text) <= MaxWidth) return;
    int sep = static_cast<int>(std::max(Line.Text.lastIndexOf(QLatin1Char('\\')), Line.Text.lastIndexOf(QLatin1Char('/'))));
    if (sep < 0) {
        EndEllipsis(Line, L, MaxWidth);
        return;
    }
    QString tail = Line.Text.mid(sep);
    int keep = sep;
    while (keep > 0 && L.Width(Line.Text.left(keep) + Ellipsis + tail) > MaxWidth) --keep;
    Line.Text = Line.Text.left(keep) + Ellipsis + tail;
    Line.Underline = -1;
}

} // namespace

Integer DrawText(HDC DC, const String& Text, TRect* Rect, UINT Format) {
    TDeviceContext* dc = FindDC(DC);
    if (!dc || !Rect) return 0;
    const TFontFace& face = FaceOf(*dc);
    TLayout layout{face, Format, 8 * face.AveCharWidth};
    QString text = QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
    int maxWidth = Rect->Right - Rect->Left;
    int lineHeight = face.Height() + ((Format & DT_EXTERNALLEADING) ? face.ExternalLeading : 0);

    std::vector<TLine> lines;
    if (!text.isEmpty() || (Format & DT_SINGLELINE)) {
        for (const QString& para : Paragraphs(text, Format)) {
            TLine line = StripPrefix(para, Format);
            if ((Format & DT_WORDBREAK) && !(Format & DT_SINGLELINE)) {
                for (TLine& part : WordBreak(line, layout, maxWidth)) lines.push_back(part);
            } else {
                lines.push_back(line);
            }
        }
    }
    for (TLine& line : lines) {
        if (Format & DT_PATH_ELLIPSIS)
            PathEllipsis(line, layout, maxWidth);
        else if (Format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
            EndEllipsis(line, layout, maxWidth);
    }
    int total = static_cast<int>(lines.size()) * lineHeight;
    if (Format & DT_CALCRECT) {
        int widest = 0;
        for (const TLine& line : lines) widest = std::max(widest, layout.Width(line.Text));
        Rect->Right = Rect->Left + widest;
        Rect->Bottom = Rect->Top + total;
        return total;
    }

    int y = Rect->Top;
    bool single = Format & DT_SINGLELINE;
    if (single && (Format & DT_VCENTER))
        y = Rect->Top + (Rect->Bottom - Rect->Top - total) / 2;
    else if (single && (Format & DT_BOTTOM))
        y = Rect->Bottom - total;
    const TRect* clip = (Format & DT_NOCLIP) ? nullptr : Rect;
    bool rtl = Format & DT_RTLREADING;
    int firstY = y;
    for (const TLine& line : lines) {
        int w = layout.Width(line.Text);
        int x = Rect->Left;
        if (Format & DT_CENTER)
            x = Rect->Left + (maxWidth - w) / 2;
        else if (Format & DT_RIGHT)
            x = Rect->Right - w;
        int ua = 0, ub = 0;
        if (line.Underline >= 0 && line.Underline < line.Text.size() && !(Format & DT_HIDEPREFIX)) {
            ua = layout.Width(line.Text.left(line.Underline));
            ub = ua + face.Width(line.Text.mid(line.Underline, 1));
        }
        if (Format & DT_PREFIXONLY) {
            if (ua < ub) DrawTextRun(*dc, x, y, QString(), clip, rtl, ua, ub);
        } else if (layout.Tabs() && line.Text.contains(QLatin1Char('\t'))) {
            // Each piece between tabs starts at its tab stop.
            int start = 0;
            for (int i = 0; i <= line.Text.size(); ++i) {
                if (i < line.Text.size() && line.Text[i] != QLatin1Char('\t')) continue;
                QString piece = line.Text.mid(start, i - start);
                int px = x + layout.Width(line.Text.left(start));
                bool here = line.Underline >= start && line.Underline < i;
                DrawTextRun(*dc, px, y, piece, clip, rtl, here ? ua - (px - x) : 0, here ? ub - (px - x) : 0);
                start = i + 1;
            }
        } else {
            DrawTextRun(*dc, x, y, line.Text, clip, rtl, ua, ub);
        }
        y += lineHeight;
    }
    if (single && (Format & (DT_VCENTER | DT_BOTTOM))) return firstY - Rect->Top + total;
    return total;
}

Integer DrawText(HDC DC, const char* Str, Integer Count, TRect* Rect, UINT Format) {
    if (!Str) return 0;
    std::size_t n = Count < 0 ? std::strlen(Str) : static_cast<std::size_t>(Count);
    return DrawText(DC, String(Str, n), Rect, Format);
}
