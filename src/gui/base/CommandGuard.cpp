#include "gui/base/CommandGuard.h"

#include "core/Failure.h"
#include "gui/base/Dialogs.h"

#include <QApplication>
#include <QProgressBar>
#include <QTime>

#include <new>

namespace talmir {

namespace {

// The run-time error number the user may know from the program's past.
constexpr int kInvalidCall = 5;

}  // namespace

QString failureText(const Failure& failure) {
    const QString description = QString::fromStdString(failure.description);
    if (failure.number == 0) {
        return description;
    }
    return QStringLiteral("エラー番号 : ") + QString::number(failure.number) + QLatin1Char('\n') +
           description;
}

void CommandGuard::setProgressBar(QProgressBar* bar) {
    m_progress = bar;
}

void CommandGuard::report(const Failure& failure, const QString& title) {
    const bool ownTitle = !failure.title.empty();
    m_dialogs.message(m_parent, failureText(failure),
                      ownTitle ? QString::fromStdString(failure.title) : title,
                      failure.number == 0 && !ownTitle ? MessageIcon::None : MessageIcon::Warning);
}

bool CommandGuard::run(const QString& title, const std::function<void()>& body, bool hourglass) {
    if (hourglass) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    flicker();
    std::optional<Failure> failure;
    try {
        body();
    } catch (const Failure& f) {
        failure = f;
    } catch (const std::bad_alloc&) {
        failure = outOfMemoryFailure();
    } catch (const std::exception& e) {
        failure =
            Failure{kInvalidCall, std::string("プロシージャの呼び出し、または引数が不正です。") +
                                      "\n" + e.what()};
    }
    if (m_progress) {
        m_progress->setValue(0);
    }
    if (hourglass) {
        QApplication::restoreOverrideCursor();
    }
    if (failure) {
        report(*failure, title);
        return false;
    }
    return true;
}

void CommandGuard::flicker() {
    if (m_progress) {
        m_progress->setValue(QTime::currentTime().msecsSinceStartOfDay() / 1000 % 10);
    }
}

void CommandGuard::processEvents() {
    QApplication::processEvents();
}

}  // namespace talmir
