#pragma once
// The graphic window's drawing surface: the plot of the program-wide plot tables,
// drawn by GrSub into an image the size of the surface and shown from it, and
// the view commands of GrphCmd (fit, zoom, pan, move and zoom modes) reached by
// the frame's tool bars, its pop-up menu, the keys, the mouse and the wheel.
// A left click snaps to the nearest plotted point and marks it with a red dot;
// the red dots stay until the next redraw, as every figure drawn on the plot does.

#include "core/graphic/ColourTable.h"
#include "core/graphic/GrSub.h"
#include "core/graphic/PickList.h"
#include "core/graphic/PlotTables.h"
#include "core/graphic/PlotView.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QWidget>

#include <optional>

namespace talmir {

class Dialogs;

class CvGrph : public QWidget {
    Q_OBJECT
public:
    // The interaction states the window is in.
    static constexpr int kIdle = 0;
    static constexpr int kZoomMode = 708;
    static constexpr int kMoveMode = 709;
    // "データの削除" of the hole data: the mode is entered and ended, nothing more.
    static constexpr int kDataDelete = 1320;
    // The perimeter tool's crosshair follows the mouse and a click picks an
    // element (one, or its whole contour); the same while the surface does not
    // have the focus.
    static constexpr int kPickSingle = 8000;
    static constexpr int kPickContour = 8100;
    static constexpr int kPickSingleAway = 8001;
    static constexpr int kPickContourAway = 8101;
    // The paper box of a print follows the mouse; the same while the surface
    // does not have the focus (the box is not shown then).
    static constexpr int kPaperBox = 9000;
    static constexpr int kPaperBoxAway = 9001;

    // `appDir` (ending in "/") holds "LAYER.RGB" and the cursor files "move.ico"
    // and "zoom.ico".
    CvGrph(graphic::PlotTables& tables, Dialogs& dialogs, QString appDir,
           QWidget* parent = nullptr);

    // Colours to their defaults, then "LAYER.RGB" over them; state idle.
    void Form_Load();

    // The view commands: 0 end the current command, 1 fit, 2 zoom in, 3 zoom out,
    // 4 to 7 pan up, down, left, right, 8 move mode, 9 zoom mode.
    void GrphCmd(int command);
    // Clears and redraws everything from the plot tables.
    void GrSub();
    // Fits the view to the data and redraws.
    void MOTOZU();
    // Ends whatever command is running: menus enabled again, cross cursor, idle
    // state, redraw.
    void ComandCange();

    // The view options of the frame's "表示" menu and tool bars.
    graphic::DrawOptions& options() { return m_options; }
    graphic::ColourTable& colours() { return m_colours; }
    graphic::PlotView& view() { return m_view; }
    const graphic::PickList& picks() const { return m_picks; }
    graphic::PlotTables& tables() { return m_tables; }
    int CommandState() const { return m_options.CommandState; }

    // What the last redraw put on the surface (red dots included).
    const QImage& image() const { return m_image; }
    // The world window of the last redraw; empty before the first one.
    const std::optional<graphic::WorldWindow>& worldWindow() const { return m_window; }
    // The world point under pixel `at` of the surface (the last redraw's window).
    std::optional<graphic::WorldPoint> toWorld(QPointF at) const;
    // The pixel of world point `at`.
    QPointF toPixel(graphic::WorldPoint at) const;

    float CursorX = 0;
    float CursorY = 0;
    float LastPickX = 0;
    float LastPickY = 0;
    // Where the paper box was last drawn, and its size in world units.
    float RubberX = 0;
    float RubberY = 0;
    float RubberBoxWidth = 0;
    float RubberBoxHeight = 0;

    // Enters the paper-box state (the box shows once the surface has the focus).
    void startPaperBox();
    // Enters a crosshair state of the perimeter tool (kPickSingleAway or
    // kPickContourAway; the crosshair shows once the surface has the focus).
    void startPicking(int awayState);
    // "データの削除": the data-delete state, not-XOR pen, redrawn.
    void startDataDelete();

    // A second program drawn over the plot in one colour, and elements of
    // either marked (the comparison of two programs); none: no comparison.
    void setComparison(std::optional<graphic::PlotTables> second,
                       std::optional<graphic::PlotTables> marked);
    bool comparing() const { return m_second.has_value(); }
    // Elements shown highlighted over the plot as it stands, without drawing
    // it anew (the trace); an empty table: none.
    void setTraced(graphic::PlotTables traced);
    static constexpr graphic::Colour kCompareColour = 0xFF00FF;  // magenta
    static constexpr graphic::Colour kMarkColour = 0x00FFFF;     // yellow
    static constexpr graphic::Colour kTraceColour = 0xFFFF00;    // cyan
    // World units of `pixels` of the surface at the last redraw.
    double worldOfPixels(double pixels) const;

    // The perimeter tool's running total of the highlighted elements' lengths.
    float SelectedLength = 0;
    // The coordinate check is on: a snapped point is labelled with its X and Y
    // in `labelColour`.
    bool labelSnaps = false;
    graphic::Colour labelColour = graphic::kRed;
    // The figure that follows the mouse comes back with the focus, and goes with it.
    void gotFocus();
    void lostFocus();
    // The segment from the previous snapped point to the last one.
    graphic::SegmentMeasure lastSegment;

signals:
    // "X12.5 Y-3.0" for the frame's status label.
    void cursorMoved(const QString& label);
    // A right click at `globalPos`: the frame shows its pop-up menu.
    void popupRequested(const QPoint& globalPos);
    // A command ended: the frame enables its menus again.
    void commandEnded();
    // A click snapped to a plotted point.
    void pointSnapped(float x, float y);
    // A click with the paper box at (x, y), the paper's top-left corner.
    void printRequested(float x, float y);
    // A left click in the idle state at (x, y), before it snaps.
    void plotClicked(float x, float y);
    // A click of the perimeter tool at (x, y); `takeBack` when Shift was held.
    void lengthPickRequested(float x, float y, bool takeBack);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Runs `body`; a run-time error becomes the warning box titled `title`.
    template <typename Body>
    void guarded(const QString& title, Body&& body);
    void clickInMode(QPointF at);
    void snapClick(QPointF at);
    void yieldToEvents();
    QCursor modeCursor(const char* fileName, bool zoom) const;
    // Inverts the outline of the paper box at (RubberX, RubberY): drawn twice it
    // is gone.
    void invertPaperBox();
    // Inverts the full-window crosshair through (RubberX, RubberY).
    void invertCrosshair();
    bool crosshairState() const;
    void labelSnap(float x, float y);
    // Draws `tables` over the image in `colour`.
    void drawOverlay(const graphic::PlotTables& tables, graphic::Colour colour);

    graphic::PlotTables& m_tables;
    Dialogs& m_dialogs;
    QString m_appDir;
    graphic::ColourTable m_colours;
    graphic::PlotView m_view;
    graphic::PickList m_picks;
    graphic::DrawOptions m_options;
    QImage m_image;
    std::optional<graphic::WorldWindow> m_window;

    bool m_drawing = false;      // a redraw is under way (events may run inside it)
    bool m_redrawAgain = false;  // ... and another was asked for meanwhile
    bool m_crosshairShown = false;
    std::optional<graphic::PlotTables> m_second;
    std::optional<graphic::PlotTables> m_marked;
    graphic::PlotTables m_traced;
    QImage m_base;  // the last redraw without the trace
    graphic::PickList m_overlayPicks;
    QElapsedTimer m_sinceYield;
};

}  // namespace talmir
