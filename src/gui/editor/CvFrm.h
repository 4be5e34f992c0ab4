#pragma once
// The code editor "コードエディタ": edits one code conversion table of the folder
// AppDir + "CVTBL/" in a 16 x 16 grid of hexadecimal boxes (row = high digit of the
// byte value, column = low digit) and saves or deletes it.

#include "core/editor/CodeTable.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace talmir {

class EditFrm;

class CvFrm : public QDialog {
    Q_OBJECT
public:
    explicit CvFrm(EditFrm& frm);

    QComboBox& nameBox() { return *m_name; }    // "ファイル名"
    QCheckBox& editCheck() { return *m_edit; }  // "コード編集を行う"
    QLineEdit& box(int byteValue) { return *m_boxes[static_cast<std::size_t>(byteValue)]; }
    QPushButton& button(int index) { return *m_buttons[static_cast<std::size_t>(index)]; }

    // Loads the table chosen in "ファイル名" into the grid; a table that cannot be
    // read leaves the boxes as far as they were filled.
    void Combo1_Click();
    // Makes the boxes editable or read-only with "コード編集を行う".
    void Check1_Click();
    // 0 = "登録" (save the grid under the name in "ファイル名"), 1 = "削除".
    void Command1_Click(int index);

    // The texts of the grid boxes, indexed by byte value.
    editor::CodeBoxes boxTexts() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBoxes(const editor::CodeBoxes& boxes);
    void reportError(const Failure& failure);

    EditFrm& m_frm;
    QComboBox* m_name = nullptr;
    QCheckBox* m_edit = nullptr;
    std::array<QLineEdit*, editor::kCodeCount> m_boxes{};
    std::array<QPushButton*, 2> m_buttons{};
};

// "コード編集...": shows the code editor modally.
void MnuCvED_Click(EditFrm& frm);

}  // namespace talmir
