#include "prtprev/TPreviewForm.h"

#include "common/Exception.h"
#include "prtprev/PreviewGlyphs.h"
#include "prtprev/TPageBox.h"
#include "prtprev/TPageMetaFile.h"
#include "prtprev/TPreviewPrinter.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace lrl {

namespace {

const char* const kPageViewHint = "Page View.  With Zoom Tool, left or right click to zoom in/out.  Click && drag "
                                  "with Hand Tool to pan.";

} // namespace

TPreviewForm::TPreviewForm(QWidget* parent)
    : QDialog(parent)
    , m_model(*this, logicalDpiY())
{
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Print Preview"));
    resize(590, 430);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    buildPages();
    buildBottomPanel();
    layout->addWidget(ToolBarPanel);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(Panel1);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    setWindowState(Qt::WindowNoState);
    m_model.selectZoom(TPreviewModel::kFitToPage);
    setToolCursor(true);
    showButtonStates();
}

TPreviewForm::~TPreviewForm() = default;

QToolButton* TPreviewForm::flatButton(QWidget* parent, const char* name, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(20, 20));
    return button;
}

void TPreviewForm::buildToolBar()
{
    ToolBarPanel = new QFrame(this);
    ToolBarPanel->setObjectName(QStringLiteral("ToolBarPanel"));
    ToolBarPanel->setFixedHeight(32);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    ToolBarPanel->setFont(font);
    auto* row = new QHBoxLayout(ToolBarPanel);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);

    FirstPageSpeed = flatButton(ToolBarPanel, "FirstPageSpeed", QStringLiteral("First page"));
    FirstPageSpeed->setIcon(previewGlyph(PreviewGlyph::First));
    PrevPageBut = flatButton(ToolBarPanel, "PrevPageBut", QStringLiteral("Previous page"));
    PrevPageBut->setIcon(previewGlyph(PreviewGlyph::Previous));
    CurPageLabel = new QLabel(ToolBarPanel);
    CurPageLabel->setObjectName(QStringLiteral("CurPageLabel"));
    CurPageLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    CurPageLabel->setFixedWidth(129);
    CurPageLabel->setAlignment(Qt::AlignCenter);
    CurPageLabel->setToolTip(QStringLiteral("Displays the Current Page of the Document"));
    NextPageBut = flatButton(ToolBarPanel, "NextPageBut", QStringLiteral("Next page"));
    NextPageBut->setIcon(previewGlyph(PreviewGlyph::Next));
    LastPageSpeed = flatButton(ToolBarPanel, "LastPageSpeed", QStringLiteral("Last page"));
    LastPageSpeed->setIcon(previewGlyph(PreviewGlyph::Last));

    OnePageBut = flatButton(ToolBarPanel, "OnePageBut", QStringLiteral("Display One page at a time"));
    OnePageBut->setIcon(previewGlyph(PreviewGlyph::OnePage));
    TwoPageBut = flatButton(ToolBarPanel, "TwoPageBut", QStringLiteral("Display Two pages side by side"));
    TwoPageBut->setIcon(previewGlyph(PreviewGlyph::TwoPages));
    for (QToolButton* b : { OnePageBut, TwoPageBut })
        b->setCheckable(true);
    auto* pages = new QButtonGroup(this);
    pages->addButton(OnePageBut);
    pages->addButton(TwoPageBut);
    OnePageBut->setChecked(true);

    // Both may be up; the model says which one is down.
    FitPageBut = flatButton(ToolBarPanel, "FitPageBut", QStringLiteral("Fit to Page"));
    FitPageBut->setIcon(previewGlyph(PreviewGlyph::FitPage));
    FitWidthBut = flatButton(ToolBarPanel, "FitWidthBut", QStringLiteral("Fit to Width"));
    FitWidthBut->setIcon(previewGlyph(PreviewGlyph::FitWidth));
    for (QToolButton* b : { FitPageBut, FitWidthBut })
        b->setCheckable(true);

    sbtnPrint = flatButton(ToolBarPanel, "sbtnPrint", QStringLiteral("Print"));
    sbtnPrint->setIcon(previewGlyph(PreviewGlyph::Print));
    sbtnPrint->setText(QStringLiteral("Print"));
    CloseBut = flatButton(ToolBarPanel, "CloseBut", QStringLiteral("Close"));
    CloseBut->setIcon(previewGlyph(PreviewGlyph::Close));
    CloseBut->setText(QStringLiteral("Close"));
    for (QToolButton* b : { sbtnPrint, CloseBut })
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    auto gap = [row] { row->addSpacing(8); };
    row->addWidget(FirstPageSpeed);
    row->addWidget(PrevPageBut);
    row->addWidget(CurPageLabel);
    row->addWidget(NextPageBut);
    row->addWidget(LastPageSpeed);
    gap();
    row->addWidget(OnePageBut);
    row->addWidget(TwoPageBut);
    gap();
    row->addWidget(FitPageBut);
    row->addWidget(FitWidthBut);
    gap();
    row->addWidget(sbtnPrint);
    row->addWidget(CloseBut);
    row->addStretch(1);

    connect(FirstPageSpeed, &QToolButton::clicked, this, [this] { m_model.firstPage(); });
    connect(PrevPageBut, &QToolButton::clicked, this, [this] { m_model.previousPage(); });
    connect(NextPageBut, &QToolButton::clicked, this, [this] { m_model.nextPage(); });
    connect(LastPageSpeed, &QToolButton::clicked, this, [this] { m_model.lastPage(); });
    connect(OnePageBut, &QToolButton::clicked, this, [this] { m_model.onePageClicked(); });
    connect(TwoPageBut, &QToolButton::clicked, this, [this] { m_model.twoPageClicked(); });
    connect(FitPageBut, &QToolButton::clicked, this, [this] { m_model.fitPageClicked(); });
    connect(FitWidthBut, &QToolButton::clicked, this, [this] { m_model.fitWidthClicked(); });
    connect(sbtnPrint, &QToolButton::clicked, this, [this] { printClicked(); });
    connect(CloseBut, &QToolButton::clicked, this, &QDialog::close);
}

