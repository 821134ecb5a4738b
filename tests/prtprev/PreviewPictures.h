#pragma once

#include "prtprev/TPreviewForm.h"
#include "prtprev/TPreviewPrinter.h"

#include <QApplication>
#include <QString>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace lrl::test {

// Shows the recorded pages in a preview window of 1000 x 700 and writes pictures of it at 100%, fitted
// to the page and with two pages next to `target` (a PNG path) as "<name><prefix>-100.png",
// "<prefix>-fit.png" and "<prefix>-two.png".
inline void savePreviewPictures(TPreviewPrinter& printer, const QString& target, const char* prefix)
{
    auto settle = [] {
        for (int i = 0; i < 10; ++i)
            QApplication::processEvents();
    };
    auto form = printer.createPreviewForm();
    form->resize(1000, 700);
    form->show();
    settle();
    auto save = [&](const char* suffix) {
        settle();
        QString file = target;
        file.replace(".png", QString::fromLatin1(prefix) + QString::fromLatin1(suffix));
        ASSERT_TRUE(form->grab().save(file));
    };
    save("-100.png");
    QTest::mouseClick(form->FitPageBut, Qt::LeftButton);
    save("-fit.png");
    QTest::mouseClick(form->TwoPageBut, Qt::LeftButton);
    save("-two.png");
}

} // namespace lrl::test
