// The spreadsheet dialog of the hole-data window, and its command: the hole data
// as an .xlsx workbook where the user says, then opened by the desktop.
#include "gui/export/HolOutExlFrm.h"

#include "core/editor/WorkFiles.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/OptionFrame.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/ProgramWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>

#include <functional>
#include <string>

namespace talmir {

namespace {

constexpr int kPreviewRows = 4;
constexpr int kPreviewColumns = 6;

// The preview: a tool row, then hole rows as the layout writes them.
void fillPreview(QTableWidget& grid, exporters::HoleSheetLayout layout) {
    grid.clearContents();
    auto put = [&grid](int row, int column, const char* text) {
        grid.setItem(row, column, new QTableWidgetItem(QString::fromUtf8(text)));
    };
    put(0, 0, "T01");
    put(0, 1, "C1.0");
    for (int row = 1; row < kPreviewRows; ++row) {
        switch (layout) {
            case exporters::HoleSheetLayout::A:
                put(row, 2, "X");
                put(row, 3, "123.456");
                put(row, 4, "Y");
                put(row, 5, "123.456");
                break;
            case exporters::HoleSheetLayout::B:
                put(row, 2, "X123.456");
                put(row, 3, "Y123.456");
                break;
            case exporters::HoleSheetLayout::C:
                put(row, 2, "X123.456Y123.456");
                break;
        }
    }
}

}  // namespace

HolOutExlFrm::HolOutExlFrm(QWidget* parent)
    : OptionsDialog(QStringLiteral("穴データをエクセルへ"), parent) {
    m_preview = new QTableWidget(kPreviewRows, kPreviewColumns, this);
    m_preview->setObjectName(QStringLiteral("Preview"));
    m_preview->setHorizontalHeaderLabels({"A", "B", "C", "D", "E", "F"});
    m_preview->setVerticalHeaderLabels({"1", "2", "3", "4"});
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setSelectionMode(QAbstractItemView::NoSelection);
    m_preview->setFocusPolicy(Qt::NoFocus);
    m_preview->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_preview->setMinimumSize(520, 150);
    body().addWidget(m_preview);
    addFrameRow({optionFrame<3>(this, QString(), {"Aタイプ", "Bタイプ", "Cタイプ"}, m_layouts, 0)});
    for (int index = 0; index < 3; ++index) {
        connect(m_layouts.at(static_cast<std::size_t>(index)), &QRadioButton::toggled, this,
                [this, index](bool on) {
                    if (on) {
                        Option1_Click(index);
                    }
                });
    }
    m_row = addRunCancel([this] { Command1_Click(0); }, [this] { Command1_Click(1); });
    fillPreview(*m_preview, exporters::HoleSheetLayout::A);
}

void HolOutExlFrm::Option1_Click(int index) {
    fillPreview(*m_preview, static_cast<exporters::HoleSheetLayout>(index));
}

void HolOutExlFrm::Command1_Click(int index) {
    if (index != 0) {
        reject();
        return;
    }
    for (QRadioButton* option : m_layouts) {
        option->setEnabled(false);
    }
    execute(static_cast<exporters::HoleSheetLayout>(checkedIndex(m_layouts, 0)));
}

std::function<bool(const QString&)>& workbookOpener() {
    static std::function<bool(const QString&)> opener = [](const QString& path) {
        return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
    };
    return opener;
}

namespace {

const QString kWorkbookFilter = QStringLiteral("Excelﾌｧｲﾙ(*.xlsx)|*.xlsx|全てのﾌｧｲﾙ(*.*)|*.*");

// The workbook's file: asked for under the window's caption; ".xlsx" is added to
// a name given without it.
std::optional<QString> workbookPath(ProgramWindow& g) {
    const QFileInfo caption(g.caption());
    const QString suggested = (caption.completeBaseName().isEmpty() ? QStringLiteral("holes")
                                                                    : caption.completeBaseName()) +
                              QStringLiteral(".xlsx");
    auto path = g.owner().dialogs().saveFile(
        &g.window(),
        FileDialogRequest{QStringLiteral("穴データをエクセルへ"), {}, suggested, kWorkbookFilter});
    if (path && QFileInfo(*path).suffix().isEmpty()) {
        *path += QStringLiteral(".xlsx");
    }
    return path;
}

// "エクセルへ出力..." of the hole-data window: the whole text, from the text view.
void MnuDlrExcel_Click(ProgramWindow& g) {
    if (!g.TextOrTree(0)) {
        return;
    }
    const std::string holes = g.snapshot();
    const QString bakDat = g.owner().workFile(editor::kBakDat);
    HolOutExlFrm dialog(&g.window());
    dialog.exec();
    const std::optional<QString> path =
        dialog.options() ? workbookPath(g) : std::optional<QString>{};
    if (!path) {
        QFile::remove(bakDat);
        return;
    }
    bool written = false;
    g.guard().run({}, [&] {
        exporters::HoleSheetOptions options;
        options.layout = *dialog.options();
        options.tempFolder = g.owner().folders().TempDir;
        auto rows = exporters::holesToXlsx(holes, options, path->toStdString());
        QFile::remove(bakDat);
        if (!rows) {
            throw rows.failure();
        }
        written = true;
    });
    if (written && !workbookOpener()(*path)) {
        g.owner().dialogs().message(&g.window(), QStringLiteral("xdg-openへ接続出来ませんでした"),
                                    {}, MessageIcon::None);
    }
}

const ProgramWindowCommandRegistration kDlrExcel{ProgramWindow::Kind::Holes, "MnuDlrExcel_Click",
                                                 MnuDlrExcel_Click};

}  // namespace

}  // namespace talmir
