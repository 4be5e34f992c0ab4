#pragma once
// The print panel of the graphic frame: printer set-up, the size of printed
// points, the printer's line width, the scale, the paper, the ink and the
// orientation. It shows at the left of the plot while a print is being placed.

#include <QFrame>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace talmir {

class PrintPanel : public QFrame {
    Q_OBJECT
public:
    explicit PrintPanel(QWidget* parent = nullptr);

    QPushButton& setupButton() { return *m_setup; }
    QPushButton& cancelButton() { return *m_cancel; }
    QComboBox& pointSize() { return *m_pointSize; }  // data 0 ("なし") to 10
    QComboBox& lineWidth() { return *m_lineWidth; }  // data 1 to 10
    QComboBox& paper() { return *m_paper; }          // data: paper codes 13, 12, 9, 8
    QLineEdit& scaleBox() { return *m_scale; }
    QLabel& printerName() { return *m_printerName; }
    QRadioButton& colourInk() { return *m_colourInk; }
    QRadioButton& blackInk() { return *m_blackInk; }
    QRadioButton& portrait() { return *m_portrait; }
    QRadioButton& landscape() { return *m_landscape; }

    // The scale as the box holds it: a value not above 0.1 (or no number) is 1.
    double scale() const;

signals:
    // The paper, the orientation or the scale changed.
    void pageChanged();
    // The ink changed.
    void inkChanged();

private:
    QPushButton* m_setup = nullptr;
    QPushButton* m_cancel = nullptr;
    QComboBox* m_pointSize = nullptr;
    QComboBox* m_lineWidth = nullptr;
    QComboBox* m_paper = nullptr;
    QLineEdit* m_scale = nullptr;
    QLabel* m_printerName = nullptr;
    QRadioButton* m_colourInk = nullptr;
    QRadioButton* m_blackInk = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
};

}  // namespace talmir
