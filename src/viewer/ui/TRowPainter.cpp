#include "viewer/ui/TRowPainter.h"

#include "scheme/TSM_Effect.h"
#include "viewer/TViewerMetrics.h"
#include "viewer/ui/TStyleFonts.h"
#include "viewer/ui/ViewerColors.h"

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
                p.fillRect(run.x, y, run.width, lh, color(run.colors.back));
    // Neighbouring runs in the same face and colour are drawn as one glyph run; while deferring, all
    // glyphs in one face and colour are gathered until flushAll (underlined and struck-out runs are
    // drawn at once, as their lines follow their own glyphs).
    for (const TRunPlan& run : plan.runs) {
        const QColor ink = color(run.colors.text);
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
    const QColor ink = color(run.colors.text);
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
    if (p.device() && p.device()->devType() == QInternal::Picture) {
        // A recorded picture keeps text as text only when it is drawn as a string (glyph runs would be
        // recorded as outlines); the face's own advances are the metrics' advances.
        p.setFont(m_fonts.font(fontStyle));
        p.setPen(ink);
        p.drawText(QPoint(x, baseline), fromCp1252(chars, count));
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
            p.drawText(QPoint(x, baseline), fromCp1252(chars + i, 1));
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

void TRowPainter::flushAll(QPainter& p)
{
    for (Batch& b : m_batches) {
        if (b.indexes.isEmpty())
            continue;
        QGlyphRun glyphRun;
        glyphRun.setRawFont(m_fonts.rawFont(b.fontStyle));
        glyphRun.setGlyphIndexes(b.indexes);
        glyphRun.setPositions(b.positions);
        glyphRun.setUnderline(b.fontStyle & TSM_Effect::Underline);
        glyphRun.setStrikeOut(b.fontStyle & TSM_Effect::StrikeOut);
        if (p.pen().color() != b.ink)
            p.setPen(b.ink);
        p.drawGlyphRun(QPointF(0, 0), glyphRun);
    }
    m_batches.clear();
}

} // namespace lrl
