#include "core/import/DxfCirclesToHoles.h"

#include "core/Pieces.h"
#include "core/import/DxfPairReader.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"
#include "core/text/ShiftJis.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <unordered_map>
#include <vector>

namespace talmir::importers {

namespace {

const text::NumberPicture kCoordinate("####0.0###");
const text::NumberPicture kDiameter("###0.0###");
const text::NumberPicture kToolNumber("#00");

struct Circle {
    float x;
    float y;
    std::size_t slot;
};

struct Slot {
    std::string_view layer;
    float diameter;
};

float single(double value) {
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) {
        throwOverflow();
    }
    return static_cast<float>(value);
}

// Each circle as it is read, instead of the list of them.
using CircleVisit = std::function<void(const Circle&)>;

class CircleReader {
public:
    CircleReader(std::string_view text, const DxfCircleOptions& options)
        : m_reader(text), m_options(options) {}
    // Reading a file as it goes: `visit` takes the circles.
    CircleReader(InputBytes& input, const DxfCircleOptions& options, CircleVisit visit)
        : m_input(&input), m_reader(input.bytes()), m_options(options), m_visit(std::move(visit)) {}

    // Reads the circles of the ENTITIES section; false when there is none.
    void run() {
        if (!findEntities()) {
            return;
        }
        if (!step()) {
            throwPastEnd();
        }
        for (;;) {
            if (m_reader.isCode("0")) {
                const std::string_view name = m_reader.value();
                if (name == "ENDSEC" || name == "EOF") {
                    return;
                }
                if (name == "CIRCLE") {
                    readCircle();
                    continue;
                }
            }
            if (!step()) {
                throwPastEnd();
            }
        }
    }

    const std::vector<Circle>& circles() const { return m_circles; }
    const std::vector<Slot>& slots() const { return m_slots; }

private:
    bool step() {
        if (m_options.progress && (++m_steps & 0xFFF) == 0) {
            m_options.progress();
        }
        if (m_input != nullptr) {
            m_input->readTo(m_reader.position());
        }
        return m_reader.next();
    }

    // Up to the "0"/"SECTION", "2"/"ENTITIES" pairs; false at "0"/"EOF" or the end.
    bool findEntities() {
        bool section = false;
        while (step()) {
            if (section && m_reader.isCode("2") && m_reader.value() == "ENTITIES") {
                return true;
            }
            if (m_reader.isCode("0") && m_reader.value() == "EOF") {
                return false;
            }
            section = m_reader.isCode("0") && m_reader.value() == "SECTION";
        }
        return false;
    }

    // The current pair is "0"/"CIRCLE"; returns with the next "0" pair current.
    void readCircle() {
        std::string_view layer;
        double x = 0;
        double y = 0;
        double radius = 0;
        for (;;) {
            if (!step()) {
                throwPastEnd();
            }
            const std::string_view code = m_reader.code();
            if (code == "0") {
                break;
            }
            if (code == "8") {
                layer = m_reader.rawValue();
            } else if (code == "10") {
                x = dxfNumber(m_reader.value());
            } else if (code == "20") {
                y = dxfNumber(m_reader.value());
            } else if (code == "40") {
                radius = dxfNumber(m_reader.value());
            }
        }
        const std::size_t slot = slotOf(layer);
        m_slots[slot].diameter = single(radius * 2);
        const Circle circle{single(x), single(y), slot};
        if (m_visit) {
            m_visit(circle);
        } else {
            m_circles.push_back(circle);
        }
        if (m_options.circles != nullptr) {
            std::string& out = *m_options.circles;
            kCoordinate.append(out, circle.x);
            out.push_back(',');
            kCoordinate.append(out, circle.y);
            out.push_back(',');
            kCoordinate.append(out, m_slots[slot].diameter);
            out.push_back(',');
            out.append(layer);
            out.append("\r\n");
        }
    }

    std::size_t slotOf(std::string_view layer) {
        const auto found = m_numbers.find(layer);
        if (found != m_numbers.end()) {
            return found->second;
        }
        if (m_slots.size() >= kMaxHoleLayers) {
            throw Failure::message(
                "円のある画層が100を超えるため、穴データに変換できません（101番目の画層: " +
                text::shiftJisToUtf8(layer) + "）");
        }
        m_numbers.emplace(layer, m_slots.size());
        m_slots.push_back({layer, 0});
        return m_slots.size() - 1;
    }

