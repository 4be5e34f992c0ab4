// "グラフィック" of the program windows: the plot tables rebuilt from the texts of
// the program windows (the one the command runs in, and the other when it is
// visible), then the graphic frame over them, fitted.
#include "core/graphic/PlotScanner.h"
#include "gui/base/CommandGuard.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/ProgramWindow.h"

namespace talmir {

namespace {

void MnuGrph_Click(ProgramWindow& window) {
    // The whole program is plotted, not the one node a tree view shows.
    if (!window.TextOrTree(0)) {
        return;
    }
    window.guard().run({}, [&window] {
        window.guard().processEvents();
        const ProgramTexts texts = plottedProgramTexts(window);
        graphic::ScanTexts scan;
        scan.holeText = texts.holeText;
        scan.gcodeText = texts.gcodeText;
        graphic::scanPlotTables(window.owner().plotTables(), scan);
        MDIMarlit::open(window.owner());
    });
}

const ProgramWindowCommandRegistration kGcodeGrph{ProgramWindow::Kind::Gcode, "MnuGrph_Click",
                                                  MnuGrph_Click};
const ProgramWindowCommandRegistration kHolesGrph{ProgramWindow::Kind::Holes, "MnuGrph_Click",
                                                  MnuGrph_Click};

}  // namespace

}  // namespace talmir
