#include "core/graphic/Transforms.h"

#include "core/text/CommaFields.h"
#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <cstdio>
#include <utility>

namespace talmir::graphic {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool isArc(int g) {
    return g == 2 || g == 3;
}

bool isMotion(int g) {
    return g == 0 || g == 1 || g == 2 || g == 3 || g == 81;
}

// The number after the first `letter` of `item`, or `previous` when there is none.
double wordValue(std::string_view item, char letter, double previous) {
    const auto at = item.find(letter);
    return at == std::string_view::npos ? previous : text::numericValue(item.substr(at + 1));
}

// The words of the last motion item, carried to items that lack some.
struct Words {
    double x = 0;
    double y = 0;
    double i = 0;
    double j = 0;

    void read(std::string_view item) {
        x = wordValue(item, 'X', x);
        y = wordValue(item, 'Y', y);
        i = wordValue(item, 'I', i);
        j = wordValue(item, 'J', j);
    }
};

int swappedArc(int g) {
    return g == 2 ? 3 : g == 3 ? 2 : g;
}

void writeMotion(std::string& out, int g, const Words& w, std::string_view picture) {
    out += 'G';
    out += text::formatPicture(g, "00");
    out += 'X';
    out += text::formatPicture(w.x, picture);
    out += 'Y';
    out += text::formatPicture(w.y, picture);
    if (isArc(g)) {
        out += 'I';
        out += text::formatPicture(w.i, picture);
        out += 'J';
        out += text::formatPicture(w.j, picture);
    }
    out += kCrLf;
}

// Reads `text` item by item; `rebuild` writes an item it takes and returns
// true, other non-empty items are copied.
template <typename Rebuild>
std::string rewriteItems(std::string_view text, Rebuild&& rebuild) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    text::CommaFieldReader items(text);
    std::string_view item;
    while (items.next(item)) {
        if (item.empty()) {
            continue;
        }
        if (!rebuild(item, out)) {
            out += item;
            out += kCrLf;
        }
    }
    return out;
}

// Reads `text` line by line; lines holding "X" or "Y" go to `rebuild` with their
// X and Y (0 for a missing letter), other non-empty lines are copied.
template <typename Rebuild>
std::string rewriteHoleLines(std::string_view text, Rebuild&& rebuild) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    text::LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        if (line.empty()) {
            continue;
        }
        if (line.find('X') == std::string_view::npos && line.find('Y') == std::string_view::npos) {
            out += line;
            out += kCrLf;
            continue;
        }
        rebuild(wordValue(line, 'X', 0), wordValue(line, 'Y', 0), out);
        out += kCrLf;
    }
    return out;
}

void writeHole(std::string& out, double x, double y, std::string_view picture) {
    out += 'X';
    out += text::formatPicture(x, picture);
    out += 'Y';
    out += text::formatPicture(y, picture);
}

bool startsWithMotionWord(std::string_view item) {
    for (std::string_view word : {"G00", "G01", "G02", "G03", "G81"}) {
        if (item.substr(0, 3) == word) {
            return true;
        }
    }
    return false;
}

// The G number of an item that carries a "G", or -1.
int motionNumber(std::string_view item) {
    const auto at = item.find('G');
    // A "G" not followed by a digit ("(GROOVE)") is no G word.
    if (at == std::string_view::npos || at + 1 >= item.size() || item[at + 1] < '0' ||
        item[at + 1] > '9') {
        return -1;
    }
    const double g = text::numericValue(item.substr(at + 1));
    return g == 0 || g == 1 || g == 2 || g == 3 || g == 81 ? static_cast<int>(g) : -1;
}

}  // namespace

void mirrorPaths(PlotTables& tables, Mirror mirror) {
    for (PathRow& row : tables.paths) {
        switch (mirror) {
            case Mirror::X:
                row.x = -row.x;
                row.i = -row.i;
                break;
            case Mirror::Y:
                row.y = -row.y;
                row.j = -row.j;
                break;
            case Mirror::SwapAxes:
                std::swap(row.x, row.y);
                std::swap(row.i, row.j);
                break;
        }
        if (row.g == 2) {
            row.g = 3;
        } else if (row.g == 3) {
            row.g = 2;
        }
    }
}

