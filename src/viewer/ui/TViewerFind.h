#pragma once

#include "viewer/TMemoSearch.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

namespace lrl {

class TFindDialog;
class TSyntaxMemo;

// The search of one viewer widget: FindText with the viewer's search state, the Find dialog it opens on
// first use (modeless, kept until the viewer goes), and the message boxes of a failed search or a pattern
// error. The search itself is TMemoSearch's; this class only puts it on the screen.
class TViewerFind : public QObject {
    Q_OBJECT
public:
    explicit TViewerFind(TSyntaxMemo& memo);
    ~TViewerFind() override;

    // FindText (text, result, flags): with flag 8 searches at once and answers whether it found the text;
    // without, shows the Find dialog with the text (or the selected text) and answers false.
    bool findText(const std::string& text, TSearchResult& result, uint16_t flags);
    // The Find dialog's Find Next: searches with the dialog's text and options. Answers whether it found.
    bool findNext();
    // F3 / Shift+F3: the last search again, forwards or backwards, without the dialog. Answers false
    // without a last search, when the caller opens the dialog instead.
    bool findAgain(bool forward) { return m_search.findAgain(forward); }
    bool hasLastSearch() const { return m_search.hasLastSearch(); }

    TMemoSearch& search() { return m_search; }
    // The dialog once it has been created, null before.
    TFindDialog* dialog() const { return m_dialog.data(); }

    // Shows a message to the user: a message box by default; tests and tools may replace it.
    std::function<void(const TSearchMessage&)> showMessage;

private:
    void ensureDialog();
    void showMessageBox(const TSearchMessage& message);

    TSyntaxMemo& m_memo;
    TMemoSearch m_search;
    // Owned by the viewer's window like any of its dialogs; removed with this object.
    QPointer<TFindDialog> m_dialog;
};

} // namespace lrl
