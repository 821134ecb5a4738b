#include "viewer/ui/TRowPainter.h"

#include "common/CodePage.h"
#include "scheme/TSM_Effect.h"
#include "viewer/TViewerMetrics.h"
#include "viewer/ui/TStyleFonts.h"
#include "viewer/ui/ViewerColors.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace lrl {

TRowPainter::TRowPainter(TStyleFonts& fonts, const TViewerMetrics& metrics, const QPalette& palette)
    : m_fonts(fonts)
    , m_metrics(metrics)
    , m_palette(palette)
{
}

QColor TRowPainter::color(int32_t value) const { return viewerColor(value, m_palette); }

QString TRowPainter::decoded(const char* chars, int count) const
{
    const CodePage& page = CodePage::of(m_fonts.codePage());
    QString text(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i)
        text[i] = QChar(page.toUnicode(static_cast<uint8_t>(chars[i])));
    return text;
}

ViewerColorPair TRowPainter::colors(const TRunPlan& run) const
{
    return viewerColors(run.colors.text, run.colors.back, m_palette);
}

const QPalette& TRowPainter::paperPalette()
{
    static const QPalette paper = [] {
        QPalette p;
        for (auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
            for (auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                     QPalette::ToolTipText, QPalette::HighlightedText, QPalette::Dark, QPalette::Mid })
                p.setColor(group, role, Qt::black);
            for (auto role : { QPalette::Window, QPalette::Base, QPalette::Button, QPalette::ToolTipBase,
                     QPalette::Highlight, QPalette::Light })
                p.setColor(group, role, Qt::white);
        }
        return p;
    }();
    return paper;
}

void TRowPainter::paintRow(QPainter& p, const TRowPlan& plan, const TDisplayLine& line, int y, int right,
    bool opaque, std::optional<int32_t> prefilled, const std::function<void(const TRunPlan&)>& afterRun)
{
    const int lh = std::max(m_metrics.lineHeight(), 1);
    const int baseline = y + m_fonts.ascent();
    if (opaque)
        for (const TRunPlan& run : plan.runs)
            if (!(prefilled && *prefilled == run.colors.back))
                p.fillRect(run.x, y, run.width, lh, colors(run).back);
    // Neighbouring runs in the same face and colour are drawn as one glyph run; while deferring, all
    // glyphs in one face and colour are gathered until flushAll (underlined and struck-out runs are
    // drawn at once, as their lines follow their own glyphs).
    if (isRecording(p) && m_metrics.fixedPitch())
        drawRecordedRow(p, plan, line, baseline);
    else
        for (const TRunPlan& run : plan.runs) {
            const QColor ink = colors(run).text;
            const bool lined = run.fontStyle & (TSM_Effect::Underline | TSM_Effect::StrikeOut);
            addRun(p, run, line, baseline, batchFor(p, run.fontStyle, ink, m_deferred && !lined));
            if (lined)
                flushAll(p);
        }
    if (!m_deferred)
        flushAll(p);
    if (afterRun)
        for (const TRunPlan& run : plan.runs)
            afterRun(run);
    if (plan.fillX < right && !(prefilled && *prefilled == plan.fillColor))
        p.fillRect(plan.fillX, y, right - plan.fillX, lh, color(plan.fillColor));
}

void TRowPainter::drawRun(QPainter& p, const TRunPlan& run, const TDisplayLine& line, int baseline)
{
    const QColor ink = colors(run).text;
    addRun(p, run, line, baseline, batchFor(p, run.fontStyle, ink, false));
    flushAll(p);
}

void TRowPainter::setDeferred(QPainter& p, bool on)
{
    if (!on)
        flushAll(p);
    m_deferred = on;
}

TRowPainter::Batch& TRowPainter::batchFor(QPainter& p, uint8_t fontStyle, const QColor& ink, bool gather)
{
    if (gather) {
        for (Batch& b : m_batches)
            if (b.fontStyle == fontStyle && b.ink == ink)
                return b;
    } else if (!m_batches.empty()) {
        Batch& last = m_batches.back();
        if (m_batches.size() == 1 && last.fontStyle == fontStyle && last.ink == ink)
            return last;
        flushAll(p);
    }
    m_batches.push_back({ fontStyle, ink, {}, {} });
    return m_batches.back();
}

// Adds a run's glyphs at the positions the metrics' advances give. Blanks have no ink and are left out
// unless the face underlines or strikes them out; a character the face has no glyph for is drawn on
// its own with the font's fallback.
void TRowPainter::addRun(
    QPainter& p, const TRunPlan& run, const TDisplayLine& line, int baseline, Batch& batch)
{
    addChars(p, line.chars() + run.column, run.count, run.x, baseline, batch);
}

void TRowPainter::addChars(QPainter& p, const char* chars, int count, int x, int baseline, Batch& batch)
{
    if (count <= 0)
        return;
    const QColor& ink = batch.ink;
    const uint8_t fontStyle = batch.fontStyle;
    if (isRecording(p)) {
        // A recorded picture keeps text as text only when it is drawn as a string (glyph runs would be
        // recorded as outlines). The string must still advance by the metrics' whole-pixel cells, not
        // by the face's own (fractional) advances, or the recorded text drifts from the direct page's:
        // a fixed-pitch face gets the difference as letter spacing, other faces draw each character at
        // its place.
        drawRecordedChars(p, chars, count, x, fontStyle, baseline, ink);
        return;
    }
    const auto& glyphs = m_fonts.glyphs(fontStyle);
    const bool lined = fontStyle & (TSM_Effect::Underline | TSM_Effect::StrikeOut);
    for (int i = 0; i < count; ++i) {
        auto c = static_cast<uint8_t>(chars[i]);
        quint32 g = glyphs[c];
        if (g && (c != ' ' || lined)) {
            batch.indexes.push_back(g);
            batch.positions.push_back(QPointF(x, baseline));
        } else if (!g && c > 32) {
            p.setFont(m_fonts.font(fontStyle));
            p.setPen(ink);
            p.drawText(QPoint(x, baseline), decoded(chars + i, 1));
        }
        x += m_metrics.advance(fontStyle, c);
    }
}

