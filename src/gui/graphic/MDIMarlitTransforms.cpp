// Mirror, axis swap, scale and move of the plotted G-code and hole data from the
// graphic frame: the plot tables and the program window's text change together,
// then the plot is fitted again.
#include "core/graphic/Transforms.h"
#include "core/text/Lines.h"
#include "core/text/NumericValue.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/OptionsDialog.h"
#include "gui/base/TextPane.h"
#include "gui/graphic/CvGrph.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/ProgramWindow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace talmir {

namespace {

// A panel of number boxes with two execute buttons "実行", the hole-data one
// (`runHoles`) and the G-code one (`runGcode`), of which the menu that opens the
// panel shows one, and "ｷｬﾝｾﾙ", which hides the panel.
TransformPanel makePanel(QWidget* parent, const QString& title, const char* name,
                         const std::vector<std::pair<QString, QLineEdit*>>& fields,
                         std::function<void()> runHoles, std::function<void()> runGcode) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(new QLabel(title, panel));
    auto* form = new QFormLayout();
    for (const auto& [label, box] : fields) {
        box->setParent(panel);
        form->addRow(label, box);
    }
    layout->addLayout(form);
    const RunCancelButtons buttons =
        runCancelButtons(panel, std::move(runGcode), [panel] { panel->hide(); });
    auto* holes = new QPushButton(buttons.run->text(), panel);
    QObject::connect(holes, &QPushButton::clicked, holes, std::move(runHoles));
    layout->addWidget(holes);
    layout->addWidget(buttons.run);
    layout->addWidget(buttons.cancel);
    layout->addStretch(1);
    panel->hide();
    return TransformPanel{panel, {holes, buttons.run}};
}

// Shows `panel` with the execute button of `index` (0 hole data, 1 G-code).
void front(const TransformPanel& panel, int index) {
    panel.run[0]->setVisible(index == 0);
    panel.run[1]->setVisible(index == 1);
    panel.panel->show();
}

double boxValue(const QLineEdit& box) {
    return text::numericValue(box.text().toStdString());
}

}  // namespace

void MDIMarlit::buildTransformPanels(QWidget* body) {
    m_scaleFactor = new QLineEdit(QStringLiteral("1.0"));
    m_scale = makePanel(
        body, QStringLiteral("倍率変換"), "ScalePanel", {{QStringLiteral("倍率="), m_scaleFactor}},
        [this] { Command2_Click(0); }, [this] { Command2_Click(1); });
    m_scalePanel = m_scale.panel;

    m_moveX = new QLineEdit(QStringLiteral("0.0"));
    m_moveY = new QLineEdit(QStringLiteral("0.0"));
    m_move = makePanel(
        body, QStringLiteral("ﾃﾞｰﾀ移動"), "MovePanel",
        {{QStringLiteral("X"), m_moveX}, {QStringLiteral("Y"), m_moveY}},
        [this] { Command3_Click(0); }, [this] { Command3_Click(1); });
    m_movePanel = m_move.panel;
}

template <typename Rewrite>
void MDIMarlit::rewriteGcode(Rewrite&& rewrite) {
    CommandGuard guard(m_owner.dialogs(), this);
    guard.run({}, [&] {
        // A plot whose text no window holds changes alone.
        if (!m_hasSource) {
            return;
        }
        ProgramWindow& gcode = programWindow(m_owner, ProgramWindow::Kind::Gcode);
        // The whole program is rewritten, not the one node a tree view shows.
        if (!gcode.TextOrTree(0)) {
            return;
        }
        // The whole new text is made before the window gets it: a failure leaves
        // the window's text as it was.
        std::string program = rewrite(gcode.snapshot());
        gcode.pane().setShiftJis(program);
    });
    m_graph->GrphCmd(1);
}

template <typename Rewrite>
void MDIMarlit::rewriteHoles(Rewrite&& rewrite) {
    CommandGuard guard(m_owner.dialogs(), this);
    guard.run({}, [&] {
        if (!m_hasSource) {
            return;
        }
        ProgramWindow& holes = programWindow(m_owner, ProgramWindow::Kind::Holes);
        // The whole text is rewritten, not the one tool a tree view shows.
        if (!holes.TextOrTree(0)) {
            return;
        }
        std::string data = rewrite(holes.snapshot());
        holes.pane().setShiftJis(data);
    });
    m_graph->GrphCmd(1);
}

void MDIMarlit::NcMirr(int index) {
    graphic::PlotTables& tables = m_owner.plotTables();
    if (tables.HoleCount == -1 || index < 0 || index > 2) {
        return;
    }
    const auto mirror = static_cast<graphic::Mirror>(index);
    graphic::mirrorHoles(tables, mirror);
    rewriteHoles(
        [mirror](std::string_view holes) { return graphic::mirrorHoleText(holes, mirror); });
}

void MDIMarlit::GMirr(int index) {
    graphic::PlotTables& tables = m_owner.plotTables();
    if (tables.PathCount == -1 || index < 0 || index > 2) {
        return;
    }
    const auto mirror = static_cast<graphic::Mirror>(index);
    graphic::mirrorPaths(tables, mirror);
    rewriteGcode(
        [mirror](std::string_view program) { return graphic::mirrorGcodeText(program, mirror); });
}

void MDIMarlit::showMovePanel(int index) {
    m_scalePanel->hide();
    front(m_move, index);
    m_moveX->setFocus();
}

void MDIMarlit::showScalePanel(int index) {
    m_movePanel->hide();
    front(m_scale, index);
    m_scaleFactor->setFocus();
}

void MDIMarlit::Command2_Click(int index) {
    graphic::PlotTables& tables = m_owner.plotTables();
    const double k = boxValue(*m_scaleFactor);
    if (index == 0 && tables.HoleCount != -1) {
        graphic::scaleHoles(tables, static_cast<float>(k));
        m_scalePanel->hide();
        rewriteHoles([k](std::string_view holes) { return graphic::scaleHoleText(holes, k); });
        return;
    }
    if (index != 1 || tables.PathCount == -1) {
        return;
    }
    graphic::scalePaths(tables, static_cast<float>(k));
    m_scalePanel->hide();
    rewriteGcode([k](std::string_view program) { return graphic::scaleGcodeText(program, k); });
}

void MDIMarlit::Command3_Click(int index) {
    graphic::PlotTables& tables = m_owner.plotTables();
    const double dx = boxValue(*m_moveX);
    const double dy = boxValue(*m_moveY);
    if (index == 0 && tables.HoleCount != -1) {
        graphic::moveHoles(tables, static_cast<float>(dx), static_cast<float>(dy));
        m_movePanel->hide();
        rewriteHoles(
            [dx, dy](std::string_view holes) { return graphic::moveHoleText(holes, dx, dy); });
        return;
    }
    if (index != 1 || tables.PathCount == -1) {
        return;
    }
    graphic::movePaths(tables, static_cast<float>(dx), static_cast<float>(dy));
    m_movePanel->hide();
    rewriteGcode(
        [dx, dy](std::string_view program) { return graphic::moveGcodeText(program, dx, dy); });
}

}  // namespace talmir
