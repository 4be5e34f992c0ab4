#pragma once
// The graphic frame (caption "グラフィック"): hosts the plot CvGrph with the menus,
// three tool bars and the coordinate label in a band strip, and the pop-up menu
// of the plot. It opens maximised over the editor and the G-code window, which
// stay hidden while it is open; closing it offers to write the drawn outlines of
// wide layers back as G-code and shows those windows again.
//
// One frame at a time: MDIMarlit::open(editor) creates it or brings the open one
// forward. Entries whose work is not built yet are shown disabled.

#include "core/app/BandLayout.h"
#include "core/graphic/Canvas.h"
#include "gui/base/BandStrip.h"
#include "gui/windows/ProgramWindow.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QToolBar;

namespace talmir {

class AptFrm;
class CheckFrm;
class CvGrph;
class EditFrm;
class LairFrm;
class Leng_Frm;
class PrintPanel;
struct GraphTools;

// The scale or move panel of the frame and its two execute buttons: [0] for the
// hole data, [1] for the G-code.
struct TransformPanel {
    QWidget* panel = nullptr;
    std::array<QPushButton*, 2> run{};
};

inline constexpr app::BandKeys kGraphBandKeys{"TLB1", "TLB2", "TLB3", "PCT1"};

class MDIMarlit : public QMainWindow {
    Q_OBJECT
public:
    explicit MDIMarlit(EditFrm& owner);
    ~MDIMarlit() override;

    // The open frame of `owner`, or null.
    static MDIMarlit* find(EditFrm& owner);
    // Shows the plot of the editor's plot tables, fitted: a new frame over the
    // editor and its G-code window, or the one already open.
    static MDIMarlit& open(EditFrm& owner);
    // The same for a plot loaded straight into the tables, whose text no program
    // window holds: the transforms change the plot only, and closing writes
    // nothing back into a window and shows only the windows that were visible.
    static MDIMarlit& openWithoutSource(EditFrm& owner);

    CvGrph& graph() { return *m_graph; }
    PrintPanel& printPanel() { return *m_printPanel; }
    QPrinter& printer() { return *m_printer; }
    QLabel& statusLabel() { return *m_status; }
    QMenu& popupMenu() { return *m_popup; }
    // A menu entry, pop-up entry or tool button by handler name ("MnuXYLine",
    // "MnuCircleOrLine1", "Popup_Home", "Toolbar_ZOOM").
    QAction* action(std::string_view handler) const;
    QMenu* menu(std::string_view name) const;  // "MnuNc", "MnuG"
    QToolBar* band(std::string_view key) const { return m_bands.band(key); }
    app::BandLayout bandLayout() const { return m_bands.layout(); }

    // Measurement text colour (0x00BBGGRR).
    graphic::Colour measureTextColour = graphic::kRed;

    // Image files of the plot (MDIMarlitImages.cpp).
    void MnuBmpSave_Click();
    void MnuSaveJpg_Click();
    // Printing (MDIMarlitPrint.cpp): the panel, the paper box that follows the
    // mouse, and the page printed under it.
    void MnuPrint_Click();
    void MnuPrintSet_Click();
    void Cmdclose_Click();
    // Prints the part of the plot under the paper box whose top-left corner is
    // (x, y); false when the printer could not be started (reported).
    bool PrintOut(float x, float y);
    // Transforms of the G-code (MDIMarlitTransforms.cpp): mirror in X (0), in Y
    // (1) or swap the axes (2); the scale and move panels and their "実行".
    void GMirr(int index);
    // The same three on the hole data.
    void NcMirr(int index);
    // "移動..." and "倍率変換..." of the ＮＣデータ menu (hole data) and of the Ｇコード
    // menu: the panel with the execute button of that data.
    void MnuMove_Click() { showMovePanel(0); }
    void MnuRate_Click() { showScalePanel(0); }
    void MnuGMove_Click() { showMovePanel(1); }
    void MnuGRate_Click() { showScalePanel(1); }
    void Command2_Click(int index);
    void Command3_Click(int index);
    QWidget& scalePanel() { return *m_scalePanel; }
    QWidget& movePanel() { return *m_movePanel; }
    QLineEdit& scaleFactor() { return *m_scaleFactor; }
    QLineEdit& moveX() { return *m_moveX; }
    QLineEdit& moveY() { return *m_moveY; }
    // The execute button of `index` (0 hole data, 1 G-code) of each panel.
    QPushButton& scaleRun(int index) { return *m_scale.run.at(static_cast<std::size_t>(index)); }
    QPushButton& moveRun(int index) { return *m_move.run.at(static_cast<std::size_t>(index)); }
    void MnuExit_Click();
    void MnuClipSave_Click();
    void MnuBackColor_Click();
    void MnuSunpouColor_Click();
    void MnuXYLine_Click();
    void MnuG00_Click();
    void MnuCircleOrLine_Click(int index);
    void Toolbar_ButtonClick(const QString& key);