void TRowPainter::drawText(
    QPainter& p, int x, int y, const char* chars, int count, uint8_t fontStyle, const QColor& ink)
{
    const bool lined = fontStyle & (TSM_Effect::Underline | TSM_Effect::StrikeOut);
    addChars(p, chars, count, x, y + m_fonts.ascent(), batchFor(p, fontStyle, ink, m_deferred && !lined));
    if (!m_deferred || lined)
        flushAll(p);
}

bool TRowPainter::isRecording(const QPainter& p)
{
    return p.device() && p.device()->devType() == QInternal::Picture;
}

// In a fixed-pitch face, the runs of a row that share face and colour are recorded as one string, the
// characters of other runs between them given as blanks: a recorded page holds a few strings a row
// instead of one per run. Underlined and struck-out runs, and runs off the row's cell grid, are recorded
// on their own.
void TRowPainter::drawRecordedRow(QPainter& p, const TRowPlan& plan, const TDisplayLine& line, int baseline)
{
    struct Group {
        uint8_t fontStyle;
        QColor ink;
        int x;
        QByteArray chars;
    };
    std::vector<Group> groups;
    const int cell = std::max(m_metrics.advance(0, 'W'), 1);
    for (const TRunPlan& run : plan.runs) {
        if (run.count <= 0)
            continue;
        const QColor ink = colors(run).text;
        auto g = std::find_if(groups.begin(), groups.end(),
            [&](const Group& gr) { return gr.fontStyle == run.fontStyle && gr.ink == ink; });
        const bool lined = run.fontStyle & (TSM_Effect::Underline | TSM_Effect::StrikeOut);
        const bool offGrid = g != groups.end()
            && ((run.x - g->x) % cell != 0 || (run.x - g->x) / cell < g->chars.size());
        if (lined || offGrid) {
            drawRecordedChars(p, line.chars() + run.column, run.count, run.x, run.fontStyle, baseline, ink);
            continue;
        }
        if (g == groups.end()) {
            groups.push_back({ run.fontStyle, ink, run.x, {} });
            g = groups.end() - 1;
        }
        const int at = (run.x - g->x) / cell;
        if (at > g->chars.size())
            g->chars.append(at - g->chars.size(), ' ');
        g->chars.append(line.chars() + run.column, run.count);
    }
    for (const Group& g : groups)
        drawRecordedChars(
            p, g.chars.constData(), static_cast<int>(g.chars.size()), g.x, g.fontStyle, baseline, g.ink);
}

void TRowPainter::drawRecordedChars(
    QPainter& p, const char* chars, int count, int x, uint8_t fontStyle, int baseline, const QColor& ink)
{
    int first = 0;
    // Blanks have no ink: a recorded string leaves them out at both ends (each item a picture keeps
    // costs its whole font), unless the face underlines or strikes them out.
    if (!(fontStyle & (TSM_Effect::Underline | TSM_Effect::StrikeOut))) {
        while (first < count && static_cast<uint8_t>(chars[first]) <= 32)
            x += m_metrics.advance(fontStyle, static_cast<uint8_t>(chars[first++]));
        while (count > first && static_cast<uint8_t>(chars[count - 1]) <= 32)
            --count;
    }
    if (first >= count)
        return;
    QFont font = m_fonts.font(fontStyle);
    if (m_metrics.fixedPitch()) {
        const qreal own = QFontMetricsF(font, p.device()).horizontalAdvance(QLatin1Char('W'));
        font.setLetterSpacing(QFont::AbsoluteSpacing, m_metrics.advance(fontStyle, 'W') - own);
    }
    // A picture records every change of font or pen, also to the same one.
    if (p.font() != font)
        p.setFont(font);
    if (p.pen().color() != ink)
        p.setPen(ink);
    if (m_metrics.fixedPitch()) {
        p.drawText(QPoint(x, baseline), decoded(chars + first, count - first));
        return;
    }
    for (int i = first; i < count; ++i) {
        auto c = static_cast<uint8_t>(chars[i]);
        if (c > 32)
            p.drawText(QPoint(x, baseline), decoded(chars + i, 1));
        x += m_metrics.advance(fontStyle, c);
    }
}

void TRowPainter::flushAll(QPainter& p)
{
    for (Batch& b : m_batches) {
        if (b.indexes.isEmpty())
            continue;
        QGlyphRun glyphRun;
        glyphRun.setRawFont(m_fonts.rawFont(b.fontStyle));
        glyphRun.setGlyphIndexes(b.indexes);
        const bool lined = b.fontStyle & (TSM_Effect::Underline | TSM_Effect::StrikeOut);
        // A glyph run's underline and strike-out start at the point it is drawn at, so a lined run is
        // drawn at its first glyph with the positions taken from there.
        QPointF origin(0, 0);
        if (lined) {
            origin = QPointF(b.positions.first().x(), 0);
            for (QPointF& at : b.positions)
                at.rx() -= origin.x();
        }
        glyphRun.setPositions(b.positions);
        glyphRun.setUnderline(b.fontStyle & TSM_Effect::Underline);
        glyphRun.setStrikeOut(b.fontStyle & TSM_Effect::StrikeOut);
        if (p.pen().color() != b.ink)
            p.setPen(b.ink);
        p.drawGlyphRun(origin, glyphRun);
    }
    m_batches.clear();
}

} // namespace lrl
