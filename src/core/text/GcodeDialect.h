#pragma once
// G-code as other CAM systems and controllers write it, read the way this program
// writes its own. Other programs write word letters in lower case ("g1 x1.5 y2"),
// G words without the leading zero ("G1", "G2"), blanks, line numbers
// ("N0140 G01 Y149.6432"), comments in parentheses, and modal motion: a line that
// holds only coordinates ("Y10.", "X5.Y2.") moves with the last motion word.
// This program's own lines ("G01X10.0Y5.0", every motion line with its word) are
// read exactly as they are.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talmir::text {

// Follows a program field by field (a line, or an item between commas) and tells
// which motion each field makes.
class GcodeMotionReader {
public:
    // The motion code (0, 1, 2, 3 or 81) `field` moves with, or -1 for a field that
    // is no motion (a section line, a tool change, "G90", a comment). A field that
    // starts with this program's own motion word ("G00" to "G03", "G81") is that
    // motion. Otherwise its words are read in either case outside comments: the
    // first G word of value 0 to 3 or 81 ("G1", "g01", "G17 G2"); else, after a
    // motion field, a field of only X, Y, Z, I, J, K, R, F and N words with at least
    // one X, Y, Z, I or J is the last motion again. A G80 ends a drilling cycle and
    // the motion in force. When `own` is given and the field is a motion that is not
    // in this program's own form, it receives the field so written: the motion word
    // ("G01", "G81") first, then every other word but G and N words, upper case,
    // without blanks and comments ("g1 x1.5 y2" gives "G01X1.5Y2"); X and Y come
    // first, and one that the field does not give is the last X or Y read (so
    // "Y10." after "G01X5.Y2." gives "G01X5.Y10."); an arc in the XZ or YZ plane
    // (G18, G19) is written as a G01 without its I, J, K and R.
    int read(std::string_view field, std::string* own = nullptr);

    // After a motion field: whether it named X or Y (a field of this program's own
    // form always counts as moving).
    bool movesInXy() const { return m_movesInXy; }

private:
    struct Word {
        char letter;  // upper case
        std::string_view number;
    };
    bool readWords(std::string_view field);
    bool coordinatesOnly() const;
    void writeOwn(int code, std::string& own) const;
    void rememberPosition(std::string_view x, std::string_view y, bool own);
    void rememberWords();

    int m_modal = -1;
    // An arc outside the XY plane (after G18 or G19) is written as the straight
    // move of its XY projection, from its start to its end.
    bool m_xyPlane = true;
    std::vector<Word> m_words;  // of the field being read; kept to save allocations
    // The number texts of the last X and Y (views into the text being read).
    std::string_view m_lastX;
    std::string_view m_lastY;
    bool m_movesInXy = false;
};

// What ownGcode does with a rewritten G01 that moves only in Z (or not at all):
// the plot keeps it as a move that stays where it is; the exports, which draw in
// XY, leave it out (with its line end when it is the whole line, with its comma
// when a field follows), so that a plunge does not become a point. Rapids stay:
// they draw nothing, and the Gerber export needs one.
enum class StillMoves { Keep, LeaveOut };

// `gcode` with every motion field written in this program's own form (see
// GcodeMotionReader) and every other byte as it was: lines, commas and other
// fields stay where they are. nullopt when nothing needs rewriting, which is the
// case for this program's own G-code. Lines holding a '"' are left as they are.
std::optional<std::string> ownGcode(std::string_view gcode, StillMoves still = StillMoves::Keep);

}  // namespace talmir::text
