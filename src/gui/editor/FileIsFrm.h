#pragma once
// The file comparison window "ファイル比較": two files side by side, as text or as
// hexadecimal dumps, and the first place where the dumps differ marked in both.

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace talmir {

class EditFrm;
class TextPane;

class FileIsFrm : public QDialog {
    Q_OBJECT
public:
    explicit FileIsFrm(EditFrm& frm);

    // Slot 0 is "比較元のファイル", slot 1 "比較先のファイル".
    QLineEdit& pathBox(int slot) { return *m_paths[static_cast<std::size_t>(slot)]; }
    TextPane& pane(int slot) { return *m_panes[static_cast<std::size_t>(slot)]; }
    QPushButton& browseButton(int slot) { return *m_browse[static_cast<std::size_t>(slot)]; }
    // 0 = "テキスト形式", 1 = "１６進形式".
    QRadioButton& option(int index) { return *m_options[static_cast<std::size_t>(index)]; }
    QPushButton& compareButton() { return *m_compare; }  // "実行"
    QStatusBar& statusBar() { return *m_status; }

    // "参照" of a slot: copies the chosen file to "bak" + slot, dumps it to
    // "bak1" + slot and shows it. Failures (cancel included) end it silently.
    void Command1_Click(int slot);
    // Shows both files as text (0) or as dumps (1).
    void Option1_Click(int index);
    // "実行": compares the dumps as the panes show them.
    void Command2_Click();

private:
    QString slotFile(const char* prefix, int slot) const;
    void browse(int slot, const QString& path);
    // Loads the slot's work file of the chosen view into its pane; false (and an
    // empty pane) when it cannot be shown.
    bool showSlot(int slot);
    void setComparable(bool comparable);

    EditFrm& m_frm;
    std::array<QString, 2> m_chosen;
    std::array<QLineEdit*, 2> m_paths{};
    std::array<TextPane*, 2> m_panes{};
    std::array<QPushButton*, 2> m_browse{};
    std::array<QRadioButton*, 2> m_options{};
    QPushButton* m_compare = nullptr;
    QStatusBar* m_status = nullptr;
};

// "ファイル比較...": shows the window modally.
void MnuFileIs_Click(EditFrm& frm);

}  // namespace talmir
