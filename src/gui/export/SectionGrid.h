#pragma once
// The dialogs of the G81 commands: one grid row per drilling section, the
// section's name in the first column, an edit box under the grid and "変換" under
// that. Clicking a cell puts its text into the edit box; what is typed there is
// written back into that cell the way the dialog formats its column. "変換" closes
// the dialog with the rows read as the dialog reads them.

#include "gui/base/OptionsDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace talmir {

struct SectionGridColumns {
    QStringList heads;     // "名称" first
    QStringList defaults;  // the cells of every row after the name
    // A click on a cell: true when the edit box takes it (the dialog may instead
    // change the cell itself, as the shape toggle does).
    std::function<bool(QTableWidget& grid, int row, int column)> clicked;
    // The cell text of what was typed into the edit box for `column`.
    std::function<QString(int column, const QString& typed)> format;
};

struct SectionGrid {
    QTableWidget* grid = nullptr;
    QLineEdit* editor = nullptr;
};

// The grid and its edit box as children of `parent`; laying them out is the caller's.
SectionGrid makeSectionGrid(QWidget* parent, const QStringList& sections,
                            const SectionGridColumns& columns);

// The number a cell holds, read as the program reads numbers (no number reads as 0).
double cellNumber(const QTableWidget& grid, int row, int column);

// Closes with one `Row` per grid row.
template <typename Row>
class SectionGridDialog : public OptionsDialog<std::vector<Row>> {
public:
    QTableWidget& grid() { return *m_grid; }
    const QTableWidget& grid() const { return *m_grid; }
    QLineEdit& cellEditor() { return *m_cellEditor; }
    QPushButton& convertButton() { return *m_convert; }

    // "変換".
    void Command1_Click() {
        std::vector<Row> rows;
        rows.reserve(static_cast<std::size_t>(m_grid->rowCount()));
        for (int row = 0; row < m_grid->rowCount(); ++row) {
            rows.push_back(readRow(row));
        }
        this->execute(std::move(rows));
    }

protected:
    SectionGridDialog(const QString& caption, const QStringList& sections,
                      const SectionGridColumns& columns, QWidget* parent)
        : OptionsDialog<std::vector<Row>>(caption, parent) {
        const SectionGrid made = makeSectionGrid(this, sections, columns);
        m_grid = made.grid;
        m_cellEditor = made.editor;
        this->body().addWidget(m_grid, 1);
        this->body().addWidget(m_cellEditor);
        m_convert = new QPushButton(QStringLiteral("変換"), this);
        QObject::connect(m_convert, &QPushButton::clicked, this, [this] { Command1_Click(); });
        this->addToRow(m_convert);
    }

    // The options of grid row `row` as the grid holds them.
    virtual Row readRow(int row) const = 0;

private:
    QTableWidget* m_grid = nullptr;
    QLineEdit* m_cellEditor = nullptr;
    QPushButton* m_convert = nullptr;
};

}  // namespace talmir
