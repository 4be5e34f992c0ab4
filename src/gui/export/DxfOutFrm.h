#pragma once
// The colour dialog of the G-code to DXF export ("DXFの色設定"): one grid row per
// section layer, each with its colour number. "全色出力" numbers the rows 1 to 7 in
// turn, "同一色" gives every row the common colour. The choice and the common colour
// are remembered as "DxfOption" and "DxfColor".

#include <QDialog>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace talmir {

namespace app {
class SettingsStore;
}

class DxfOutFrm : public QDialog {
public:
    DxfOutFrm(app::SettingsStore& settings, const QStringList& layers, QWidget* parent = nullptr);

    // The colour column after "実行" (row 1 first; an empty cell gives 0); no value
    // after "ｷｬﾝｾﾙ" or when the dialog was closed otherwise.
    const std::optional<std::vector<double>>& colours() const { return m_colours; }

    QTableWidget& grid() { return *m_grid; }
    QRadioButton& option(int index) { return *m_options.at(static_cast<std::size_t>(index)); }
    QLineEdit& commonColour() { return *m_common; }
    QLineEdit& cellEditor() { return *m_cellEditor; }
    QPushButton& command(int index) { return *m_commands.at(static_cast<std::size_t>(index)); }

    // 0: "全色出力", 1: "同一色". Rewrites the colour column and remembers the choice.
    void Option1_Click(int index);
    // 0: "実行", 1: "ｷｬﾝｾﾙ".
    void Command1_Click(int index);

private:
    void Form_Load();
    void applyColouring(int index);
    void commonColourChanged();
    void cellClicked(int row, int column);
    void cellEdited();

    app::SettingsStore& m_settings;
    QTableWidget* m_grid = nullptr;
    std::array<QRadioButton*, 2> m_options{};
    QLineEdit* m_common = nullptr;
    QLineEdit* m_cellEditor = nullptr;
    std::array<QPushButton*, 2> m_commands{};
    int m_editedRow = -1;
    std::optional<std::vector<double>> m_colours;
};

}  // namespace talmir
