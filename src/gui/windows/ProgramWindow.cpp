#include "gui/windows/ProgramWindow.h"

#include "core/text/Lines.h"
#include "gui/base/TextPane.h"
#include "gui/windows/GFrm.h"
#include "gui/windows/NcFrm.h"

#include <QMainWindow>

#include <map>
#include <utility>

namespace talmir {

namespace {

using Registry =
    std::map<std::pair<ProgramWindow::Kind, std::string>, ProgramWindowCommand, std::less<>>;

Registry& registry() {
    static Registry commands;
    return commands;
}

}  // namespace

QString ProgramWindow::caption() const {
    return const_cast<ProgramWindow*>(this)->window().windowTitle();
}

void ProgramWindow::setCaption(const QString& caption) {
    window().setWindowTitle(caption);
}

std::string ProgramWindow::snapshot() {
    return text::paneSnapshot(pane().shiftJis());
}

bool ProgramWindow::runCommand(std::string_view handler) {
    const ProgramWindowCommand* command = findProgramWindowCommand(kind(), handler);
    if (command == nullptr) {
        return false;
    }
    (*command)(*this);
    return true;
}

ProgramWindow& programWindow(EditFrm& owner, ProgramWindow::Kind kind) {
    if (kind == ProgramWindow::Kind::Holes) {
        return NcFrm::of(owner);
    }
    return GFrm::of(owner);
}

ProgramWindow* findProgramWindow(EditFrm& owner, ProgramWindow::Kind kind) {
    if (kind == ProgramWindow::Kind::Holes) {
        return NcFrm::find(owner);
    }
    return GFrm::find(owner);
}

ProgramTexts plottedProgramTexts(ProgramWindow& from) {
    ProgramTexts texts;
    for (const auto kind : {ProgramWindow::Kind::Holes, ProgramWindow::Kind::Gcode}) {
        ProgramWindow* window = findProgramWindow(from.owner(), kind);
        if (window == nullptr || (window != &from && !window->window().isVisible())) {
            continue;
        }
        (kind == ProgramWindow::Kind::Holes ? texts.holeText : texts.gcodeText) =
            window->snapshot();
    }
    return texts;
}

ProgramWindowCommandRegistration::ProgramWindowCommandRegistration(ProgramWindow::Kind kind,
                                                                   std::string_view handler,
                                                                   ProgramWindowCommand command) {
    registry()[{kind, std::string(handler)}] = std::move(command);
}

const ProgramWindowCommand* findProgramWindowCommand(ProgramWindow::Kind kind,
                                                     std::string_view handler) {
    const auto it = registry().find(std::pair{kind, std::string(handler)});
    return it == registry().end() ? nullptr : &it->second;
}

}  // namespace talmir
