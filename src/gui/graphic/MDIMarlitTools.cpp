// The graphic frame's tools: the layer window and the coordinate check docked at
// the left of the plot, the perimeter window, the line-width table editor and
// the data-delete mode.
#include "core/graphic/Measure.h"
#include "core/graphic/PlotScanner.h"
#include "core/graphic/Trace.h"
#include "core/text/Lines.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/base/TextPane.h"
#include "gui/graphic/AptFrm.h"
#include "gui/graphic/CheckFrm.h"
#include "gui/graphic/CvGrph.h"
#include "gui/graphic/GraphTools.h"
#include "gui/graphic/LairFrm.h"
#include "gui/graphic/Leng_Frm.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/graphic/StatFrm.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/ProgramWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QWindow>

namespace talmir {

namespace {

// A docked tool window opens and closes through its menu entry and tool-bar
// toggle only, which always show the same state.
void dock(MDIMarlit& frame, QDockWidget& window) {
    window.setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    frame.addDockWidget(Qt::LeftDockWidgetArea, &window);
    window.show();
}

template <typename Window>
void unload(Window*& window) {
    if (window != nullptr) {
        window->Form_Unload();
        window->hide();
        window->deleteLater();
        window = nullptr;
    }
}

void showChecked(QAction* act, bool checked) {
    if (act != nullptr) {
        act->setChecked(checked);
    }
}

}  // namespace

GraphTools MDIMarlit::tools() const {
    return GraphTools{*m_graph, m_owner.dialogs(), m_owner.settings(),
                      QString::fromStdString(m_owner.folders().AppDir)};
}

void MDIMarlit::setLayerWindowOpen(bool open) {
    if (open && m_layerWindow == nullptr) {
        m_layerWindow = new LairFrm(tools(), this);
        dock(*this, *m_layerWindow);
        m_graph->GrSub();  // the layers just made visible again
    } else if (!open) {
        unload(m_layerWindow);
    }
    showChecked(action("MnuLaiyr"), open);
    showChecked(action("Toolbar_LAYER"), open);
}

void MDIMarlit::setCheckWindowOpen(bool open) {
    if (open && m_checkWindow == nullptr) {
        m_checkWindow = new CheckFrm(tools(), this);
        dock(*this, *m_checkWindow);
    } else if (!open) {
        unload(m_checkWindow);
    }
    m_graph->labelSnaps = open;
    showChecked(action("MnuCheckWindow"), open);
    showChecked(action("Toolbar_CHECK"), open);
}

void MDIMarlit::setLengthWindowOpen(bool open) {
    if (open && m_lengthWindow == nullptr) {
        m_lengthWindow = new Leng_Frm(tools(), this);
        connect(m_lengthWindow, &Leng_Frm::closed, this, [this] {
            m_lengthWindow->deleteLater();
            m_lengthWindow = nullptr;
            showChecked(action("MnuLenge"), false);
        });
        m_lengthWindow->show();
    } else if (!open && m_lengthWindow != nullptr) {
        m_lengthWindow->close();  // ends the picking
    }
    showChecked(action("MnuLenge"), open);
}

void MDIMarlit::MnuLaiyr_Click() {
    setLayerWindowOpen(action("MnuLaiyr")->isChecked());
}

void MDIMarlit::MnuCheckWindow_Click() {
    setCheckWindowOpen(action("MnuCheckWindow")->isChecked());
}

void MDIMarlit::MnuLenge_Click() {
    setLengthWindowOpen(action("MnuLenge")->isChecked());
}

void MDIMarlit::MnuApSizuSave_Click() {
    AptFrm editor(tools(), this);
    editor.exec();
}

void MDIMarlit::MnuStats_Click() {
    ProgramTexts texts;
    for (const auto kind : {ProgramWindow::Kind::Gcode, ProgramWindow::Kind::Holes}) {
        ProgramWindow* window = findProgramWindow(m_owner, kind);
        const bool plotted = kind == ProgramWindow::Kind::Gcode ? m_graph->tables().PathCount >= 0
                                                                : m_graph->tables().HoleCount >= 0;
        if (window != nullptr && plotted && window->TextOrTree(0)) {
            (kind == ProgramWindow::Kind::Gcode ? texts.gcodeText : texts.holeText) =
                window->snapshot();
        }
    }
    StatFrm stats(std::move(texts), this);
    stats.exec();
}

void MDIMarlit::MnuTrace_Click() {
    setTracing(action("MnuTrace")->isChecked());
}

void MDIMarlit::setTracing(bool on) {
    for (const QMetaObject::Connection& link : m_traceLinks) {
        disconnect(link);
    }
    m_traceLinks.clear();
    m_tracing = false;
    if (on) {
        const graphic::PlotTables& tables = m_graph->tables();
        for (const auto kind : {ProgramWindow::Kind::Gcode, ProgramWindow::Kind::Holes}) {
            const bool plotted =
                kind == ProgramWindow::Kind::Gcode ? tables.PathCount >= 0 : tables.HoleCount >= 0;
            ProgramWindow* window = findProgramWindow(m_owner, kind);
            // The lines of the plot are those of the text view.
            if (!plotted || window == nullptr || !window->TextOrTree(0)) {
                continue;
            }
            window->window().show();
            window->window().raise();
            if (QWindow* handle = window->window().windowHandle()) {
                handle->setTransientParent(windowHandle());
            }
            m_traceLinks.push_back(connect(&window->pane(), &QsciScintilla::selectionChanged, this,
                                           [this, kind] { traceSelection(kind); }));
            m_tracing = true;
        }
    } else {
        for (const auto kind : {ProgramWindow::Kind::Gcode, ProgramWindow::Kind::Holes}) {
            if (ProgramWindow* window = findProgramWindow(m_owner, kind)) {
                window->window().hide();
            }
        }
    }
    m_graph->setTraced({});
    showChecked(action("MnuTrace"), m_tracing);
}

void MDIMarlit::traceClick(float x, float y) {
    const graphic::PlotTables& tables = m_graph->tables();
    const auto element = graphic::elementAt(tables, x, y, m_graph->worldOfPixels(6));
    if (!element) {
        m_graph->setTraced({});
        return;
    }
    const auto k = static_cast<std::size_t>(element->index);
    const std::vector<std::uint32_t>& lines = element->hole ? tables.holeLines : tables.pathLines;
    ProgramWindow* window = findProgramWindow(
        m_owner, element->hole ? ProgramWindow::Kind::Holes : ProgramWindow::Kind::Gcode);
    m_graph->setTraced(element->hole ? graphic::extractElements(tables, {}, {element->index})
                                     : graphic::extractElements(tables, {element->index}));
    if (window == nullptr || k >= lines.size() || window->isTreeView()) {
        return;
    }
    TextPane& pane = window->pane();
    const int line = static_cast<int>(lines[k]);
    // The selection lights every element of the line, the clicked one with them.
    pane.SendScintilla(TextPane::SCI_SETSEL,
                       static_cast<unsigned long>(pane.positionOfFileLine(line)),
                       pane.positionOfFileLine(line + 1));
    m_status->setText(QStringLiteral("行 %1").arg(line + 1));
}

void MDIMarlit::traceSelection(ProgramWindow::Kind kind) {
    ProgramWindow* window = findProgramWindow(m_owner, kind);
    if (window == nullptr || window->isTreeView()) {
        return;
    }
    TextPane& pane = window->pane();
    const long start = pane.SendScintilla(TextPane::SCI_GETSELECTIONSTART);
    const long end = pane.SendScintilla(TextPane::SCI_GETSELECTIONEND);
    const int lineFrom = pane.fileLineAt(start);
    int lineTo = end > start ? pane.fileLineAt(end) : lineFrom;
    if (lineTo > lineFrom && pane.positionOfFileLine(lineTo) == end) {
        --lineTo;  // a selection that ends at the start of a line leaves it out
    }
    const graphic::PlotTables& tables = m_graph->tables();
    const bool holes = kind == ProgramWindow::Kind::Holes;
    const auto [from, to] =
        graphic::recordsOfLines(holes ? tables.holeLines : tables.pathLines,
                                static_cast<std::uint32_t>(std::max(lineFrom, 0)),
                                static_cast<std::uint32_t>(std::max(lineTo, 0)));
    // A few hundred thousand lit elements show the place as well as all.
    constexpr int kMostLit = 200000;
    std::vector<int> lit;
    for (int k = from; k < to && k - from < kMostLit; ++k) {
        lit.push_back(k);
    }
    m_graph->setTraced(holes ? graphic::extractElements(tables, {}, lit)
                             : graphic::extractElements(tables, lit));
}

void MDIMarlit::MnuDiff_Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("比較するプログラム");
    request.filter = QStringLiteral("全てのﾌｧｲﾙ(*.*)|*.*");
    const auto path = m_owner.dialogs().openFile(this, request);
    if (!path) {
        return;
    }
    CommandGuard guard(m_owner.dialogs(), this);
    guard.run({}, [&] {
        compareWith(text::paneSnapshot(readFileBytesOrThrow(*path)), QFileInfo(*path).fileName());
    });
}

