#pragma once
// GrSub: the redraw of the plot from the plot tables onto a canvas, rebuilding the
// pick list on the way; MOTOZU: fit the view to the data, then redraw.

#include "core/graphic/Canvas.h"
#include "core/graphic/ColourTable.h"
#include "core/graphic/PickList.h"
#include "core/graphic/PlotTables.h"
#include "core/graphic/PlotView.h"

#include <functional>

namespace talmir::graphic {

struct DrawOptions {
    bool drawPaths = true;        // tool-bar toggle "G"
    bool drawHoles = true;        // tool-bar toggle "NC"
    bool referenceLines = false;  // "基準線": dash-dot red axes through the origin
    bool showG00 = false;         // "移動ライン(G00)": rapid moves as dash-dot lines
    bool arcsAsLines = false;     // "円弧を直線コードで作画"
    bool printPreview = false;    // the print panel is showing: white paper
    bool blackInk = false;        // ... and its ink "黒" is chosen
    int CommandState = 0;         // the window's interaction state
    // Drawn over what the canvas holds (a second program, highlights): no
    // clearing, no reference lines.
    bool overlay = false;
    // Called every 100 records so the window can let events run; not called
    // while CommandState is 9000 or more.
    std::function<void()> yield;
};

// Clears the canvas and draws, in order: the reference lines, the path records,
// the holes. Hidden layers are skipped, records and holes whose points are not
// finite numbers are passed over, and a layer index outside 0 to 255 ends the
// redraw at that record. Returns the CommandState after the redraw: from 8000 up
// the pen is left in not-XOR mode for the rubber band, and from 9000 up the state
// becomes 9001.
int GrSub(Canvas& canvas, const PlotTables& tables, const ColourTable& colours,
          const PlotView& view, const DrawOptions& options, PickList& picks);

// Fits the view to the data and redraws; returns what GrSub returns.
int MOTOZU(Canvas& canvas, const PlotTables& tables, const ColourTable& colours, PlotView& view,
           const DrawOptions& options, PickList& picks);

// Upper bound of the chords of one arc drawn as lines: a chord shorter than a
// pixel shows nothing, so an arc never needs more chords than the pixels along
// it, and never more than this however far the view is zoomed in.
inline constexpr int kMaxChordsPerArc = 65536;

}  // namespace talmir::graphic
