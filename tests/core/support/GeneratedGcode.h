#pragma once
// A generated milling program for the tests and benchmarks that need many lines of
// G-code: a tool comment now and then, rapids, feeds, arcs both ways and drilling
// positions, CR LF line ends. The shape says how the lines vary.

#include <cstddef>
#include <string>

namespace talmir::testing {

struct GcodeShape {
    // The kinds of line repeat every `round` lines: the first is a rapid, the fourth
    // a clockwise arc, the sixth a counter-clockwise one, the eighth a drilling
    // position when `holes`; the others are feeds.
    std::size_t round = 8;
    bool holes = true;
    // The whole millimetres of X and Y: line % xWhole and line * 7 % yWhole.
    std::size_t xWhole = 997;
    std::size_t yWhole = 991;
    // A comment "(Tn)" before every `toolEvery`-th line, n = line / toolEvery % tools.
    std::size_t toolEvery = 5000;
    std::size_t tools = 200;
    // The words of the counter-clockwise arc after "G03", from X and Y.
    std::string (*ccwArc)(const std::string& x, const std::string& y) =
        [](const std::string& x, const std::string& y) { return "X" + x + "Y" + y + "I-1.5J0.75"; };
};

inline std::string generatedGcode(std::size_t lines, const GcodeShape& shape = {}) {
    std::string g;
    g.reserve(lines * 28);
    for (std::size_t i = 0; i < lines; ++i) {
        const std::string x = std::to_string(i % shape.xWhole) + "." + std::to_string(i % 1000);
        const std::string y =
            std::to_string((i * 7) % shape.yWhole) + "." + std::to_string(i % 100);
        switch (i % shape.round) {
            case 0:
                if (i % shape.toolEvery == 0) {
                    g += "(T" + std::to_string(i / shape.toolEvery % shape.tools) + ")\r\n";
                }
                g += "G00X" + x + "Y" + y;
                break;
            case 3:
                g += "G02X" + x + "Y" + y + "I2.5J-1.25";
                break;
            case 5:
                g += "G03" + shape.ccwArc(x, y);
                break;
            case 7:
                g += (shape.holes ? "G81X" : "G01X") + x + "Y" + y;
                break;
            default:
                g += "G01X" + x + "Y" + y;
                break;
        }
        g += "\r\n";
    }
    return g;
}

}  // namespace talmir::testing
