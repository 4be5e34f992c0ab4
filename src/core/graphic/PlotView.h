#pragma once
// The view of the plot: the region of interest, the world window derived from it
// for a surface of a given size, and the view commands (fit, zoom, pan, wheel,
// centring on a click, snapping a click to the nearest plotted point). Plain
// values and functions: the window only forwards its events here.

#include "core/graphic/Canvas.h"
#include "core/graphic/PickList.h"
#include "core/graphic/PlotTables.h"

#include <optional>
#include <string>

namespace talmir::graphic {

// Single precision, as the window keeps it. Top is the larger Y.
struct PlotView {
    float ViewWidth = 0;
    float ViewHeight = 0;
    float ViewLeft = 0;
    float ViewRight = 0;
    float ViewTop = 0;
    float ViewBottom = 0;
    float ViewCentreX = 0;
    float ViewCentreY = 0;
    float ChordStep = 3;  // arc subdivision step in world units
};

// Fits the region of interest to the data (the fit of MOTOZU, without the
// redraw): the bounds of the holes and of the path end points (path row 0, the
// layer-change record, counts only when it is the only row), full circles
// widened to their extent, a margin of 5 on each side, ChordStep 3. Points that
// are not finite numbers are passed over. With no data at all the old bounds
// just widen by 5 on each side.
void fitView(PlotView& view, const PlotTables& tables);

// The world window shown on a surface of widthPx x heightPx pixels: the region
// of interest, widened in X or in Y to the surface's aspect ratio. Empty when the
// view is not a finite positive area (nothing can be drawn then).
std::optional<WorldWindow> worldWindow(const PlotView& view, int widthPx, int heightPx);

// Recomputes the bounds from the centre and the size.
void boundsFromCentre(PlotView& view);

// Zoom in by 2 (refused, returning false, once ChordStep <= 0.01 or
// ViewWidth <= 2) and out by 2 (no limit), about the unchanged centre.
bool zoomIn(PlotView& view);
void zoomOut(PlotView& view);

// One wheel step: direction >= 0 zooms in by 0.8 under the zoom-in guard, a
// negative one out by 1.2. The two factors are not inverse, so steps forward and
// back do not return to the same view. Returns whether the view changed.
bool wheelStep(PlotView& view, int direction);

enum class PanDirection { Up, Down, Left, Right };
// Moves the view by 0.3 of its size.
void pan(PlotView& view, PanDirection direction);

// Moves the region so that (x, y) becomes its centre, keeping its size.
void centreOn(PlotView& view, float x, float y);

// The view commands 1 to 7 of the window's dispatcher (fit, zoom in, zoom out,
// pan up, down, left, right). Returns false for other numbers and for a refused
// zoom; true when the view should be redrawn.
bool viewCommand(PlotView& view, const PlotTables& tables, int command);

// The pick row nearest to (x, y) among rows 1 to PickCount that lie strictly
// within `chordStep` of it in X and in Y and at a distance below `chordStep`.
// Of rows at the same distance the first wins. Empty when none is near enough.
std::optional<int> snapToPick(const PickList& picks, double x, double y, float chordStep);

// The segment from the previous snapped point to the new one.
struct SegmentMeasure {
    double dx = 0;
    double dy = 0;
    double midX = 0;
    double midY = 0;
    double length = 0;
    double angleDeg = 0;  // atan(dy / dx) in degrees, -90 to 90; 90 when dx = 0
};
SegmentMeasure measureSegment(double fromX, double fromY, double toX, double toY);

// The status label under the mouse: "X12.5 Y-3.0" ("###0.0###").
std::string cursorLabel(double x, double y);

}  // namespace talmir::graphic
