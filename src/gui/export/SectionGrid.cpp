#include "gui/export/SectionGrid.h"

#include "core/text/NumericValue.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPoint>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>
#include <memory>

namespace talmir {

namespace {

// Every column wide enough for its head and cells, a long section line cut at a
// readable width (the whole line shows as the cell's tip), and the grid as wide
// as its columns, so that no column hides behind a scroll bar.
void fitColumns(QTableWidget& grid) {
    constexpr int kLongestName = 260;
    constexpr int kNarrowest = 64;
    grid.resizeColumnsToContents();
    int width = grid.verticalHeader()->sizeHint().width() + 2 * grid.frameWidth() +
                grid.verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < grid.columnCount(); ++column) {
        const int fitted = grid.columnWidth(column);
        grid.setColumnWidth(
            column, column == 0 ? std::min(fitted, kLongestName) : std::max(fitted, kNarrowest));
        width += grid.columnWidth(column);
    }
    for (int row = 0; row < grid.rowCount(); ++row) {
        grid.item(row, 0)->setToolTip(grid.item(row, 0)->text());
    }
    grid.setMinimumWidth(width);
}

}  // namespace

SectionGrid makeSectionGrid(QWidget* parent, const QStringList& sections,
                            const SectionGridColumns& columns) {
    SectionGrid made;
    made.grid = new QTableWidget(static_cast<int>(sections.size()),
                                 static_cast<int>(columns.heads.size()), parent);
    made.grid->setHorizontalHeaderLabels(columns.heads);
    made.grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    made.grid->setSelectionMode(QAbstractItemView::SingleSelection);
    made.grid->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < sections.size(); ++row) {
        made.grid->setItem(row, 0, new QTableWidgetItem(sections[row]));
        for (int column = 1; column < columns.heads.size(); ++column) {
            made.grid->setItem(row, column,
                               new QTableWidgetItem(columns.defaults.value(column - 1)));
        }
    }
    fitColumns(*made.grid);
    made.editor = new QLineEdit(parent);
    made.editor->setAccessibleName(QStringLiteral("セルの値"));
    made.editor->setEnabled(false);

    // The cell the edit box writes to; none until a cell is clicked.
    auto edited = std::make_shared<QPoint>(-1, -1);
    QTableWidget* grid = made.grid;
    QLineEdit* editor = made.editor;
    QObject::connect(grid, &QTableWidget::cellClicked, grid,
                     [grid, editor, edited, clicked = columns.clicked](int row, int column) {
                         const bool takes = clicked(*grid, row, column);
                         *edited = takes ? QPoint(column, row) : QPoint(-1, -1);
                         editor->setEnabled(takes);
                         if (takes) {
                             editor->setText(grid->item(row, column)->text());
                             editor->setFocus();
                             editor->selectAll();
                         }
                     });
    QObject::connect(
        editor, &QLineEdit::textEdited, grid,
        [grid, edited, format = columns.format](const QString& typed) {
            if (edited->y() >= 0 && edited->y() < grid->rowCount()) {
                grid->item(edited->y(), edited->x())->setText(format(edited->x(), typed));
            }
        });
    return made;
}

double cellNumber(const QTableWidget& grid, int row, int column) {
    const QTableWidgetItem* item = grid.item(row, column);
    return item == nullptr ? 0.0 : text::numericValue(item->text().toStdString());
}

}  // namespace talmir
