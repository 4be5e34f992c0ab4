#pragma once
// The code conversion dialog "コード変換": converts the editor's text (as it was
// when the dialog opened) or a file through a table of AppDir + "CVTBL/", shows the
// result and writes it into the editor or to a file.

#include <QDialog>

#include <array>
#include <string>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace talmir {

class EditFrm;
class TextPane;

class ConvFrm : public QDialog {
    Q_OBJECT
public:
    explicit ConvFrm(EditFrm& frm);

    QRadioButton& option(int index) { return *m_options[static_cast<std::size_t>(index)]; }
    QLineEdit& pathBox() { return *m_path; }
    QPushButton& browseButton() { return *m_browse; }  // "ファイルの検索"
    QListWidget& tableList() { return *m_list; }       // "変換リスト"
    TextPane& preview() { return *m_preview; }
    QPushButton& command2(int index) { return *m_command2[static_cast<std::size_t>(index)]; }
    QPushButton& command3(int index) { return *m_command3[static_cast<std::size_t>(index)]; }
    QGroupBox& outputPanel() { return *m_output; }  // "変換先ファイル"

    // 0 = the editor's text, 1 = the file named in the path box.
    void Option1_Click(int index);
    void Command1_Click();  // "ファイルの検索"
    // Converts the source with the table chosen in "変換リスト".
    void List1_Click();
    // 0 = "実行" (show the output panel), 1 = "ｷｬﾝｾﾙ" (close).
    void Command2_Click(int index);
    // 0 = into the editor, 1 = to a file, 2 = hide the output panel.
    void Command3_Click(int index);

    // The converted bytes (also left in "bak1.dat").
    const std::string& converted() const { return m_converted; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void convert();
    void Form_QueryUnload();

    EditFrm& m_frm;
    std::string m_snapshot;  // the editor's text when the dialog opened
    std::string m_converted;
    bool m_rowJustChanged = false;

    std::array<QRadioButton*, 2> m_options{};
    QLineEdit* m_path = nullptr;
    QPushButton* m_browse = nullptr;
    QListWidget* m_list = nullptr;
    TextPane* m_preview = nullptr;
    std::array<QPushButton*, 2> m_command2{};
    std::array<QPushButton*, 3> m_command3{};
    QGroupBox* m_output = nullptr;
};

// "コード変換...": shows the dialog modally.
void MnuCv_Click(EditFrm& frm);

}  // namespace talmir
