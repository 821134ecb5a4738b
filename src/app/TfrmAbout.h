#pragma once

#include <QDialog>
#include <QMap>
#include <QString>

class QLabel;

namespace lrl {

// The About box frmAbout: 344 × 184, centred, no border icons; one centred line each for the product
// name, its version, "Version " + the file version, the legal notice, the company, the comments, then
// two lines with the maker's addresses. A click on any line closes it; closing frees it.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 344;
    static constexpr int kHeight = 184;

    // The program's version strings by name ("ProductName", "ProductVersion", "FileVersion",
    // "LegalCopyright", "CompanyName", "Comments"), made by the build from the project's version.
    using VersionStrings = QMap<QString, QString>;
    static VersionStrings programVersion();
    // The string of that name, or " " + name + " not available" when there is none.
    static QString versionString(const VersionStrings& strings, const QString& name);

    explicit TfrmAbout(QWidget* parent = nullptr, const VersionStrings& strings = programVersion());

    // mnuAbout: makes the box and shows it modally; it is freed when it closes.
    static void showModal(QWidget* parent);

    // The texts of the lines, top to bottom.
    QStringList lines() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* addLine(const QString& text, bool bold = false);
    QList<QLabel*> m_labels;
};

} // namespace lrl
