#pragma once
// "プログラムのチェック": the findings of the check of the G-code window's
// program, one a row with its line number; a click on a row selects that line in
// the window's text. "再チェック" checks the text again with the tolerance and
// working area given.

#include "core/editor/ProgramCheck.h"

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace talmir {

class ProgramWindow;

class PreflightFrm : public QWidget {
    Q_OBJECT
public:
    explicit PreflightFrm(ProgramWindow& window);

    // Checks the window's program (its text view) and lists what was found.
    void Command1_Click();
    // Selects the line of row `row` in the window's text.
    void List1_Click(int row);

    QListWidget& list() { return *m_list; }
    QLineEdit& tolerance() { return *m_tolerance; }
    QLineEdit& area() { return *m_area; }
    const std::vector<editor::Finding>& findings() const { return m_findings; }

private:
    ProgramWindow& m_window;
    QListWidget* m_list = nullptr;
    QLineEdit* m_tolerance = nullptr;
    QLineEdit* m_area = nullptr;
    std::vector<editor::Finding> m_findings;
};

}  // namespace talmir
