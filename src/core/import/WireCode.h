#pragma once
// The codes of a wire-cut program line as every wire conversion reads them:
// comments left out and double-byte text blanked, words found by their letter and
// number ("G01" is the G word 1, so G10 is not G1 and G22 is not G2).
//
//     G42G01X10.Y5.(P1)    reads as "G42G01X10.Y5."

#include <cstddef>
#include <string>
#include <string_view>

namespace talmir::importers::wire {

// The codes of `line`: every comment taken out (from "(" to the next ")", or to
// the end of the line when it is not closed) and every double-byte character
// turned into a blank, so that its second byte never reads as a letter ("ス" is
// 0x83 0x58, and 0x58 is "X"). The view is `line` itself when nothing had to go,
// else the text kept in `buffer`.
std::string_view codeOf(std::string_view line, std::string& buffer);

inline bool has(std::string_view code, std::string_view text) {
    return code.find(text) != std::string_view::npos;
}

// Calls `visit(number)` for each word of `letter` that has digits after it, in
// the order of the line ("G90G01" gives 90, then 1). A number too long for any
// code saturates.
template <class Visit>
void forEachWord(std::string_view code, char letter, Visit&& visit) {
    constexpr int kSaturated = 1'000'000;
    for (std::size_t at = code.find(letter); at != std::string_view::npos;
         at = code.find(letter, at + 1)) {
        std::size_t i = at + 1;
        int number = 0;
        for (; i < code.size() && code[i] >= '0' && code[i] <= '9'; ++i) {
            number = number >= kSaturated ? kSaturated : number * 10 + (code[i] - '0');
        }
        if (i > at + 1) {
            visit(number);
        }
    }
}

// True when `code` has the word `letter` with the number `number`.
inline bool hasWord(std::string_view code, char letter, int number) {
    bool found = false;
    forEachWord(code, letter, [&](int n) { found = found || n == number; });
    return found;
}

// The characters right after the letter at `at` that are among `allowed`.
inline std::string_view numberText(std::string_view code, std::size_t at,
                                   std::string_view allowed = "0123456789.-+") {
    const std::string_view rest = code.substr(at + 1);
    return rest.substr(0, rest.find_first_not_of(allowed));
}

// The origin a G92 line sets: "G92X5.Y3." calls the point where the wire stands
// (5, 3), so a later X10. lies 5 mm to the right of that point.
struct Origin {
    float atX = 0;  // where the wire stood at the G92 line
    float atY = 0;
    float calledX = 0;  // what the G92 line called that point
    float calledY = 0;

    float x(float word) const { return atX + (word - calledX); }
    float y(float word) const { return atY + (word - calledY); }
};

// The millimetres of a number of the translator: as written with a decimal point,
// thousandths without one (X1000 and X1.0 are both 1 mm), the thousandths rounded
// to eight decimals as the program always did. No number reads as 0.
float wireMillimetres(std::string_view number);

}  // namespace talmir::importers::wire