void MDIMarlit::compareWith(const std::string& bytes, const QString& name) {
    graphic::PlotTables second;
    graphic::scanPlotTables(second, {std::nullopt, bytes});
    for (graphic::LayerSlot& slot : second.layers) {
        slot.visible = true;
    }
    const graphic::PlotTables& first = m_graph->tables();
    const graphic::ProgramDiff diff = graphic::diffPrograms(first, second);
    graphic::PlotTables marked = graphic::extractElements(first, diff.onlyInA);
    const graphic::PlotTables onlyInB = graphic::extractElements(second, diff.onlyInB);
    // Both programs' lone elements in one table, each after its own rapid move.
    for (const graphic::PathRow& row : onlyInB.paths) {
        marked.paths.push_back(row);
        marked.paths.back().layer = 0;
    }
    marked.PathCount = static_cast<int>(marked.paths.size()) - 1;
    m_graph->setComparison(std::move(second), std::move(marked));
    m_status->setText(
        diff.firstLineA
            ? QStringLiteral("%1 : 最初の相違 %2 行目 (比較先 %3 行目)  片方のみ %4 / %5")
                  .arg(name)
                  .arg(*diff.firstLineA)
                  .arg(*diff.firstLineB)
                  .arg(diff.onlyInA.size())
                  .arg(diff.onlyInB.size())
            : QStringLiteral("%1 : 相違はありません").arg(name));
    if (diff.firstLineA && m_tracing) {
        if (ProgramWindow* window = findProgramWindow(m_owner, ProgramWindow::Kind::Gcode)) {
            const int line = static_cast<int>(*diff.firstLineA) - 1;
            window->pane().SendScintilla(
                TextPane::SCI_GOTOPOS,
                static_cast<unsigned long>(window->pane().positionOfFileLine(line)));
        }
    }
}