void TPreviewForm::buildPages()
{
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setBackgroundRole(QPalette::Button);
    ScrollBox1->horizontalScrollBar()->setTracking(true);
    ScrollBox1->verticalScrollBar()->setTracking(true);
    ScrollBox1->installEventFilter(this);

    ContainPanel = new QWidget;
    ContainPanel->setObjectName(QStringLiteral("ContainPanel"));
    ContainPanel->setAutoFillBackground(true);
    ContainPanel->setBackgroundRole(QPalette::Dark);
    ScrollBox1->setWidget(ContainPanel);

    auto paper = [this](const char* name) {
        auto* panel = new QFrame(ContainPanel);
        panel->setObjectName(QString::fromLatin1(name));
        panel->setFrameStyle(QFrame::Box | QFrame::Plain);
        panel->setLineWidth(1);
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::WindowText, Qt::black);
        panel->setPalette(palette);
        // Set explicitly: a widget without a role of its own takes the grey surface's.
        panel->setBackgroundRole(QPalette::Window);
        panel->setAutoFillBackground(true);
        return panel;
    };
    PagePanel = paper("PagePanel");
    PagePanel2 = paper("PagePanel2");
    PagePanel2->hide();

    auto box = [this](QFrame* panel, const char* name, int index) {
        auto* pb = new TPageBox(panel);
        pb->setObjectName(QString::fromLatin1(name));
        pb->setToolTip(QString::fromLatin1(kPageViewHint));
        auto* fill = new QHBoxLayout(panel);
        fill->setContentsMargins(1, 1, 1, 1);
        fill->addWidget(pb);
        pb->paintPage = [this, index](QPainter& p, const QSize& size) { paintPage(index, p, size); };
        return pb;
    };
    PB1 = box(PagePanel, "PB1", 0);
    PB2 = box(PagePanel2, "PB2", 1);
    // Only the first page reacts to the mouse.
    PB1->mouseDown = [this](int x, int y, bool left, bool right) { m_model.mouseDown(x, y, left, right); };
    PB1->mouseMoved = [this](int x, int y) { m_model.mouseMove(x, y); };
    PB1->mouseUp = [this] { m_model.mouseUp(); };
}

