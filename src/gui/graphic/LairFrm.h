#pragma once
// The layer window "レイヤー", docked at the left of the graphic frame: one grid
// row per layer slot in use with its name ("画層名"), drawing size ("サイズ"),
// colour ("色") and visibility ("表示"). Every change acts on the plot tables and
// the colour table at once and redraws the plot. Its tool bar opens the loader
// of line-width tables ("OPEN") and the table editor filled from the grid
// ("SAVE").

#include "gui/graphic/GraphTools.h"

#include <QDockWidget>

class QTableWidget;

namespace talmir {

class LairFrm : public QDockWidget {
    Q_OBJECT
public:
    LairFrm(const GraphTools& tools, QWidget* parent);
    ~LairFrm() override;

    // Every named layer visible again, the geometry restored, the grid filled.
    void Form_Load();
    // The geometry into the store.
    void Form_Unload();

    QTableWidget& grid() { return *m_grid; }
    // A click on the cell of layer `layer` (a grid row) in column `column`.
    void MSFlexGrid1_Click(int layer, int column);
    // A click on the header of `column`: the display column toggles every row.
    void headerClick(int column);
    void Toolbar_ButtonClick(const QString& key);
    // The row of every layer shown again from the tables (after a table was
    // applied).
    void refreshRows();

private:
    void showRow(int layer, const char* sizePicture);
    void showDisplayCell(int layer);

    GraphTools m_tools;
    QTableWidget* m_grid = nullptr;
};

}  // namespace talmir