void MDIMarlit::MnuDiffEnd_Click() {
    m_graph->setComparison(std::nullopt, std::nullopt);
}

void MDIMarlit::MnuDataDel_Click() {
    m_graph->startDataDelete();
}

void MDIMarlit::onLengthPick(float x, float y, bool takeBack) {
    if (m_lengthWindow == nullptr || !action("MnuLenge")->isChecked()) {
        return;
    }
    const auto mode = m_graph->CommandState() == CvGrph::kPickContour
                          ? graphic::PickMode::Continuous
                          : graphic::PickMode::Single;
    if (graphic::pickForLength(m_graph->tables(), m_graph->SelectedLength, x, y, mode, takeBack)) {
        m_graph->GrSub();
    }
    m_lengthWindow->showTotal();
}

void MDIMarlit::onPointSnapped(float x, float y) {
    if (m_checkWindow != nullptr) {
        m_checkWindow->showPoint(x, y, m_graph->lastSegment);
    }
}

void MDIMarlit::unloadToolWindows() {
    unload(m_layerWindow);
    unload(m_checkWindow);
    if (m_lengthWindow != nullptr) {
        m_lengthWindow->Form_Unload();
        m_lengthWindow->deleteLater();
        m_lengthWindow = nullptr;
    }
}

}  // namespace talmir
