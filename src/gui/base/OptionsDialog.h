#pragma once
// The shape of the conversion option dialogs: a modal dialog with its frames and
// boxes in a body, and under it a row of buttons at the right, "実行" and
// "ｷｬﾝｾﾙ" (and any further execute button a dialog needs). The "実行" / "ｷｬﾝｾﾙ"
// pair is also what the option panels of the graphic frame end with.

#include <QDialog>
#include <QString>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

namespace talmir {

struct RunCancelButtons {
    QPushButton* run = nullptr;     // "実行"
    QPushButton* cancel = nullptr;  // "ｷｬﾝｾﾙ"
};

// "実行" and "ｷｬﾝｾﾙ" as children of `parent`, made in that order (which is
// their tab order), each calling its handler when clicked. Laying them out is
// the caller's.
RunCancelButtons runCancelButtons(QWidget* parent, std::function<void()> run,
                                  std::function<void()> cancel);

// The layout and the button row; OptionsDialog adds the result.
class OptionsDialogBase : public QDialog {
protected:
    // A modal dialog captioned `caption`.
    OptionsDialogBase(const QString& caption, QWidget* parent);

    // The area above the button row, for the dialog's frames and boxes.
    QVBoxLayout& body() { return *m_body; }
    // Puts `frames` side by side, left to right, under what the body holds.
    void addFrameRow(std::initializer_list<QWidget*> frames);
    // Puts `button` at the right end of the button row. The first button put
    // there is the default one, pressed by Enter. Make the buttons after the
    // body's controls: the tab order follows the order controls are made.
    void addToRow(QPushButton* button);
    // "実行" (the default button) and "ｷｬﾝｾﾙ" at the right end of the row.
    RunCancelButtons addRunCancel(std::function<void()> run, std::function<void()> cancel);

private:
    QVBoxLayout* m_body = nullptr;
    QHBoxLayout* m_row = nullptr;
    bool m_rowEmpty = true;
};

// An option dialog whose execute buttons close it with an `Options`.
template <typename Options>
class OptionsDialog : public OptionsDialogBase {
public:
    // The options chosen with an execute button; no value after "ｷｬﾝｾﾙ" or any
    // other close.
    const std::optional<Options>& options() const { return m_chosen; }

    // "ｷｬﾝｾﾙ", Esc and the close box all end here.
    void reject() override {
        m_chosen.reset();
        QDialog::reject();
    }

protected:
    using OptionsDialogBase::OptionsDialogBase;

    // Closes the dialog with `chosen` as its result.
    void execute(Options chosen) {
        m_chosen = std::move(chosen);
        accept();
    }

private:
    std::optional<Options> m_chosen;
};

}  // namespace talmir