void TPreviewForm::buildBottomPanel()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(32);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(4, 2, 4, 2);

    ZoomCursorBut = flatButton(Panel1, "ZoomCursorBut", QStringLiteral("Selects the Zoom Tool to zoom in or out"));
    HandCursorBut = flatButton(Panel1, "HandCursorBut", QStringLiteral("Selects the Hand Tool to pan across the Page"));
    for (QToolButton* b : { ZoomCursorBut, HandCursorBut }) {
        b->setCheckable(true);
        b->hide();
    }
    auto* tools = new QButtonGroup(this);
    tools->addButton(ZoomCursorBut);
    tools->addButton(HandCursorBut);
    ZoomCursorBut->setChecked(true);
    connect(ZoomCursorBut, &QToolButton::clicked, this, [this] { setToolCursor(true); });
    connect(HandCursorBut, &QToolButton::clicked, this, [this] { setToolCursor(false); });

    ZoomBox = new QComboBox(Panel1);
    ZoomBox->setObjectName(QStringLiteral("ZoomBox"));
    for (int i = 0; i < TPreviewModel::kZoomEntries; ++i)
        ZoomBox->addItem(QString::fromLatin1(TPreviewModel::zoomEntryName(i)));
    ZoomBox->hide();
    // Only the user's choice is a zoom change; the model's own selections are shown, not acted on.
    connect(ZoomBox, &QComboBox::activated, this, [this](int index) {
        m_model.selectZoom(index);
        m_model.zoomChanged();
    });

    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* abortRow = new QHBoxLayout(Panel2);
    abortRow->setContentsMargins(0, 0, 0, 0);
    sbtnAbortPrint = new QPushButton(QStringLiteral("Abort Print"), Panel2);
    sbtnAbortPrint->setObjectName(QStringLiteral("sbtnAbortPrint"));
    sbtnAbortPrint->setEnabled(false);
    abortRow->addWidget(sbtnAbortPrint);
    connect(sbtnAbortPrint, &QPushButton::clicked, this, &TPreviewForm::abortPrintRequested);

    row->addWidget(ZoomCursorBut);
    row->addWidget(HandCursorBut);
    row->addWidget(ZoomBox);
    row->addStretch(1);
    row->addWidget(Panel2);
}

void TPreviewForm::bind(TPreviewPrinter& printer)
{
    m_printer = &printer;
    TPreviewDocument d;
    d.pageCount = printer.pageCount();
    d.physicalWidth = printer.physicalWidth();
    d.physicalHeight = printer.physicalHeight();
    d.pixelsPerInchX = printer.pixelsPerInchX();
    d.pixelsPerInchY = printer.pixelsPerInchY();
    d.pageWidth = printer.pageWidth();
    d.pageHeight = printer.pageHeight();
    m_model.bind(d);
}

void TPreviewForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_model.goToPage(0);
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ScrollBox1 && event->type() == QEvent::Resize)
        m_model.layout();
    return QDialog::eventFilter(watched, event);
}

// The scroll box's client area as it will be once the surface's size is applied: the scroll bars that
// the surface needs are taken off at once, so that the second layout pass sees them.
int TPreviewForm::clientWidth() const
{
    int frame = 2 * ScrollBox1->frameWidth();
    int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox1);
    int w = ScrollBox1->width() - frame;
    int h = ScrollBox1->height() - frame;
    QSize surface = ContainPanel->size();
    bool needH = surface.width() > w;
    bool needV = surface.height() > h || (needH && surface.height() > h - bar);
    return needV ? w - bar : w;
}

