#pragma once

#include "viewer/TRowLayout.h"
#include "viewer/ui/ViewerColors.h"

#include <QColor>
#include <QList>
#include <QPalette>
#include <QPointF>

#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace lrl {

class TStyleFonts;
class TViewerMetrics;

// Draws a row the row layout planned (TRowLayout): each run's box filled with its background (unless the
// text is transparent), its characters as one glyph run at the positions the metrics' advances give,
// then the rest of the row to the right edge in the plan's fill colour. The screen painter and the page
// renderer both draw their rows with it, so that a row looks the same on screen and on paper; they
// differ in the fonts (screen or device resolution) and in how stored colours become colours (the
// widget's palette, or black on white for paper).
class TRowPainter {
public:
    TRowPainter(TStyleFonts& fonts, const TViewerMetrics& metrics, const QPalette& palette);

    // The colour of a stored value: 0x00BBGGRR, or a system colour from the palette.
    QColor color(int32_t value) const;
    // A run's text and background colours as drawn (viewerColors: on a dark palette never one from the
    // palette and one fixed).
    ViewerColorPair colors(const TRunPlan& run) const;

    // Draws the row at y, one line height tall, up to `right`: the runs' backgrounds, their text (runs
    // in the same face and colour as one glyph run), then afterRun for each run (the screen's marks of
    // smoShowAllChars) and the fill to the right edge. Without `opaque` runs are drawn without their
    // background. `prefilled`: the row already lies on that background colour, so runs and the fill in it are
    // not filled again (a page fills the area of its rows once).
    void paintRow(QPainter& p, const TRowPlan& plan, const TDisplayLine& line, int y, int right, bool opaque,
        std::optional<int32_t> prefilled = {}, const std::function<void(const TRunPlan&)>& afterRun = {});

    // Draws a run's characters with their baseline at `baseline`.
    void drawRun(QPainter& p, const TRunPlan& run, const TDisplayLine& line, int baseline);

    // The palette paper is printed with: system text colours black, system backgrounds white, whatever
    // colours the desktop uses.
    static const QPalette& paperPalette();

    // Draws characters of the text (Windows-1252) from x in a face of the text font, the row's top at
    // y, advancing by the metrics.
    void drawText(
        QPainter& p, int x, int y, const char* chars, int count, uint8_t fontStyle, const QColor& ink);

    // While deferred, the text of rows is gathered per face and colour and drawn by flushAll (or when
    // deferring ends) above everything filled meanwhile: a page is drawn with one glyph run per face
    // and colour.
    void setDeferred(QPainter& p, bool on);
    void flushAll(QPainter& p);

private:
    struct Batch {
        uint8_t fontStyle = 0;
        QColor ink;
        QList<quint32> indexes;
        QList<QPointF> positions;
    };
    // Characters of the text as the characters of its code page (the fonts' one).
    QString decoded(const char* chars, int count) const;
    Batch& batchFor(QPainter& p, uint8_t fontStyle, const QColor& ink, bool gather);
    void addRun(QPainter& p, const TRunPlan& run, const TDisplayLine& line, int baseline, Batch& batch);
    void addChars(QPainter& p, const char* chars, int count, int x, int baseline, Batch& batch);
    // Recording into a picture, which keeps text as text only when it is drawn as strings.
    static bool isRecording(const QPainter& p);
    void drawRecordedRow(QPainter& p, const TRowPlan& plan, const TDisplayLine& line, int baseline);
    void drawRecordedChars(
        QPainter& p, const char* chars, int count, int x, uint8_t fontStyle, int baseline, const QColor& ink);

    TStyleFonts& m_fonts;
    const TViewerMetrics& m_metrics;
    const QPalette& m_palette;
    std::vector<Batch> m_batches; // glyph runs being gathered
    bool m_deferred = false;
};

} // namespace lrl
