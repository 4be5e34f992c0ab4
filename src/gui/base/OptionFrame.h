#pragma once
// A framed group of option buttons, as the conversion dialogs show their
// choices ("入力単位", "座標形式", "改行ｺｰﾄﾞ").

#include <QGroupBox>
#include <QRadioButton>
#include <QString>
#include <QVBoxLayout>

#include <array>
#include <cstddef>

namespace talmir {

// A frame titled `caption` holding one option button per caption, top to
// bottom; button `checked` is checked.
template <std::size_t N>
QGroupBox* optionFrame(QWidget* parent, const QString& caption,
                       const std::array<const char*, N>& captions,
                       std::array<QRadioButton*, N>& buttons, std::size_t checked) {
    auto* frame = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(frame);
    for (std::size_t index = 0; index < N; ++index) {
        buttons[index] = new QRadioButton(QString::fromUtf8(captions[index]), frame);
        layout->addWidget(buttons[index]);
    }
    layout->addStretch();
    buttons[checked]->setChecked(true);
    return frame;
}

// The index of the checked button, or `fallback` when none is.
template <std::size_t N>
int checkedIndex(const std::array<QRadioButton*, N>& buttons, int fallback) {
    for (std::size_t index = 0; index < N; ++index) {
        if (buttons[index]->isChecked()) {
            return static_cast<int>(index);
        }
    }
    return fallback;
}

}  // namespace talmir
