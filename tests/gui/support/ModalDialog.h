#pragma once
// Answering a modal dialog in a window test: the test queues what to do, then
// runs the command that opens the dialog.

#include <QtTest>

#include <functional>

class QWidget;

namespace talmir::testing {

// Runs `act` on the modal dialog once it is up (the command may do some work
// before it opens it). Gives up after a while, so that a missing dialog fails
// the test instead of hanging it.
void whenModal(std::function<void(QWidget*)> act);

// The same for a dialog of type `Dialog`; any other modal widget fails the test.
template <typename Dialog>
void whenModalIs(std::function<void(Dialog&)> act) {
    whenModal([act](QWidget* widget) {
        auto* dialog = dynamic_cast<Dialog*>(widget);
        QVERIFY(dialog != nullptr);
        act(*dialog);
    });
}

}  // namespace talmir::testing