    // The tools (MDIMarlitTools.cpp): the docked layer window and coordinate
    // check, the perimeter window, the line-width table editor and the
    // data-delete mode. The menu entries and the tool-bar toggles show and hide
    // the docked windows together.
    void MnuLaiyr_Click();
    void MnuCheckWindow_Click();
    void MnuLenge_Click();
    void MnuApSizuSave_Click();
    void MnuDataDel_Click();
    // "プログラム統計...": the statistics of the programs the plot was made from.
    void MnuStats_Click();
    // "トレース": the program windows stay over the plot; a click on a drawn
    // element selects its line there, and the lines selected there are lit on
    // the plot.
    void MnuTrace_Click();
    void setTracing(bool on);
    // A drawn element clicked at (x, y) while tracing.
    void traceClick(float x, float y);
    // The lines selected in the program window of `kind` lit on the plot.
    void traceSelection(ProgramWindow::Kind kind);
    // "比較するプログラム...": a second G-code file drawn over the plot, the
    // elements only in one of the two marked, the first differing line shown.
    void MnuDiff_Click();
    // Compares with the program `bytes` (named `name` in the status line).
    void compareWith(const std::string& bytes, const QString& name);
    void MnuDiffEnd_Click();
    QLabel& summaryLabel() { return *m_summary; }
    void setLayerWindowOpen(bool open);
    void setCheckWindowOpen(bool open);
    void setLengthWindowOpen(bool open);
    // The open windows, or null.
    LairFrm* layerWindow() const { return m_layerWindow; }
    CheckFrm* checkWindow() const { return m_checkWindow; }
    Leng_Frm* lengthWindow() const { return m_lengthWindow; }
    GraphTools tools() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildBands();
    QAction* addItem(QMenu* menu, const QString& caption, const std::string& handler,
                     void (MDIMarlit::*slot)() = nullptr);
    void Form_Load();
    // The closing sequence; false when the user chose to stay.
    bool Form_QueryUnload();
    void enableMenus();
    void setMenusEnabled(bool enabled);
    void onCommandEnded();
    void applyPage();
    void buildTransformPanels(QWidget* body);
    void showMovePanel(int index);
    void showScalePanel(int index);
    // The G-code window's text rewritten by `rewrite`, then the plot fitted.
    template <typename Rewrite>
    void rewriteGcode(Rewrite&& rewrite);
    // The same for the hole-data window's text.
    template <typename Rewrite>
    void rewriteHoles(Rewrite&& rewrite);
    // Step 3 of the closing: tool diameters changed in the frame into the hole data.
    void writeBackToolWidths();
    void onLengthPick(float x, float y, bool takeBack);
    void onPointSnapped(float x, float y);
    // Step 5 of the closing: the tool windows' settings stored, the windows gone.
    void unloadToolWindows();

    EditFrm& m_owner;
    CvGrph* m_graph = nullptr;
    PrintPanel* m_printPanel = nullptr;
    QWidget* m_scalePanel = nullptr;
    QWidget* m_movePanel = nullptr;
    TransformPanel m_scale;
    TransformPanel m_move;
    QLineEdit* m_scaleFactor = nullptr;
    QLineEdit* m_moveX = nullptr;
    QLineEdit* m_moveY = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    QLabel* m_status = nullptr;
    QLabel* m_summary = nullptr;  // lengths of the plotted program
    bool m_tracing = false;
    std::vector<QMetaObject::Connection> m_traceLinks;
    QMenu* m_popup = nullptr;
    BandStrip m_bands{*this};
    std::map<std::string, QAction*, std::less<>> m_actions;
    std::map<std::string, QMenu*, std::less<>> m_menus;
    bool m_gcodeWindowWasVisible = false;
    bool m_holeWindowWasVisible = false;
    std::vector<float> m_widthsAtOpen;  // layer widths as the scan left them
    LairFrm* m_layerWindow = nullptr;
    CheckFrm* m_checkWindow = nullptr;
    Leng_Frm* m_lengthWindow = nullptr;
    bool m_unloaded = false;
    bool m_hasSource = true;  // the plot was scanned from the program windows
};

}  // namespace talmir
