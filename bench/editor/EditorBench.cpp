// talmir-bench-editor: the editor window on a generated one-line plot file of
// 50 MB (or the megabytes given as the only argument), step by step as a user
// goes: open through the load command, draw, page down, type in the middle,
// search from the start for a text that only the end holds, save. Prints the
// time of each step; exits 1 when the saved bytes are not the file's with the
// typed characters, or when a step shows a message.
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include "core/app/Folders.h"
#include "core/app/HugePages.h"
#include "core/app/SettingsStore.h"
#include "gui/base/Dialogs.h"
#include "gui/base/PaneText.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <cstdio>
#include <deque>
#include <optional>
#include <string>

namespace {

using namespace talmir;

constexpr std::string_view kEndText = "LBTHEEND";

// File dialogs answer from a queue; any message is printed and counted.
class BenchDialogs final : public Dialogs {
public:
    void message(QWidget* /*parent*/, const QString& text, const QString& /*title*/,
                 MessageIcon /*icon*/) override {
        std::printf("message: %s\n", qPrintable(text));
        ++messages;
    }
    bool askYesNo(QWidget* /*parent*/, const QString& /*text*/, const QString& /*title*/) override {
        return true;
    }
    Answer askYesNoCancel(QWidget* /*parent*/, const QString& /*text*/,
                          const QString& /*title*/) override {
        return Answer::Yes;
    }
    std::optional<QString> openFile(QWidget* /*parent*/,
                                    const FileDialogRequest& /*request*/) override {
        return next();
    }
    std::optional<QString> saveFile(QWidget* /*parent*/,
                                    const FileDialogRequest& /*request*/) override {
        return next();
    }
    std::optional<QColor> color(QWidget* /*parent*/, const QColor& /*initial*/) override {
        return std::nullopt;
    }
    std::optional<QFont> font(QWidget* /*parent*/, const QFont& /*initial*/) override {
        return std::nullopt;
    }
    bool printerSetup(QWidget* /*parent*/, QPrinter& /*printer*/) override { return false; }
    QString inputLine(QWidget* /*parent*/, const QString& initial) override { return initial; }

    std::deque<QString> files;
    int messages = 0;

private:
    std::optional<QString> next() {
        if (files.empty()) {
            return std::nullopt;
        }
        QString file = files.front();
        files.pop_front();
        return file;
    }
};

// One line of about `bytes` of plot commands with a ";" after each, as the HPGL
// export and many drivers write them, ending in kEndText and CR LF.
std::string makePlotLine(std::size_t bytes) {
    std::string hpgl = "IN;SP1;PA;";
    hpgl.reserve(bytes + 64);
    char buf[96];
    for (unsigned k = 0; hpgl.size() < bytes; ++k) {
        const unsigned x = k * 7919 % 40000;
        const unsigned y = k * 104729 % 30000;
        std::snprintf(buf, sizeof buf, "PU%u,%u;PD%u,%u,%u,%u;", x, y, (x + 4099) % 40000,
                      (y + 3989) % 30000, (x + 8198) % 40000, y);
        hpgl += buf;
    }
    hpgl += "LB";
    hpgl += kEndText;
    hpgl += ";\r\n";
    return hpgl;
}

void pressKey(QWidget& to, Qt::Key key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&to, &release);
}

// Paints the window at once, as the screen would show it.
void draw(QWidget& window) {
    window.repaint();
    QApplication::processEvents();
}

void report(const char* what, const QElapsedTimer& timer) {
    std::printf("  %-42s %7lld ms\n", what, static_cast<long long>(timer.elapsed()));
}

int run(std::size_t megabytes) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        return 1;
    }
    const QString input = scratch.filePath(QStringLiteral("plot.hpl"));
    const QString output = scratch.filePath(QStringLiteral("saved.hpl"));
    std::string file = makePlotLine(megabytes * 1024 * 1024);
    {
        QFile out(input);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(file.data(), static_cast<qint64>(file.size())) !=
                static_cast<qint64>(file.size())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(input));
            return 1;
        }
    }
    std::printf("one-line plot file of %zu bytes\n", file.size());

    app::MemorySettingsStore settings;
    BenchDialogs dialogs;
    app::Folders folders;
    folders.AppDir = app::withTrailingSlash(scratch.path().toStdString());
    folders.TempDir = scratch.path().toStdString();
    EditFrm frm(settings, dialogs, folders);
    frm.Form_Load(QString());
    frm.resize(1200, 800);
    frm.show();
    draw(frm);
    TextPane& pane = frm.pane();
    pane.setFocus();

    QElapsedTimer timer;
    timer.start();
    dialogs.files.push_back(input);
    frm.MnuLoad_Click();
    report("open (load command)", timer);
    QElapsedTimer step;
    step.start();
    draw(frm);
    report("first draw", step);
    report("open and draw", timer);

    step.start();
    for (int k = 0; k < 20; ++k) {
        pressKey(pane, Qt::Key_PageDown);
        draw(frm);
    }
    report("20 page-downs, each drawn", step);

    // The middle of the line, at the start of a display line.
    const long middle = pane.SendScintilla(
        TextPane::SCI_POSITIONFROMLINE,
        static_cast<unsigned long>(pane.SendScintilla(
            TextPane::SCI_LINEFROMPOSITION,
            static_cast<unsigned long>(pane.SendScintilla(TextPane::SCI_GETLENGTH) / 2))));
    const std::size_t typedAt =
        charIndexOfUtf8Offset(pane.utf8View(), static_cast<std::size_t>(middle));
    pane.SendScintilla(TextPane::SCI_GOTOPOS, static_cast<unsigned long>(middle));
    draw(frm);
    step.start();
    for (int k = 0; k < 20; ++k) {
        pressKey(pane, Qt::Key_A, QStringLiteral("A"));
        draw(frm);
    }
    report("20 keystrokes in the middle, each drawn", step);
    file.insert(typedAt, 20, 'A');

    pane.SendScintilla(TextPane::SCI_GOTOPOS, 0UL);
    frm.searchBox().setEditText(QString::fromLatin1(kEndText.data(), kEndText.size()));
    step.start();
    frm.action("Command1_Click")->trigger();
    draw(frm);
    report("search from the start to the end", step);
    const std::size_t found = selectionStartChar(pane);
    const bool foundAtEnd = found == file.rfind(kEndText);

    step.start();
    dialogs.files.push_back(output);
    frm.MnuSave_Click();
    report("save (save command)", step);

    QFile saved(output);
    const bool same = saved.open(QIODevice::ReadOnly) && saved.readAll().toStdString() == file;
    std::printf("search found the end: %s\nsaved bytes identical: %s\n", foundAtEnd ? "yes" : "NO",
                same ? "yes" : "NO");
    return same && foundAtEnd && dialogs.messages == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    talmir::restartWithHugePages(argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 50;
    return run(megabytes > 0 ? megabytes : 50);
}
