#include "app/TfrmAbout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

#ifndef LRL_PROGRAM_VERSION
#define LRL_PROGRAM_VERSION "0.0.0"
#endif

namespace lrl {

TfrmAbout::VersionStrings TfrmAbout::programVersion()
{
    return {
        { QStringLiteral("ProductName"), QStringLiteral("Listrel for Delphi") },
        { QStringLiteral("ProductVersion"), QStringLiteral(LRL_PROGRAM_VERSION) },
        { QStringLiteral("FileVersion"), QStringLiteral(LRL_PROGRAM_VERSION) },
        { QStringLiteral("LegalCopyright"), QStringLiteral("Copyright \u00A9 Corvane. All rights reserved.") },
        { QStringLiteral("CompanyName"), QStringLiteral("Corvane") },
        { QStringLiteral("Comments"), QStringLiteral("Reads and prints the source of Delphi projects") },
    };
}

QString TfrmAbout::versionString(const VersionStrings& strings, const QString& name)
{
    auto it = strings.find(name);
    if (it == strings.end())
        return QStringLiteral(" ") + name + QStringLiteral(" not available");
    return it.value();
}

TfrmAbout::TfrmAbout(QWidget* parent, const VersionStrings& strings)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(kWidth, kHeight);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(1);
    column->addStretch(1);
    addLine(versionString(strings, QStringLiteral("ProductName")), true);
    addLine(versionString(strings, QStringLiteral("ProductVersion")));
    addLine(QStringLiteral("Version ") + versionString(strings, QStringLiteral("FileVersion")));
    addLine(versionString(strings, QStringLiteral("LegalCopyright")));
    addLine(versionString(strings, QStringLiteral("CompanyName")));
    addLine(versionString(strings, QStringLiteral("Comments")));
    column->addSpacing(6);
    addLine(QStringLiteral("https://corvane.example/listrel"));
    addLine(QStringLiteral("listrel@corvane.example"));
    column->addStretch(1);

    // Centred on the screen the owner is on (the primary screen without one).
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->geometry().center() - QPoint(kWidth / 2, kHeight / 2));
}

QLabel* TfrmAbout::addLine(const QString& text, bool bold)
{
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    label->installEventFilter(this);
    layout()->addWidget(label);
    m_labels.append(label);
    return label;
}

QStringList TfrmAbout::lines() const
{
    QStringList texts;
    for (const QLabel* label : m_labels)
        texts << label->text();
    return texts;
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && m_labels.contains(qobject_cast<QLabel*>(watched))) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The space between the lines closes it too.
void TfrmAbout::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    close();
}

void TfrmAbout::showModal(QWidget* parent)
{
    QPointer<TfrmAbout> box = new TfrmAbout(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->exec();
}

} // namespace lrl
