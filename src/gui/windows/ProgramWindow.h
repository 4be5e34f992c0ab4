#pragma once
// The program windows of an editor, the G-code window (GFrm) and the hole-data
// window (NcFrm), as the commands of the other areas see them: a pane that holds
// the program, a text view and a tree view, a caption and the window's guard.
//
// The commands of a program window's menus that belong to an area (the exports,
// the graph) register themselves under the window's kind and the handler's name;
// the window enables the entry only when a command is registered:
//
//   static const talmir::ProgramWindowCommandRegistration kGrph{
//       talmir::ProgramWindow::Kind::Gcode, "MnuGrph_Click",
//       [](talmir::ProgramWindow& window) { ... }};

#include <QMainWindow>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace talmir {

class CommandGuard;
class EditFrm;
class TextPane;

class ProgramWindow {
public:
    enum class Kind { Gcode, Holes };

    virtual ~ProgramWindow() = default;

    virtual Kind kind() const = 0;
    virtual QMainWindow& window() = 0;
    virtual EditFrm& owner() = 0;
    virtual TextPane& pane() = 0;
    virtual CommandGuard& guard() = 0;
    virtual bool isTreeView() const = 0;
    // 0: the text view, 1: the tree view. False when the switch failed and was
    // reported; the window then stays as it was.
    virtual bool TextOrTree(int index) = 0;

    QString caption() const;
    void setCaption(const QString& caption);
    // The pane's text as it would be saved: lines joined with CR LF, nothing after
    // the last line.
    std::string snapshot();
    // Runs the command registered for this window under `handler`; false when
    // there is none.
    bool runCommand(std::string_view handler);

protected:
    ProgramWindow() = default;
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;
};

// The program window of that kind of `owner`, created (hidden) when there is none
// open.
ProgramWindow& programWindow(EditFrm& owner, ProgramWindow::Kind kind);
// The open program window of that kind of `owner`, or null.
ProgramWindow* findProgramWindow(EditFrm& owner, ProgramWindow::Kind kind);

// The snapshots of the program windows that a plot is made of: `from`, the window
// the command was run in, and the other program window of its editor when that
// one is visible. A hidden or absent window has none.
struct ProgramTexts {
    std::optional<std::string> holeText;
    std::optional<std::string> gcodeText;
};
ProgramTexts plottedProgramTexts(ProgramWindow& from);

using ProgramWindowCommand = std::function<void(ProgramWindow&)>;

struct ProgramWindowCommandRegistration {
    ProgramWindowCommandRegistration(ProgramWindow::Kind kind, std::string_view handler,
                                     ProgramWindowCommand command);
};

// The command registered for windows of `kind` under `handler`, or null.
const ProgramWindowCommand* findProgramWindowCommand(ProgramWindow::Kind kind,
                                                     std::string_view handler);

}  // namespace talmir
