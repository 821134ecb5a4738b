#include "viewer/ui/TSyntaxMemoInput.h"

#include "platform/ClipboardText.h"
#include "viewer/TPlainTextWriter.h"
#include "viewer/ui/QtShortCut.h"
#include "viewer/ui/TSyntaxMemo.h"
#include "viewer/ui/ViewerClipboard.h"

#include <QApplication>
#include <QDrag>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>

namespace lrl {

namespace {

    TPoint pointOf(const QMouseEvent& event)
    {
        QPoint p = event.position().toPoint();
        return { p.x(), p.y() };
    }

} // namespace

TSyntaxMemoInput::TSyntaxMemoInput(TSyntaxMemo& memo)
    : m_memo(memo)
    , m_commands(memo)
    , m_mouse(memo, QGuiApplication::styleHints()->mouseDoubleClickInterval())
{
    m_clock.start();
    m_commands.OnCopy = &TSyntaxMemoInput::copyToClipboard;
    m_mouse.OnStartDrag = [this](TCustomSyntaxMemo&) { dragSelectionOut(); };
    m_mouse.setDragDistance(QApplication::startDragDistance());
    m_autoScroll.setInterval(kAutoScrollInterval);
    QObject::connect(&m_autoScroll, &QTimer::timeout, [this] {
        m_mouse.autoScroll();
        sync();
    });
    m_guide = new QWidget(memo.viewport());
    m_guide->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_guide->setAutoFillBackground(true);
    QPalette guidePalette = m_guide->palette();
    guidePalette.setColor(QPalette::Window, Qt::black);
    m_guide->setPalette(guidePalette);
    m_guide->hide();
    memo.viewport()->setMouseTracking(true);
    memo.setController(this);
}

TSyntaxMemoInput::~TSyntaxMemoInput()
{
    if (m_memo.controller() == this)
        m_memo.setController(nullptr);
}

void TSyntaxMemoInput::copyToClipboard(TCustomSyntaxMemo& memo, const std::string&)
{
    ViewerClipboard::copy(memo);
}

void TSyntaxMemoInput::dragSelectionOut()
{
    if (m_memo.selStart() == m_memo.selEnd())
        return;
    std::string text = TPlainTextWriter(m_memo.textStore(), m_memo.selStart(), m_memo.selEnd(), wfAddLF).text();
    auto* drag = new QDrag(m_memo.viewport());
    drag->setMimeData(ClipboardText::mimeData(text, {}, m_memo.codePage()).release());
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

bool TSyntaxMemoInput::keyPress(TSyntaxMemo&, QKeyEvent* event)
{
    // Modifier keys alone have no code: they neither run nor end a sequence.
    TShortCut key = shortCutOf(*event);
    if (key == 0)
        return false;
    TKeyFilterResult r = m_memo.keyMap().keyFilter(key);
    if (!r.consumed)
        return false;
    if (r.command != TKeyStore::kNoCommand)
        m_commands.execute(r.command, r.extend);
    event->accept();
    return true;
}

int64_t TSyntaxMemoInput::timeOf(const QMouseEvent& event) const
{
    return event.timestamp() != 0 ? static_cast<int64_t>(event.timestamp()) : m_clock.elapsed();
}

bool TSyntaxMemoInput::leftPress(QMouseEvent* event, bool doubleClick)
{
    if (event->button() != Qt::LeftButton)
        return false;
    m_memo.setFocus(Qt::MouseFocusReason);
    TPoint pos = pointOf(*event);
    m_mouse.press(pos, event->modifiers() & Qt::ShiftModifier, timeOf(*event));
    if (doubleClick)
        m_mouse.doubleClick(pos);
    sync();
    event->accept();
    return true;
}

bool TSyntaxMemoInput::mousePress(TSyntaxMemo&, QMouseEvent* event) { return leftPress(event, false); }

// The double-click notification comes in place of the second press: the press runs first, then the word
// selection.
bool TSyntaxMemoInput::mouseDoubleClick(TSyntaxMemo&, QMouseEvent* event) { return leftPress(event, true); }

bool TSyntaxMemoInput::mouseMove(TSyntaxMemo&, QMouseEvent* event)
{
    m_mouse.move(pointOf(*event), event->buttons() & Qt::LeftButton);
    sync();
    return true;
}

bool TSyntaxMemoInput::mouseRelease(TSyntaxMemo&, QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    m_mouse.release(pointOf(*event));
    sync();
    event->accept();
    return true;
}

void TSyntaxMemoInput::sync()
{
    switch (m_mouse.cursor()) {
    case TMouseSelection::Cursor::Text:
        m_memo.viewport()->setCursor(Qt::IBeamCursor);
        break;
    case TMouseSelection::Cursor::Hyperlink:
        m_memo.viewport()->setCursor(Qt::PointingHandCursor);
        break;
    case TMouseSelection::Cursor::MarginDrag:
        m_memo.viewport()->setCursor(Qt::SplitHCursor);
        break;
    }
    int x = m_mouse.guideX();
    if (x >= 0) {
        m_guide->setGeometry(x, 0, 1, m_memo.viewport()->height());
        m_guide->show();
    } else {
        m_guide->hide();
    }
    if (m_mouse.autoScrolling()) {
        if (!m_autoScroll.isActive())
            m_autoScroll.start();
    } else {
        m_autoScroll.stop();
    }
}

} // namespace lrl
