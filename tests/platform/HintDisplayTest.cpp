#include "platform/HintDisplay.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QPushButton>

using namespace lrl;

namespace {

// Counts the tool-tip requests that reach it.
class HintButton : public QPushButton {
public:
    int hintRequests = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ToolTip)
            ++hintRequests;
        return QPushButton::event(e);
    }
};

void askForHint(QWidget& w)
{
    QHelpEvent e(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
    QApplication::sendEvent(&w, &e);
}

} // namespace

TEST(HintDisplay, HintsReachWidgetsOnlyWhileShown)
{
    HintButton button;
    button.setToolTip("Open Delphi file");
    HintDisplay::setShown(false);
    askForHint(button);
    EXPECT_EQ(button.hintRequests, 0);
    HintDisplay::setShown(true);
    askForHint(button);
    EXPECT_EQ(button.hintRequests, 1);
    EXPECT_TRUE(HintDisplay::shown());
}
