#include "ScriptedDialogs.h"

namespace talmir::testing {

namespace {

template <class T>
std::optional<T> next(std::deque<std::optional<T>>& queue, int& unanswered) {
    if (queue.empty()) {
        ++unanswered;
        return std::nullopt;
    }
    auto answer = queue.front();
    queue.pop_front();
    return answer;
}

}  // namespace

void ScriptedDialogs::message(QWidget*, const QString& text, const QString& title,
                              MessageIcon icon) {
    messages.push_back({text, title, icon});
}

bool ScriptedDialogs::askYesNo(QWidget*, const QString& text, const QString&) {
    questions << text;
    if (yesNo.empty()) {
        ++unanswered;
        return false;
    }
    const bool answer = yesNo.front();
    yesNo.pop_front();
    return answer;
}

Answer ScriptedDialogs::askYesNoCancel(QWidget*, const QString& text, const QString&) {
    questions << text;
    if (yesNoCancel.empty()) {
        ++unanswered;
        return Answer::Cancel;
    }
    const Answer answer = yesNoCancel.front();
    yesNoCancel.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const FileDialogRequest& request) {
    fileRequests.push_back(request);
    saveDialogs.push_back(false);
    return next(files, unanswered);
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const FileDialogRequest& request) {
    fileRequests.push_back(request);
    saveDialogs.push_back(true);
    return next(files, unanswered);
}

std::optional<QColor> ScriptedDialogs::color(QWidget*, const QColor&) {
    return next(colors, unanswered);
}

std::optional<QFont> ScriptedDialogs::font(QWidget*, const QFont&) {
    return next(fonts, unanswered);
}

bool ScriptedDialogs::printerSetup(QWidget*, QPrinter&) {
    if (printerSetups.empty()) {
        ++unanswered;
        return false;
    }
    const bool answer = printerSetups.front();
    printerSetups.pop_front();
    return answer;
}

QString ScriptedDialogs::inputLine(QWidget*, const QString& initial) {
    inputsShown << initial;
    if (inputs.empty()) {
        ++unanswered;
        return initial;
    }
    const QString answer = inputs.front();
    inputs.pop_front();
    return answer;
}

QStringList ScriptedDialogs::messageTexts() const {
    QStringList texts;
    for (const auto& m : messages) {
        texts << m.text;
    }
    return texts;
}

}  // namespace talmir::testing