    InputBytes* m_input = nullptr;
    DxfPairReader m_reader;
    const DxfCircleOptions& m_options;
    CircleVisit m_visit;
    std::size_t m_steps = 0;
    std::vector<Circle> m_circles;
    std::vector<Slot> m_slots;
    std::unordered_map<std::string_view, std::size_t> m_numbers;
};

void appendTool(std::string& out, std::size_t slot) {
    out.push_back('T');
    kToolNumber.append(out, static_cast<double>(slot + 1));
}

void appendHole(std::string& out, const Circle& c) {
    out.push_back('X');
    kCoordinate.append(out, c.x);
    out.push_back('Y');
    kCoordinate.append(out, c.y);
    out.append("\r\n");
}

// The tool table: tool, "C", diameter.
void appendTools(std::string& out, const std::vector<Slot>& slots) {
    for (std::size_t k = 0; k < slots.size(); ++k) {
        appendTool(out, k);
        out.push_back('C');
        kDiameter.append(out, slots[k].diameter);
        out.append("\r\n");
    }
}

std::string holeText(const std::vector<Circle>& circles, const std::vector<Slot>& slots) {
    std::string out;
    out.reserve(circles.size() * 24 + slots.size() * 32);
    appendTools(out, slots);
    // The circles of each layer in drawing order: a counting sort by slot.
    std::vector<std::size_t> start(slots.size() + 1, 0);
    for (const Circle& c : circles) {
        ++start[c.slot + 1];
    }
    for (std::size_t k = 1; k < start.size(); ++k) {
        start[k] += start[k - 1];
    }
    std::vector<std::size_t> order(circles.size());
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < circles.size(); ++i) {
        order[next[circles[i].slot]++] = i;
    }
    for (std::size_t k = 0; k < slots.size(); ++k) {
        appendTool(out, k);
        out.append("\r\n");
        for (std::size_t at = start[k]; at < start[k + 1]; ++at) {
            appendHole(out, circles[order[at]]);
        }
    }
    return out;
}

// The holes of each tool go to their own place in the output, in pieces of
// about this size.
constexpr std::size_t kToolPieceSize = std::size_t{1} << 16;

// The hole data of a file read twice: the first reading finds the tools, their
// diameters and how long each tool's part of the output is, the second hands
// each hole to its tool's place. Memory holds a piece per tool, not the circles.
std::uint64_t streamHoles(InputBytes& input, PieceSink& sink, const DxfCircleOptions& options) {
    std::vector<std::uint64_t> lengths;
    std::string line;
    std::size_t count = 0;
    CircleReader first(input, options, [&](const Circle& c) {
        line.clear();
        appendHole(line, c);
        lengths.resize(std::max(lengths.size(), c.slot + 1), 0);
        lengths[c.slot] += line.size();
        ++count;
    });
    first.run();
    if (count == 0) {
        Failure failure = Failure::message("変換可能なコマンドが、見つかりませんでした");
        failure.at = Failure::kWholeInput;
        throw failure;
    }
    const std::vector<Slot>& slots = first.slots();
    std::string head;
    appendTools(head, slots);
    std::uint64_t end = head.size();
    sink.put(0, head);
    std::vector<std::uint64_t> at(slots.size());
    std::vector<std::string> pieces(slots.size());
    for (std::size_t k = 0; k < slots.size(); ++k) {
        at[k] = end;
        appendTool(pieces[k], k);
        pieces[k].append("\r\n");
        end += pieces[k].size() + lengths[k];
    }
    DxfCircleOptions again = options;
    again.circles = nullptr;
    CircleReader second(input, again, [&](const Circle& c) {
        std::string& piece = pieces[c.slot];
        appendHole(piece, c);
        if (piece.size() >= kToolPieceSize) {
            const std::size_t size = piece.size();
            sink.put(at[c.slot], piece);
            at[c.slot] += size;
        }
    });
    second.run();
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (!pieces[k].empty()) {
            sink.put(at[k], pieces[k]);
        }
    }
    return end;
}

}  // namespace

Result<std::string> dxfCirclesToHoles(std::string_view dxfBytes, const DxfCircleOptions& options) {
    try {
        CircleReader reader(dxfBytes, options);
        reader.run();
        if (reader.circles().empty()) {
            return Failure::message("変換可能なコマンドが、見つかりませんでした");
        }
        return holeText(reader.circles(), reader.slots());
    } catch (const Failure& failure) {
        return failure;
    }
}

Result<std::uint64_t> dxfCirclesToHoles(InputBytes& input, PieceSink& sink,
                                        const DxfCircleOptions& options) {
    return guardReading(input, [&] { return streamHoles(input, sink, options); });
}

}  // namespace talmir::importers
