// The graphic frame's tools: the layer window and the coordinate check docked at
// the left of the plot, the perimeter window, the line-width table editor and
// the data-delete mode.
#include "core/graphic/Measure.h"
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
