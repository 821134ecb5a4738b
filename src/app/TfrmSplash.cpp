#include "app/TfrmSplash.h"

#include "browser/BrowserConstants.h"
#include "browser/ui/TreeImages.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

namespace lrl {

TfrmSplash::TfrmSplash(QWidget* parent)
    : QWidget(parent,
        Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kWidth, kHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    Timer1.setSingleShot(true);
    Timer1.setInterval(kShowMs);
    connect(&Timer1, &QTimer::timeout, this, &QWidget::close);
}

void TfrmSplash::showNow()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    }
    show();
    repaint();
    m_shown.start();
    Timer1.start();
}

void TfrmSplash::release()
{
    qint64 shown = m_shown.isValid() ? m_shown.elapsed() : kMinShowMs;
    if (shown >= kMinShowMs) {
        close();
        return;
    }
    Timer1.start(static_cast<int>(kMinShowMs - shown));
}

// The picture: the program's book among a project's files, its name and what it is for.
void TfrmSplash::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(QColor(0x2E, 0x5E, 0xAA), 2));
    p.drawRect(rect().adjusted(1, 1, -2, -2));

    // Drawn for the screen's pixel density, so that they are sharp on a scaled screen too.
    const qreal dpr = devicePixelRatioF();
    p.drawPixmap(36, 46, TreeImages::draw(img::Project, 64, dpr));
    p.drawPixmap(110, 54, TreeImages::draw(img::Unit, 32, dpr));
    p.drawPixmap(110, 90, TreeImages::draw(img::Form, 32, dpr));
    p.drawPixmap(146, 54, TreeImages::draw(img::Procedure, 32, dpr));
    p.drawPixmap(146, 90, TreeImages::draw(img::Function, 32, dpr));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(24);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0x2E, 0x5E, 0xAA));
    p.drawText(QRect(0, 140, width(), 34), Qt::AlignCenter, QStringLiteral("Listrel for Delphi"));
    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(12);
    p.setFont(line);
    p.setPen(QColor(0x50, 0x50, 0x58));
    p.drawText(QRect(0, 176, width(), 20), Qt::AlignCenter,
        QStringLiteral("Reading and printing Delphi project source"));
    p.setPen(QColor(0x90, 0x90, 0x98));
    p.drawText(QRect(0, 204, width(), 20), Qt::AlignCenter, QStringLiteral("Corvane"));
}

} // namespace lrl
