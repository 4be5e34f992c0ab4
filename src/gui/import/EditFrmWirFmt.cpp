#include "gui/import/EditFrmWirFmt.h"

#include "core/editor/WorkFiles.h"
#include "core/graphic/ExpandedPlot.h"
#include "core/import/WirFmt.h"
#include "core/import/WireToGcode.h"
#include "core/text/Lines.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/TextPane.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/import/ConvertIntoWindow.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

#include <QFile>

namespace talmir {

namespace {

const EditFrmCommandRegistration kWirFmt{"MnuWirFmt_Click",
                                         [](EditFrm& frm) { MnuWirFmt_Click(frm); }};
const EditFrmCommandRegistration kFUNACfmt{"MnuFUNACfmt_Click",
                                           [](EditFrm& frm) { MnuFUNACfmt_Click(frm); }};

// The subprograms "O<n>" of the folder "SUB" in AppDir.
importers::WirFmtOptions subprogramsOf(EditFrm& frm) {
    importers::WirFmtOptions options;
    const QString folder = frm.workFile("SUB");
    options.subprogram = [folder](std::string_view name) -> std::optional<std::string> {
        QFile file(folder + QLatin1Char('/') +
                   QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        if (!file.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        const QByteArray bytes = file.readAll();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    };
    options.progress = [&frm] { frm.guard().flicker(); };
    return options;
}

}  // namespace

void MnuWirFmt_Click(EditFrm& frm) {
    importers::WireStep failedAt = importers::WireStep::Program;
    convertIntoGcodeWindow(
        frm, programCaption(frm.documentName()),
        [&failedAt](std::string_view input, const std::function<void()>& progress) {
            importers::WireGcodeOptions options;
            options.progress = progress;
            return importers::wireToGcode(input, options, &failedAt);
        },
        [&failedAt] { return QStringLiteral("Orvanta_%1").arg(static_cast<int>(failedAt)); });
}

void MnuFUNACfmt_Click(EditFrm& frm) {
    frm.guard().run({}, [&frm] {
        // The expansion lives in memory: neither work file outlives the command.
        auto expanded =
            importers::WirFmt(text::paneSnapshot(frm.pane().shiftJis()), subprogramsOf(frm));
        QFile::remove(frm.workFile(editor::kBakDat));
        QFile::remove(frm.workFile(editor::kBak1Dat));
        if (!expanded) {
            throw expanded.failure();
        }
        if (!graphic::loadExpandedPlot(frm.plotTables(), expanded.value())) {
            frm.plotTables().reset();
            throw Failure::message("Ｇコードが確認出来ませんでした");
        }
        MDIMarlit::openWithoutSource(frm);
    });
}

}  // namespace talmir
