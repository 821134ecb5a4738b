// The main window's status area and the rest of what the browser asks of the window's widgets.

#include "browser/ui/TfrmLrlDelphi.h"

#include "platform/Windows1252.h"
#include "widgets/PathLabel.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

#include <algorithm>
#include <cstdint>

namespace lrl {

namespace {

// Texts of the browser are file paths (in the system's encoding, UTF-8 here) or names read from
// Delphi sources (UTF-8 too, whatever the file's code page); text that is no valid UTF-8 is taken as
// Windows-1252.
QString fromBrowserText(const std::string& text)
{
    QByteArray bytes = QByteArray::fromStdString(text);
    QString decoded = QString::fromUtf8(bytes);
    if (!decoded.contains(QChar::ReplacementCharacter))
        return decoded;
    return Windows1252::decode(text);
}

} // namespace

void TfrmLrlDelphi::setStatusText(StatusPanel panel, const std::string& text)
{
    QLabel* label = panel == StatusPanel::Panel3 ? Panel3 : panel == StatusPanel::Panel4 ? Panel4 : Panel5;
    label->setText(fromBrowserText(text));
}

void TfrmLrlDelphi::setProgressVisible(bool visible)
{
    if (visible && ProgressBar1->isHidden()) {
        m_progressValue = 0;
        m_progressShown = 0;
        ProgressBar1->setValue(0);
    }
    ProgressBar1->setVisible(visible);
}

void TfrmLrlDelphi::setProgressMax(int max)
{
    if (ProgressBar1->maximum() != max)
        ProgressBar1->setRange(0, std::max(max, 0));
}

void TfrmLrlDelphi::setProgressStep(int step) { m_progressStep = step; }

// Stepping wraps to the start once the maximum is passed, as a stepped progress bar does. The browser
// steps once per token; the bar is told of a step only when it moves its fill by a pixel, because setting
// its value makes it lay out and repaint itself, which for every token costs more than the reading. A
// load does not let window messages run while it scans, so the bar then paints itself at once.
void TfrmLrlDelphi::stepProgress()
{
    const int max = ProgressBar1->maximum();
    m_progressValue += m_progressStep;
    if (m_progressValue > max)
        m_progressValue = 0;
    const int64_t pixels = std::max(ProgressBar1->width(), 1);
    const int64_t shown = max > 0 ? static_cast<int64_t>(m_progressValue) * pixels / max : 0;
    if (shown == m_progressShown)
        return;
    m_progressShown = shown;
    ProgressBar1->setValue(m_progressValue);
    if (ProgressBar1->isVisible())
        ProgressBar1->repaint();
}

void TfrmLrlDelphi::showError(const std::string& message)
{
    if (m_messageSink) {
        m_messageSink(true, fromBrowserText(message));
        return;
    }
    QMessageBox::critical(this, QString::fromLatin1(kCaption), fromBrowserText(message), QMessageBox::Ok);
}

void TfrmLrlDelphi::showMessage(const std::string& message)
{
    if (m_messageSink) {
        m_messageSink(false, fromBrowserText(message));
        return;
    }
    QMessageBox::information(this, QString::fromLatin1(kCaption), fromBrowserText(message), QMessageBox::Ok);
}

void TfrmLrlDelphi::processEvents() { QCoreApplication::processEvents(); }

void TfrmLrlDelphi::addRecentFile(const std::string& path)
{
    m_recent.add(path);
    rebuildRecentMenus();
}

void TfrmLrlDelphi::setFindEnabled(bool enabled)
{
    tbbtnFind->setEnabled(enabled);
    mnuFind->setEnabled(enabled);
    mnuFindNext->setEnabled(enabled);
    mnuFindPrevious->setEnabled(enabled);
}

void TfrmLrlDelphi::setPrintTreeEnabled(bool enabled)
{
    tbbtnPrtTree->setEnabled(enabled);
    mnuPrtTree->setEnabled(enabled);
}

void TfrmLrlDelphi::setCollapseExpandEnabled(bool enabled) { tbbtnCmpExpTre->setEnabled(enabled); }

void TfrmLrlDelphi::setFileLabel(const std::string& path)
{
    FileLabel1->setPath(QFile::decodeName(QByteArray::fromStdString(path)));
}

// A program file of another system gives no icon that could be read here; the project keeps its drawn
// image.
bool TfrmLrlDelphi::loadProgramIcon(const std::string&) { return false; }

} // namespace lrl