int TPreviewForm::clientHeight() const
{
    int frame = 2 * ScrollBox1->frameWidth();
    int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox1);
    int w = ScrollBox1->width() - frame;
    int h = ScrollBox1->height() - frame;
    QSize surface = ContainPanel->size();
    bool needV = surface.height() > h;
    bool needH = surface.width() > w || (needV && surface.width() > w - bar);
    return needH ? h - bar : h;
}

int TPreviewForm::scrollBoxWidth() const { return ScrollBox1->width(); }

int TPreviewForm::scrollBoxHeight() const { return ScrollBox1->height(); }

int TPreviewForm::horizontalPosition() const { return ScrollBox1->horizontalScrollBar()->value(); }

int TPreviewForm::verticalPosition() const { return ScrollBox1->verticalScrollBar()->value(); }

void TPreviewForm::setScrollPosition(int horizontal, int vertical)
{
    ScrollBox1->horizontalScrollBar()->setValue(horizontal);
    ScrollBox1->verticalScrollBar()->setValue(vertical);
}

void TPreviewForm::applyLayout(const TPreviewLayout& l)
{
    ContainPanel->resize(l.containWidth, l.containHeight);
    // The paper panels carry a one-pixel border around their paint boxes.
    PagePanel->setGeometry(l.page1.left, l.page1.top, l.page1.width(), l.page1.height());
    PagePanel2->setGeometry(l.page2.left, l.page2.top, l.page2.width(), l.page2.height());
    PagePanel2->setVisible(l.page2Visible);
    showButtonStates();
    PB1->update();
    PB2->update();
}

void TPreviewForm::pagesChanged()
{
    showButtonStates();
    PB1->update();
    PB2->update();
}

void TPreviewForm::showButtonStates()
{
    CurPageLabel->setText(QString::fromStdString(m_model.pageLabel()));
    FirstPageSpeed->setEnabled(m_model.firstEnabled());
    PrevPageBut->setEnabled(m_model.previousEnabled());
    NextPageBut->setEnabled(m_model.nextEnabled());
    LastPageSpeed->setEnabled(m_model.lastEnabled());
    (m_model.twoPages() ? TwoPageBut : OnePageBut)->setChecked(true);
    FitPageBut->setChecked(m_model.fitPageDown());
    FitWidthBut->setChecked(m_model.fitWidthDown());
    if (m_model.zoomIndex() >= 0 && m_model.zoomIndex() < ZoomBox->count())
        ZoomBox->setCurrentIndex(m_model.zoomIndex());
}

void TPreviewForm::paintPage(int box, QPainter& painter, const QSize& size)
{
    int index = m_model.pageInBox(box);
    if (m_printer == nullptr || index < 0 || index >= m_printer->pageCount())
        return;
    const TPreviewDocument& d = m_model.document();
    if (d.pageWidth <= 0 || d.pageHeight <= 0)
        return;
    // The printable area fills the paper panel.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_printer->pages(index).replay(
        painter, qreal(size.width()) / d.pageWidth, qreal(size.height()) / d.pageHeight);
}

void TPreviewForm::printClicked()
{
    if (m_printer == nullptr)
        return;
    sbtnAbortPrint->setEnabled(true);
    try {
        if (!m_printer->print()) {
            // Stopped by Abort Print: the pages stay here to be printed again.
            sbtnAbortPrint->setEnabled(false);
            return;
        }
    } catch (const std::exception& e) {
        sbtnAbortPrint->setEnabled(false);
        // Abort Print ended the printer's document: that is no error to report; the pages stay here.
        if (m_printer->printer() && m_printer->printer()->printerState() == QPrinter::Aborted)
            return;
        QMessageBox::critical(this, QApplication::applicationName(), QString::fromStdString(e.what()));
        return;
    }
    close();
}

void TPreviewForm::setToolCursor(bool zoom)
{
    m_model.setZoomTool(zoom);
    QCursor cursor = zoom ? zoomCursor() : QCursor(Qt::PointingHandCursor);
    PB1->setCursor(cursor);
    PB2->setCursor(cursor);
}

} // namespace lrl
