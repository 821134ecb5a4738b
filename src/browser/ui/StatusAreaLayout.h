#pragma once

#include <QLayout>
#include <QList>

namespace lrl {

// The two rows of the main window's status area. First row: Panel3 at its fixed width, then Panel4 up to
// 3 pixels before the abort button's column. Second row: Panel5, as wide as the area less the abort
// button's width and 4, and the abort button at the right.
class StatusAreaLayout : public QLayout {
public:
    static constexpr int kPanel4Gap = 3;
    static constexpr int kPanel5Gap = 4;
    static constexpr int kRowGap = 2;

    StatusAreaLayout(QWidget* area, QWidget* panel3, QWidget* panel4, QWidget* panel5, QWidget* abortButton);
    ~StatusAreaLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    enum Slot { Panel3, Panel4, Panel5, Abort, SlotCount };
    int rowHeight() const;
    QList<QLayoutItem*> m_items;
};

} // namespace lrl
