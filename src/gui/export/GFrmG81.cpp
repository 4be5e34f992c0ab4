// The drilling-cycle commands of the G-code window: "G81をNCデータへ..." turns the
// holes of its drilling sections into hole data in the hole-data window,
// "G81をラウンド形状へ..." replaces them by milling contours in the node files of
// its tree. Both work on the tree view, which they build first.
#include "core/Failure.h"
#include "core/editor/WorkFiles.h"
#include "core/export/DrillCycle.h"
#include "core/export/ExportText.h"
#include "core/export/G81ToContours.h"
#include "core/export/G81ToHoles.h"
#include "core/export/SectionTree.h"
#include "core/text/ShiftJis.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/FileIo.h"
#include "gui/base/TextPane.h"
#include "gui/export/GncFrm.h"
#include "gui/export/RaundFrm.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/ProgramWindow.h"

#include <QMainWindow>

#include <optional>
#include <string>
#include <vector>

namespace talmir {

namespace {

struct DrillingSection {
    QString name;             // the node's name
    std::string sectionLine;  // the same as Shift-JIS bytes
    std::string nodeFile;
};

std::string toShiftJis(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return text::utf8ToShiftJis(std::string_view(utf8.constData(), utf8.size()));
}

// What both commands do before their dialog: the tree view (with what the pane
// shows in its node file), the hole-data window in its text view, and the list of
// the sections that drill. Nothing when the program has none (after saying so) or
// a step failed (and was reported).
std::optional<std::vector<DrillingSection>> drillingSections(ProgramWindow& g) {
    if (g.isTreeView() ? !g.storeCurrentNode() : !g.TextOrTree(1)) {
        return std::nullopt;
    }
    ProgramWindow* holes = findProgramWindow(g.owner(), ProgramWindow::Kind::Holes);
    if (holes != nullptr && holes->window().isVisible() && holes->isTreeView() &&
        !holes->TextOrTree(0)) {
        return std::nullopt;
    }
    std::vector<DrillingSection> sections;
    const bool read = g.guard().run({}, [&] {
        for (const QString& name : g.nodeNames()) {
            DrillingSection section{name, toShiftJis(name), g.readNode(name)};
            if (sections.size() < exporters::kMaxSections &&
                exporters::isG81Section(section.sectionLine, section.nodeFile)) {
                sections.push_back(std::move(section));
            }
        }
        if (sections.empty()) {
            throw exporters::nothingToConvertFailure();
        }
    });
    if (!read) {
        return std::nullopt;
    }
    return sections;
}

// The rows chosen in `Dialog` over the drilling sections; nothing after a close.
template <class Dialog>
auto chooseRows(ProgramWindow& g, const std::vector<DrillingSection>& sections) {
    QStringList names;
    for (const DrillingSection& section : sections) {
        names << section.name;
    }
    Dialog dialog(names, &g.window());
    dialog.exec();
    return dialog.options();
}

void MnuG81Nc_Click(ProgramWindow& g) {
    const auto sections = drillingSections(g);
    auto chosen = sections ? chooseRows<GncFrm>(g, *sections) : std::nullopt;
    if (!chosen) {
        return;
    }
    std::vector<exporters::G81ToolRow>& rows = *chosen;
    for (std::size_t k = 0; k < rows.size() && k < sections->size(); ++k) {
        rows[k].sectionLine = (*sections)[k].sectionLine;
        rows[k].nodeFile = (*sections)[k].nodeFile;
    }
    ProgramWindow& target = programWindow(g.owner(), ProgramWindow::Kind::Holes);
    if (target.isTreeView() && !target.TextOrTree(0)) {
        return;
    }
    g.guard().run({}, [&] {
        const std::string holes = exporters::g81ToHoles(rows);
        writeFileBytesOrThrow(g.owner().workFile(editor::kBakDat), holes);
        target.pane().setShiftJis(holes);
        target.setCaption(g.caption());
        target.window().show();
        target.window().raise();
        target.window().activateWindow();
    });
}

void MnuG81Raundo_Click(ProgramWindow& g) {
    const auto sections = drillingSections(g);
    const auto chosen = sections ? chooseRows<RaundFrm>(g, *sections) : std::nullopt;
    if (!chosen) {
        return;
    }
    const std::vector<exporters::G81ContourOptions>& rows = *chosen;
    for (std::size_t k = 0; k < rows.size() && k < sections->size(); ++k) {
        const DrillingSection& section = (*sections)[k];
        // A failing row stops the command with the row's number in the box title;
        // the rows before it stay converted.
        const bool done = g.guard().run(QStringLiteral("Orvanta_%1").arg(k + 1), [&] {
            writeFileBytesOrThrow(g.owner().workFile(editor::kBakDat), section.nodeFile);
            auto contours = exporters::g81Contours(section.sectionLine, section.nodeFile, rows[k]);
            if (!contours) {
                throw contours.failure();
            }
            g.writeNode(section.name, contours.value());
        });
        if (!done) {
            break;
        }
    }
    // The pane shows the node as it was; it must not go back over the new file.
    g.reloadCurrentNode();
}

const ProgramWindowCommandRegistration kG81Nc{ProgramWindow::Kind::Gcode, "MnuG81Nc_Click",
                                              MnuG81Nc_Click};
const ProgramWindowCommandRegistration kG81Raundo{ProgramWindow::Kind::Gcode, "MnuG81Raundo_Click",
                                                  MnuG81Raundo_Click};

}  // namespace

}  // namespace talmir
