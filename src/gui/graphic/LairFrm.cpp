#include "gui/graphic/LairFrm.h"

#include "core/app/ShellKeys.h"
#include "core/graphic/LineWidthTable.h"
#include "core/text/NumberPicture.h"
#include "core/text/ShiftJis.h"
#include "gui/base/AppIcon.h"
#include "gui/base/Dialogs.h"
#include "gui/graphic/AptFrm.h"
#include "gui/graphic/CvGrph.h"
#include "render/QPainterCanvas.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace talmir {

namespace {

constexpr const char* kOpenPicture = "##0.000";
constexpr const char* kEditPicture = "0.000";
const QColor kOffColour = QPainterCanvas::toQColor(graphic::kRed);
const QColor kOnColour = Qt::black;

}  // namespace

LairFrm::LairFrm(const GraphTools& tools, QWidget* parent)
    : QDockWidget(QStringLiteral("レイヤー"), parent), m_tools(tools) {
    setObjectName(QStringLiteral("LairFrm"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar(body);
    bar->setObjectName(QStringLiteral("Toolbar1"));
    for (const char* key : {"OPEN", "SAVE"}) {
        QAction* act = bar->addAction(QLatin1String(key));
        act->setObjectName(QLatin1String(key));
        act->setToolTip(QLatin1String(key) == QLatin1String("OPEN")
                            ? QStringLiteral("線幅設定ファイルの読み込み")
                            : QStringLiteral("描画線幅の保存"));
        const QString k = QLatin1String(key);
        connect(act, &QAction::triggered, this, [this, k] { Toolbar_ButtonClick(k); });
    }
    layout->addWidget(bar);
    m_grid = new QTableWidget(0, 4, body);
    m_grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->verticalHeader()->hide();
    m_grid->setWordWrap(false);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    layout->addWidget(m_grid);
    setWidget(body);
    connect(m_grid, &QTableWidget::cellClicked, this, &LairFrm::MSFlexGrid1_Click);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &LairFrm::headerClick);
    Form_Load();
}

LairFrm::~LairFrm() = default;

void LairFrm::Form_Load() {
    graphic::PlotTables& tables = m_tools.graph.tables();
    int rows = 0;
    for (int layer = 0; layer < graphic::kScannedLayers; ++layer) {
        graphic::LayerSlot& slot = tables.layers[static_cast<std::size_t>(layer)];
        if (!slot.name.empty()) {
            slot.visible = true;
            rows = layer + 1;
        }
    }
    const app::SettingsStore& store = m_tools.settings;
    const auto section = app::kTalmirSection;
    // The width was always written as "LairWidth"; "Lairwidth" is read when only
    // that spelling is stored.
    const double width =
        store.getNumber(section, "LairWidth", store.getNumber(section, "Lairwidth", 4000));
    resize(storedPixels(store, section, "LairWidth", width),
           storedPixels(store, section, "LairHeight", 4000));
    move(storedPixels(store, section, "LairLeft", 0), storedPixels(store, section, "LairTop", 0));
    const double columnTwips[4] = {1000, 600, 600, 600};
    for (int column = 0; column < 4; ++column) {
        const std::string key = "Gridwidth" + std::to_string(column);
        m_grid->setColumnWidth(column, storedPixels(store, section, key, columnTwips[column]));
    }
    m_grid->setHorizontalHeaderLabels({QStringLiteral("画層名"), QStringLiteral("サイズ"),
                                       QStringLiteral("色"), QStringLiteral("表示")});
    m_grid->setRowCount(rows);
    for (int layer = 0; layer < rows; ++layer) {
        showRow(layer, kOpenPicture);
    }
    fitNarrowColumns(*m_grid);
}

void LairFrm::Form_Unload() {
    app::SettingsStore& store = m_tools.settings;
    const auto section = app::kTalmirSection;
    storeBounds(store, section, "Lair", *this);
    for (int column = 0; column < 4; ++column) {
        storePixels(store, section, "Gridwidth" + std::to_string(column),
                    m_grid->columnWidth(column));
    }
}

void LairFrm::showRow(int layer, const char* sizePicture) {
    const graphic::LayerSlot& slot = m_tools.graph.tables().layers[static_cast<std::size_t>(layer)];
    if (slot.name.empty()) {
        for (int column = 0; column < 4; ++column) {
            *gridCell(*m_grid, layer, column) = QTableWidgetItem();
        }
        return;
    }
    gridCell(*m_grid, layer, 0)->setText(QString::fromStdString(text::shiftJisToUtf8(slot.name)));
    gridCell(*m_grid, layer, 1)
        ->setText(QString::fromStdString(text::formatPicture(slot.width, sizePicture)));
    paintColourCell(*gridCell(*m_grid, layer, 2), m_tools.graph.colours().layer(layer));
    showDisplayCell(layer);
}

void LairFrm::showDisplayCell(int layer) {
    const bool visible = m_tools.graph.tables().layers[static_cast<std::size_t>(layer)].visible;
    QTableWidgetItem* item = gridCell(*m_grid, layer, 3);
    item->setText(visible ? QStringLiteral("ON") : QStringLiteral("OFF"));
    item->setBackground(visible ? kOnColour : kOffColour);
    item->setForeground(Qt::white);
}

void LairFrm::refreshRows() {
    for (int layer = 0; layer < m_grid->rowCount(); ++layer) {
        showRow(layer, kEditPicture);
    }
}

void LairFrm::MSFlexGrid1_Click(int layer, int column) {
    if (layer < 0 || layer >= m_grid->rowCount() || layer >= graphic::kScannedLayers) {
        return;
    }
    graphic::LayerSlot& slot = m_tools.graph.tables().layers[static_cast<std::size_t>(layer)];
    if (slot.name.empty()) {
        return;
    }
    if (column == 3) {
        slot.visible = !slot.visible;
        showDisplayCell(layer);
    } else if (column == 2) {
        graphic::ColourTable& colours = m_tools.graph.colours();
        const auto chosen =
            m_tools.dialogs.color(this, QPainterCanvas::toQColor(colours.layer(layer)));
        if (!chosen) {
            return;
        }
        graphic::Colour colour = QPainterCanvas::fromQColor(*chosen);
        // Pure black is stored as 1: a layer colour never equals the value 0.
        colours.entries[static_cast<std::size_t>(layer) + 1] = colour == 0 ? 1 : colour;
        paintColourCell(*gridCell(*m_grid, layer, 2), colours.layer(layer));
    } else if (column == 1) {
        QTableWidgetItem* item = gridCell(*m_grid, layer, 1);
        const QString typed = m_tools.dialogs.inputLine(this, item->text());
        const auto size = graphic::drawingSize(typed.toStdString());
        if (!size) {
            m_tools.dialogs.message(this, QStringLiteral("サイズの値が大きすぎます : ") + typed,
                                    QString(), MessageIcon::Warning);
            return;
        }
        slot.width = *size;
        item->setText(QString::fromStdString(text::formatPicture(slot.width, kEditPicture)));
        item->setBackground(slot.width != 0 ? kOffColour : kOnColour);
        item->setForeground(Qt::white);
    } else {
        return;
    }
    m_tools.graph.GrSub();
}

void LairFrm::headerClick(int column) {
    if (column != 3) {
        return;
    }
    graphic::PlotTables& tables = m_tools.graph.tables();
    for (int layer = 0; layer < m_grid->rowCount(); ++layer) {
        graphic::LayerSlot& slot = tables.layers[static_cast<std::size_t>(layer)];
        if (slot.name.empty()) {
            continue;  // a row that shows neither ON nor OFF
        }
        slot.visible = !slot.visible;
        showDisplayCell(layer);
    }
    m_tools.graph.GrSub();
}

void LairFrm::Toolbar_ButtonClick(const QString& key) {
    if (key == QLatin1String("OPEN")) {
        AptLoadFrm loader(
            m_tools,
            [this] {
                refreshRows();
                m_tools.graph.GrSub();
            },
            this);
        loader.exec();
    } else if (key == QLatin1String("SAVE")) {
        std::vector<graphic::WidthRecord> rows;
        for (int layer = 0; layer < m_grid->rowCount(); ++layer) {
            const QTableWidgetItem* name = m_grid->item(layer, 0);
            if (name == nullptr || name->text().isEmpty()) {
                break;  // the rows up to the first one with no name
            }
            graphic::WidthRecord record;
            record.name = text::utf8ToShiftJis(name->text().toStdString());
            record.size = m_grid->item(layer, 1)->text().toStdString();
            record.colour = cellColour(*m_grid->item(layer, 2));
            rows.push_back(std::move(record));
        }
        AptFrm editor(m_tools, this);
        editor.fillFromLayers(rows);
        editor.exec();
    }
}

}  // namespace talmir
