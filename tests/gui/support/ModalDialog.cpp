#include "ModalDialog.h"

#include <QApplication>
#include <QTimer>

namespace talmir::testing {

namespace {

void poll(const std::function<void(QWidget*)>& act, int triesLeft) {
    QTimer::singleShot(triesLeft == 200 ? 0 : 10, [act, triesLeft] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            act(dialog);
        } else if (triesLeft > 0) {
            poll(act, triesLeft - 1);
        }
    });
}

}  // namespace

void whenModal(std::function<void(QWidget*)> act) {
    poll(act, 200);
}

}  // namespace talmir::testing
