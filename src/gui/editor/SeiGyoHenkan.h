#pragma once
// The control-character dialog "制御文字変換": replaces or deletes line-end
// characters, or any typed text, in the editor's document. Each box offers "CrLf",
// "Cr" and "Lf" and takes any typed text literally.

#include <QDialog>

class QComboBox;

namespace talmir {

class EditFrm;

class SeiGyoHenkan : public QDialog {
    Q_OBJECT
public:
    explicit SeiGyoHenkan(EditFrm& frm);

    QComboBox& findBox() { return *m_find; }            // "検索する制御文字"
    QComboBox& replacementBox() { return *m_replace; }  // "置換える文字列"
    QComboBox& deleteBox() { return *m_delete; }        // "削除する制御文字"

    // 1 = "置き換え", 2 = "削除"; any other index does nothing.
    void Command1_Click(int index);

private:
    EditFrm& m_frm;
    QComboBox* m_find = nullptr;
    QComboBox* m_replace = nullptr;
    QComboBox* m_delete = nullptr;
};

// "制御文字編集...": shows the dialog modally.
void MnuSeigyo_Click(EditFrm& frm);

}  // namespace talmir
