#pragma once
// The line-width tables of the folder "apt/": the editor "描画線幅の編集"
// (AptFrm), which loads, edits, saves and deletes a table, and the loader
// "線幅設定ファイルの読み込み" (AptLoadFrm), which applies a table's sizes and
// colours to the layers of the same name.

#include "core/graphic/LineWidthTable.h"
#include "gui/graphic/GraphTools.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace talmir {

class AptFrm : public QDialog {
    Q_OBJECT
public:
    AptFrm(const GraphTools& tools, QWidget* parent);

    // The grid emptied and filled with `rows` under the header "画層名" (the
    // layer window's "SAVE").
    void fillFromLayers(const std::vector<graphic::WidthRecord>& rows);
    // The grid's rows with a name, as table records.
    std::vector<graphic::WidthRecord> records() const;

    QTableWidget& grid() { return *m_grid; }
    QListWidget& fileList() { return *m_files; }
    QLineEdit& fileName() { return *m_fileName; }
    QLineEdit& cellEdit() { return *m_cellEdit; }

    void Command_Load();    // "読み込み"
    void Command_Save();    // "保存"
    void Command_Delete();  // "削除"
    void MSFlexGrid1_Click(int row, int column);

private:
    void setHeaders(const QString& nameHeader);
    void fillRows(const std::vector<graphic::WidthRecord>& rows);
    void cellEdited(const QString& text);
    // The selected table's path in the folder; empty for an empty name, and empty
    // (reported) when the name cannot be a file there.
    QString tablePath(const QString& name);

    GraphTools m_tools;
    QTableWidget* m_grid = nullptr;
    QListWidget* m_files = nullptr;
    QLineEdit* m_fileName = nullptr;
    QLineEdit* m_cellEdit = nullptr;
    int m_row = -1;
    int m_column = -1;
};

class AptLoadFrm : public QDialog {
    Q_OBJECT
public:
    // `applied` runs once a table was applied to the layers.
    AptLoadFrm(const GraphTools& tools, std::function<void()> applied, QWidget* parent);

    QListWidget& fileList() { return *m_files; }
    void Command_Load();  // "読み込み"

private:
    GraphTools m_tools;
    std::function<void()> m_applied;
    QListWidget* m_files = nullptr;
};

// The records of a table file of the folder; a file that cannot be read fails
// (thrown, for a guarded command).
std::vector<graphic::WidthRecord> readTableFile(const QString& path);

}  // namespace talmir
