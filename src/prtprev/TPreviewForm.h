#pragma once

#include "prtprev/TPreviewModel.h"
#include "prtprev/TPreviewViewport.h"

#include <QDialog>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace lrl {

class TPageBox;
class TPreviewPrinter;

// The print preview window: shows the pages a TPreviewPrinter recorded, one or two at a time and zoomed,
// pages through them and prints them. The arithmetic is the model's; this window places its widgets
// where the model says and hands it the user's commands.
class TPreviewForm : public QDialog, private TPreviewViewport {
    Q_OBJECT

public:
    explicit TPreviewForm(QWidget* parent = nullptr);
    ~TPreviewForm() override;

    void bind(TPreviewPrinter& printer);
    TPreviewPrinter* printer() const { return m_printer; }
    TPreviewModel& model() { return m_model; }

    QFrame* ToolBarPanel = nullptr;
    QToolButton* FirstPageSpeed = nullptr;
    QToolButton* PrevPageBut = nullptr;
    QLabel* CurPageLabel = nullptr;
    QToolButton* NextPageBut = nullptr;
    QToolButton* LastPageSpeed = nullptr;
    QToolButton* OnePageBut = nullptr;
    QToolButton* TwoPageBut = nullptr;
    QToolButton* FitPageBut = nullptr;
    QToolButton* FitWidthBut = nullptr;
    QToolButton* sbtnPrint = nullptr;
    QToolButton* CloseBut = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* ContainPanel = nullptr;
    QFrame* PagePanel = nullptr;
    QFrame* PagePanel2 = nullptr;
    TPageBox* PB1 = nullptr;
    TPageBox* PB2 = nullptr;
    QFrame* Panel1 = nullptr;
    QToolButton* ZoomCursorBut = nullptr;
    QToolButton* HandCursorBut = nullptr;
    QComboBox* ZoomBox = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* sbtnAbortPrint = nullptr;

signals:
    // The Abort Print button: aborting is the main window's command.
    void abortPrintRequested();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // TPreviewViewport
    int clientWidth() const override;
    int clientHeight() const override;
    int scrollBoxWidth() const override;
    int scrollBoxHeight() const override;
    int horizontalPosition() const override;
    int verticalPosition() const override;
    void setScrollPosition(int horizontal, int vertical) override;
    void applyLayout(const TPreviewLayout& layout) override;
    void pagesChanged() override;

    void buildToolBar();
    void buildPages();
    void buildBottomPanel();
    QToolButton* flatButton(QWidget* parent, const char* name, const QString& hint);
    void paintPage(int box, QPainter& painter, const QSize& size);
    void showButtonStates();
    void printClicked();
    void setToolCursor(bool zoom);

    TPreviewModel m_model;
    TPreviewPrinter* m_printer = nullptr;
};

} // namespace lrl
