#include "viewer/ui/TRowPainter.h"

#include "scheme/TSM_Effect.h"
#include "viewer/TViewerMetrics.h"
#include "viewer/ui/TStyleFonts.h"
#include "viewer/ui/ViewerColors.h"

#include <QGlyphRun>
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
    for (const TRunPlan& run : plan.runs) {
        if (opaque && !(prefilled && *prefilled == run.colors.back))
            p.fillRect(run.x, y, run.width, lh, color(run.colors.back));
        drawRun(p, run, line, baseline);
        if (afterRun)
            afterRun(run);
    }
    if (plan.fillX < right && !(prefilled && *prefilled == plan.fillColor))
        p.fillRect(plan.fillX, y, right - plan.fillX, lh, color(plan.fillColor));
}

void TRowPainter::drawRun(QPainter& p, const TRunPlan& run, const TDisplayLine& line, int baseline)
{
    const auto& glyphs = m_fonts.glyphs(run.fontStyle);
    const char* chars = line.chars() + run.column;
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(run.count);
    positions.reserve(run.count);
    QColor ink = color(run.colors.text);
    int x = run.x;
    for (int i = 0; i < run.count; ++i) {
        auto c = static_cast<uint8_t>(chars[i]);
        quint32 g = glyphs[c];
        if (g) {
            indexes.push_back(g);
            positions.push_back(QPointF(x, baseline));
        } else if (c > 32) {
            p.setFont(m_fonts.font(run.fontStyle));
            p.setPen(ink);
            p.drawText(QPoint(x, baseline), fromCp1252(chars + i, 1));
        }
        x += m_metrics.advance(run.fontStyle, c);
    }
    if (indexes.isEmpty())
        return;
    QGlyphRun glyphRun;
    glyphRun.setRawFont(m_fonts.rawFont(run.fontStyle));
    glyphRun.setGlyphIndexes(indexes);
    glyphRun.setPositions(positions);
    glyphRun.setUnderline(run.fontStyle & TSM_Effect::Underline);
    glyphRun.setStrikeOut(run.fontStyle & TSM_Effect::StrikeOut);
    if (p.pen().color() != ink)
        p.setPen(ink);
    p.drawGlyphRun(QPointF(0, 0), glyphRun);
}

} // namespace lrl
