#include "browser/ui/TfrmPrtOptsReview.h"

#include "browser/PrintReview.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lrl {

namespace {

    QLabel* value(QGridLayout* grid, int row, int column, const char* caption, const char* name, QWidget* parent)
    {
        grid->addWidget(new QLabel(QString::fromLatin1(caption), parent), row, column);
        auto* label = new QLabel(parent);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextFormat(Qt::PlainText);
        grid->addWidget(label, row, column + 1);
        return label;
    }

} // namespace

TfrmPrtOptsReview::TfrmPrtOptsReview(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmPrtOptsReview"));
    setWindowTitle(QStringLiteral("Print options review"));
    setModal(true);
    resize(521, 162);

    auto* grid = new QGridLayout;
    lblPrinter = value(grid, 0, 0, "Printer :", "lblPrinter", this);
    grid->addWidget(lblPrinter, 0, 1, 1, 5);
    lblHeader = value(grid, 1, 0, "Header :", "lblHeader", this);
    grid->addWidget(lblHeader, 1, 1, 1, 5);
    lblDate = value(grid, 2, 0, "Date :", "lblDate", this);
    lblPageNo = value(grid, 2, 2, "Page # :", "lblPageNo", this);
    lblLineNo = value(grid, 2, 4, "Line #'s :", "lblLineNo", this);
    lblTop = value(grid, 3, 0, "Top", "lblTop", this);
    lblLeft = value(grid, 3, 2, "Left", "lblLeft", this);
    lblRight = value(grid, 3, 4, "Right", "lblRight", this);
    lblBottom = value(grid, 3, 6, "Bottom", "lblBottom", this);

    chkDontShow = new QCheckBox(QStringLiteral("Don't show this message again."), this);
    chkDontShow->setObjectName(QStringLiteral("chkDontShow"));
    btnContinue = new QPushButton(QStringLiteral("Continue"), this);
    btnContinue->setObjectName(QStringLiteral("btnContinue"));
    btnContinue->setDefault(true);
    btnChange = new QPushButton(QStringLiteral("Change"), this);
    btnChange->setObjectName(QStringLiteral("btnChange"));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkDontShow);
    buttons->addStretch(1);
    buttons->addWidget(btnContinue);
    buttons->addWidget(btnChange);
    buttons->addWidget(btnCancel);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addStretch(1);
    outer->addLayout(buttons);

    connect(btnContinue, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        reject();
    });
    connect(btnChange, &QPushButton::clicked, this, [this] {
        m_change = true;
        if (onChange)
            onChange();
        refresh();
    });
    connect(chkDontShow, &QCheckBox::toggled, this, [this](bool on) {
        if (onDontShowToggled)
            onDontShowToggled(on);
    });
}

bool TfrmPrtOptsReview::review(bool dontShow)
{
    m_cancelled = false;
    m_change = false;
    chkDontShow->setChecked(dontShow);
    // Closing the dialog any other way than by Continue (Escape) cancels as well.
    m_cancelled = exec() != QDialog::Accepted;
    return !m_cancelled;
}

void TfrmPrtOptsReview::refresh()
{
    // No pending messages are run here: one that closed the dialog while it is being shown would leave
    // the modal loop waiting for a dialog that is gone.
    if (!values)
        return;
    const PrintReviewTexts t = values();
    auto set = [](QLabel* label, const std::string& text) { label->setText(QString::fromStdString(text)); };
    set(lblPrinter, t.printer);
    set(lblHeader, t.header);
    set(lblDate, t.date);
    set(lblPageNo, t.pageNumbers);
    set(lblLineNo, t.lineNumbers);
    set(lblTop, t.top);
    set(lblLeft, t.left);
    set(lblRight, t.right);
    set(lblBottom, t.bottom);
}

void TfrmPrtOptsReview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    refresh();
}

void TfrmPrtOptsReview::done(int result)
{
    if (onClosed)
        onClosed(chkDontShow->isChecked());
    QDialog::done(result);
}

} // namespace lrl
