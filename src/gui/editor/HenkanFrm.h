#pragma once
// The replace dialog "置換": replaces every occurrence of a text in the editor's
// document. Modeless; it keeps its texts while the editor window lives.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace talmir {

class EditFrm;

class HenkanFrm : public QDialog {
    Q_OBJECT
public:
    explicit HenkanFrm(EditFrm& frm);

    QLineEdit& searchText() { return *m_search; }        // "検索する文字列"
    QLineEdit& replacementText() { return *m_replace; }  // "置換後の文字列"
    QPushButton& executeButton() { return *m_execute; }  // "実行"

    // "実行": replaces every occurrence in the editor's document and reports the
    // count.
    void Command2_Click();

private:
    EditFrm& m_frm;
    QLineEdit* m_search = nullptr;
    QLineEdit* m_replace = nullptr;
    QPushButton* m_execute = nullptr;
};

// "置換...": closes the dialog when it is open, resets its caption and shows it
// modeless. Returns the dialog.
HenkanFrm& MnuHenkan_Click(EditFrm& frm);

}  // namespace talmir
