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
#include <QStringList>

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
    // The guard of the commands whose busy indication is this window's own progress
    // bar (the DXF and Gerber exports) instead of the editor's.
    virtual CommandGuard& ownBarGuard() = 0;
    virtual bool isTreeView() const = 0;
    // 0: the text view, 1: the tree view. False when the switch failed and was
    // reported; the window then stays as it was.
    virtual bool TextOrTree(int index) = 0;
    // The nodes of the tree view, in tree order, by their names (the names of
    // their files); empty in the text view of a window that has no tree.
    virtual QStringList nodeNames() const = 0;
    // The bytes of the file of the node `name`, and the file written anew; both
    // throw Failure when the file cannot be read or written.
    virtual std::string readNode(const QString& name) const = 0;
    virtual void writeNode(const QString& name, std::string_view bytes) = 0;
    // Writes the pane over the file of the node it shows (as the switch to the
    // text view does first), so that a command reading the node files sees what
    // the user sees. False when it could not be written (and was reported).
    virtual bool storeCurrentNode() = 0;
    // Loads the file of the node shown in the pane into the pane again, after a
    // command rewrote it, so that a later switch to the text view does not write
    // the old pane over it. False when it could not be read (and was reported).
    virtual bool reloadCurrentNode() = 0;

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
