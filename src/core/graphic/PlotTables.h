#pragma once
// The plot tables: the layer table, the hole point list and the path record list
// that the graphic window draws from and the exports write from. One object,
// owned by the application and handed by reference to whoever reads or edits it.
//
// Every number is single precision on purpose: the drawing, the measurements and
// the G-code written back from the tables all show values rounded through float.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace talmir::graphic {

// Slots 0 to 255 are filled by the scanner; slot 256 is only cleared by it and is
// left to the lists that borrow the name column.
inline constexpr int kLayerSlots = 257;
inline constexpr int kScannedLayers = 256;

struct LayerSlot {
    std::string name;  // tool code or section line; empty = free slot
    float width = 0;   // hole diameter, or track width of a G-code layer (0 as scanned)
    bool visible = false;
    std::string textSlot;  // the last hole line read for this tool
};

// One hole. Both layer columns hold a layer index (as a float, like every column);
// the scanner writes the same value into both.
struct HoleRow {
    float x = 0;
    float y = 0;
    float sizeLayer = 0;    // selects the diameter
    float colourLayer = 0;  // selects colour and visibility
};

// One path record: end point, arc centre offset from the start point, G number
// (0, 1, 2, 3 or 81), layer index in force and the measurement's selection mark.
struct PathRow {
    float x = 0;
    float y = 0;
    float i = 0;
    float j = 0;
    float g = 0;
    float layer = 0;
    float mark = 0;
};

struct PlotTables {
    std::array<LayerSlot, kLayerSlots> layers;

    // Rows 0 to HoleCount and 0 to PathCount are in use; -1 means empty. The
    // vectors hold exactly the rows in use (capacity is reserved by the scanner).
    // The counts are plain ints: a float count would stop growing at 2^24 rows.
    std::vector<HoleRow> holes;
    std::vector<PathRow> paths;
    int HoleCount = -1;
    int PathCount = -1;
    // The 0-based line of the scanned text each path record and each hole was
    // read from (the G-code text and the hole-data text), for the trace between
    // the plot and the windows and for the F words of the statistics.
    std::vector<std::uint32_t> pathLines;
    std::vector<std::uint32_t> holeLines;

    // Scanner state carried between scans: the layer in force, and the last X and
    // Y read from G-code (used by layer-change records).
    std::int16_t CurrentTool = 0;
    float lastX = 0;
    float lastY = 0;

    // Empties both lists (counts -1) and clears names and widths of every layer
    // slot; visible flags and text slots keep their values.
    void reset();
};

}  // namespace talmir::graphic
