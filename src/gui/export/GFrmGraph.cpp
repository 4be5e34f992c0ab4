// "グラフィック" of the G-code window.
#include "app/CommandGuard.h"
#include "app/EditFrm.h"
#include "editor/TextPane.h"
#include "export/GFrm.h"
#include "graphic/MDIMarlit.h"
#include "graphic/PlotScanner.h"
#include "text/Lines.h"

namespace talmir {

void GFrm::MnuGrph_Click() {
    m_guard->run({}, [this] {
        m_guard->processEvents();
        // The text as it would be saved; the hole-data window has no text to add.
        const std::string program = text::paneSnapshot(m_pane->shiftJis());
        graphic::ScanTexts texts;
        texts.gcodeText = program;
        graphic::scanPlotTables(m_owner.plotTables(), texts);
        MDIMarlit::open(m_owner);
    });
}

}  // namespace talmir