std::string mirrorGcodeText(std::string_view text, Mirror mirror) {
    const double fx = mirror == Mirror::X ? -1 : 1;
    const double fy = mirror == Mirror::Y ? -1 : 1;
    Words last;
    return rewriteItems(text, [&](std::string_view item, std::string& out) {
        if (!startsWithMotionWord(item)) {
            return false;
        }
        const int g = static_cast<int>(text::numericValue(item.substr(1)));
        // Carried values are the ones read, before any mirroring.
        last.read(item);
        Words w{last.x * fx, last.y * fy, last.i * fx, last.j * fy};
        if (mirror == Mirror::SwapAxes) {
            std::swap(w.x, w.y);
            std::swap(w.i, w.j);
        }
        writeMotion(out, swappedArc(g), w, "####0.0######");
        return true;
    });
}

void scalePaths(PlotTables& tables, float k) {
    for (PathRow& row : tables.paths) {
        row.x *= k;
        row.y *= k;
        row.i *= k;
        row.j *= k;
    }
}

std::string scaleGcodeText(std::string_view text, double k) {
    Words last;
    return rewriteItems(text, [&](std::string_view item, std::string& out) {
        const int g = motionNumber(item);
        if (!isMotion(g)) {
            return false;
        }
        last.read(item);
        writeMotion(out, g, Words{last.x * k, last.y * k, last.i * k, last.j * k}, "#####0.0###");
        return true;
    });
}

void movePaths(PlotTables& tables, float dx, float dy) {
    for (PathRow& row : tables.paths) {
        row.x += dx;
        row.y += dy;
    }
}

std::string moveGcodeText(std::string_view text, double dx, double dy) {
    Words last;
    return rewriteItems(text, [&](std::string_view item, std::string& out) {
        const int g = motionNumber(item);
        if (!isMotion(g)) {
            return false;
        }
        last.read(item);
        writeMotion(out, g, Words{last.x + dx, last.y + dy, last.i, last.j}, "#####0.0####");
        return true;
    });
}

void mirrorHoles(PlotTables& tables, Mirror mirror) {
    for (HoleRow& row : tables.holes) {
        switch (mirror) {
            case Mirror::X:
                row.x = -row.x;
                break;
            case Mirror::Y:
                row.y = -row.y;
                break;
            case Mirror::SwapAxes:
                std::swap(row.x, row.y);
                break;
        }
    }
}

std::string mirrorHoleText(std::string_view text, Mirror mirror) {
    return rewriteHoleLines(text, [mirror](double x, double y, std::string& out) {
        if (mirror == Mirror::X) {
            x = -x;
        } else if (mirror == Mirror::Y) {
            y = -y;
        } else {
            std::swap(x, y);
        }
        writeHole(out, x, y, "####0.0#######");
    });
}

void scaleHoles(PlotTables& tables, float k) {
    for (HoleRow& row : tables.holes) {
        row.x *= k;
        row.y *= k;
    }
}

std::string scaleHoleText(std::string_view text, double k) {
    return rewriteHoleLines(text, [k](double x, double y, std::string& out) {
        writeHole(out, x * k, y * k, "#####0.0###");
    });
}

void moveHoles(PlotTables& tables, float dx, float dy) {
    for (HoleRow& row : tables.holes) {
        row.x += dx;
        row.y += dy;
    }
}

std::string moveHoleText(std::string_view text, double dx, double dy) {
    return rewriteHoleLines(text, [dx, dy](double x, double y, std::string& out) {
        out += 'X';
        out += singleText(static_cast<float>(x + dx));
        out += 'Y';
        out += singleText(static_cast<float>(y + dy));
    });
}

std::string singleText(float value) {
    if (value == 0) {
        return "0";  // never "-0"
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(value));
    std::string textForm(buf);
    // "1.5E+07" keeps two exponent digits as written; "1.500000E+07" loses its
    // trailing zeros before the exponent.
    const auto e = textForm.find('E');
    std::string mantissa = textForm.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0') {
            mantissa.pop_back();
        }
        if (mantissa.back() == '.') {
            mantissa.pop_back();
        }
    }
    return e == std::string::npos ? mantissa : mantissa + textForm.substr(e);
}

}  // namespace talmir::graphic
