#pragma once
// "プログラム統計": the lengths, elements, holes, box and time of the plotted
// program per layer and in total, at the rapid and cutting feeds the user gives
// (cutting moves take the F word of the program where it has one).

#include "core/graphic/Measure.h"
#include "gui/windows/ProgramWindow.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace talmir {

class StatFrm : public QDialog {
    Q_OBJECT
public:
    StatFrm(ProgramTexts texts, QWidget* parent);

    // Measures again with the feeds of the two boxes.
    void Command1_Click();

    QLineEdit& rapidFeed() { return *m_rapid; }
    QLineEdit& cutFeed() { return *m_cut; }
    QPlainTextEdit& report() { return *m_report; }
    const graphic::ProgramMeasure& statistics() const { return m_stats; }

private:
    ProgramTexts m_texts;
    QLineEdit* m_rapid = nullptr;
    QLineEdit* m_cut = nullptr;
    QPlainTextEdit* m_report = nullptr;
    graphic::ProgramMeasure m_stats;
};

// The status-area line of the plot: "切削 123.4mm  早送り 56.7mm  要素 89".
QString measureSummary(const graphic::ProgramMeasure& measure);

}  // namespace talmir
