#include "core/import/DxfToGcode.h"

#include "core/Pieces.h"

#include "core/import/DxfBulge.h"
#include "core/import/DxfPairReader.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <cmath>

namespace talmir::importers {

namespace {

constexpr double kDegToRad = 0.0174532925199433;

// LINE, POINT and CIRCLE numbers, and ARC and polyline numbers. Both write the
// same text: at least one integer digit, one to four decimals, a minus sign only.
const text::NumberPicture kFigurePicture("######0.0###");
const text::NumberPicture kArcPicture("#####0.0###");

constexpr std::string_view kEol = "\r\n";

enum class Word { G00, G01, G02, G03 };

std::string_view wordText(Word w) {
    switch (w) {
        case Word::G00:
            return "G00";
        case Word::G01:
            return "G01";
        case Word::G02:
            return "G02";
        case Word::G03:
            break;
    }
    return "G03";
}

// Bit 1 of group 70 of POLYLINE and LWPOLYLINE: the polyline is closed (1, 129, 33
// and 161 close; 0, 8, 32 and 128 do not). A flag that is no number closes nothing.
bool closedFlag(double flags) {
    return std::fabs(std::fmod(std::trunc(flags), 2.0)) == 1.0;
}

// A closed POLYLINE is closed at its SEQEND by a move back to its first vertex.
enum class Closing { None, Armed, Recorded };

// One run of the conversion: the reader, the output and the few values the
// current entity needs. Every entity is written as soon as it has been read.
class DxfConverter {
public:
    // A DXF entity of 100 to 300 bytes gives 30 to 100 bytes of G-code. Pages of
    // the reserve that stay unused are never touched.
    DxfConverter(InputBytes& input, PieceSink* sink, const DxfOptions& options)
        : m_input(input),
          m_reader(input.bytes()),
          m_options(options),
          m_pieces(sink, input.bytes().size() / 2 + 4096),
          m_out(m_pieces.text()) {}

    // The length of the program.
    std::uint64_t run() {
        if (readHeader()) {
            readEntities();
        }
        return m_pieces.finish();
    }

    std::string program() && { return std::move(m_pieces).release(); }

private:
    // Header: only $UCSORG matters; the ENTITIES section starts the work. Entities
    // of the BLOCKS section are never converted. False when there is no ENTITIES.
    bool readHeader() {
        while (advance()) {
            if (m_reader.isCode("9") && m_reader.value() == "$UCSORG") {
                if (!advance()) {
                    return false;
                }
                if (m_reader.isCode("10")) {
                    m_ox = number();
                }
                if (!advance()) {
                    return false;
                }
                if (m_reader.isCode("20")) {
                    m_oy = number();
                }
            } else if (m_reader.isCode("2") && m_reader.value() == "ENTITIES") {
                return true;
            } else if (m_reader.isCode("0") && m_reader.value() == "EOF") {
                // Whatever follows the end of the drawing (an old end-of-file
                // byte, say) is not read.
                return false;
            }
        }
        return false;
    }

    // The current pair is "2"/"ENTITIES" on entry. Each handler returns with the
    // next entity's "0" pair current.
    void readEntities() {
        std::size_t steps = 0;
        for (;;) {
            if (m_options.progress && (++steps & 0xFFF) == 0) {
                m_options.progress();
            }
            m_pieces.handOverWhenFull();
            if (!m_reader.isCode("0")) {
                readPair();
            } else {
                dispatch(m_reader.value());
            }
            if (m_reader.isCode("0") && m_reader.value() == "EOF") {
                return;
            }
        }
    }

    void dispatch(std::string_view name) {
        if (name == "LINE") {
            readLine();
        } else if (name == "POINT") {
            readPoint();
        } else if (name == "CIRCLE") {
            readCircle();
        } else if (name == "ARC") {
            readArc();
        } else if (name == "POLYLINE") {
            readPolyline();
        } else if (name == "VERTEX") {
            readVertex();
        } else if (name == "SEQEND" && m_closing == Closing::Recorded) {
            m_closing = Closing::None;
            writeVertex(m_closeX, m_closeY);
            skipToNextEntity();
        } else if (name == "LWPOLYLINE") {
            readLwPolyline();
        } else {
            readPair();
        }
    }

    // Inside ENTITIES the text must go on up to "0"/"EOF": a file that stops
    // earlier was cut, and converting the part before the cut would pass a half
    // drawing off as the whole.
    void readPair() {
        if (!advance()) {
            throwPastEnd();
        }
    }

    // The next pair; the input is told where it starts.
    bool advance() {
        m_input.readTo(m_reader.position());
        return m_reader.next();
    }

    // Reads the next pair; false when it is the next entity's "0" pair.
    bool nextGroup() {
        readPair();
        return !m_reader.isCode("0");
    }

    void skipToNextEntity() {
        while (nextGroup()) {
        }
    }

    float number() const { return toSingle(dxfNumber(m_reader.value())); }
    float numberX() const { return toSingle(static_cast<double>(number()) - m_ox); }
    float numberY() const { return toSingle(static_cast<double>(number()) - m_oy); }

    void takeLayer() { m_layer.assign(m_reader.value()); }

    void readLine() {
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        while (nextGroup()) {
            const std::string_view code = m_reader.code();
            if (code == "8") {
                takeLayer();
            } else if (code == "10") {
                x1 = numberX();
            } else if (code == "20") {
                y1 = numberY();
            } else if (code == "11") {
                x2 = numberX();
            } else if (code == "21") {
                y2 = numberY();
            }
        }
        writeLayer();
        writeMove("G00", x1, y1, kFigurePicture);
        writeMove("G01", x2, y2, kFigurePicture);
    }

    // A zero-length cut at the point.
    void readPoint() {
        float x = 0, y = 0;
        readCentre(x, y, nullptr);
        writeLayer();
        writeMove("G00", x, y, kFigurePicture);
        writeMove("G01", x, y, kFigurePicture);
    }

    // A full clockwise circle from its point at angle 0.
    void readCircle() {
        float cx = 0, cy = 0, r = 0;
        readCentre(cx, cy, &r);
        const float startX = toSingle(static_cast<double>(cx) + r);
        writeLayer();
        writeMove("G00", startX, cy, kFigurePicture);
        m_out += "G02X";
        kFigurePicture.append(m_out, startX);
        m_out += 'Y';
        kFigurePicture.append(m_out, cy);
        m_out += "I-";
        kFigurePicture.append(m_out, r);
        m_out += "J0.0";
        m_out += kEol;
    }

    void readCentre(float& x, float& y, float* radius) {
        while (nextGroup()) {
            const std::string_view code = m_reader.code();
            if (code == "8") {
                takeLayer();
            } else if (code == "10") {
                x = numberX();
            } else if (code == "20") {
                y = numberY();
            } else if (radius != nullptr && code == "40") {
                *radius = number();
            }
        }
    }

    // Always counter-clockwise from the start to the end angle, as DXF arcs run.
    void readArc() {
        float cx = 0, cy = 0, r = 0, a1 = 0, a2 = 0;
        while (nextGroup()) {
            const std::string_view code = m_reader.code();
            if (code == "8") {
                takeLayer();
            } else if (code == "10") {
                cx = numberX();
            } else if (code == "20") {
                cy = numberY();
            } else if (code == "40") {
                r = number();
            } else if (code == "50") {
                a1 = number();
            } else if (code == "51") {
                a2 = number();
            }
        }
        const float sx = toSingle(r * std::cos(a1 * kDegToRad));
        const float sy = toSingle(r * std::sin(a1 * kDegToRad));
        const float ex = toSingle(r * std::cos(a2 * kDegToRad));
        const float ey = toSingle(r * std::sin(a2 * kDegToRad));
        writeLayer();
        writeMove("G00", toSingle(static_cast<double>(cx) + sx),
                  toSingle(static_cast<double>(cy) + sy), kArcPicture);
        m_out += "G03X";
        kArcPicture.append(m_out, toSingle(static_cast<double>(cx) + ex));
        m_out += 'Y';
        kArcPicture.append(m_out, toSingle(static_cast<double>(cy) + ey));
        m_out += 'I';
        kArcPicture.append(m_out, -sx);
        m_out += 'J';
        kArcPicture.append(m_out, -sy);
        m_out += kEol;
    }

    // The header of an old-style polyline. Bit 1 of its flags closes it; its
    // own layer and point are not used (each VERTEX carries its layer).
    void readPolyline() {
        m_pending = Word::G00;
        m_bulge = false;
        m_closing = Closing::None;
        while (nextGroup()) {
            if (m_reader.isCode("70")) {
                if (closedFlag(dxfNumber(m_reader.value()))) {
                    m_closing = Closing::Armed;
                }
            }
        }
    }

    void readVertex() {
        while (nextGroup()) {
            readVertexGroup();
        }
    }

    // A closed lightweight polyline ends with a move back to its first vertex, an arc
    // when its last vertex has a bulge; an open one ends at its last vertex.
    void readLwPolyline() {
        m_pending = Word::G00;
        m_bulge = false;
        bool closed = false;
        const std::size_t before = m_vertexCount;
        while (nextGroup()) {
            if (m_reader.isCode("70")) {
                closed = closedFlag(dxfNumber(m_reader.value()));
            } else {
                readVertexGroup();
            }
        }
        // One with no vertex at all has nothing to close.
        if (closed && m_vertexCount != before) {
            writeVertex(m_startX, m_startY);
        }
    }

    // Group 20 writes the vertex at once; group 42 follows it within a vertex, so
    // the bulge of a vertex shapes the segment from that vertex to the next one.
    void readVertexGroup() {
        const std::string_view code = m_reader.code();
        if (code == "8") {
            takeLayer();
        } else if (code == "10") {
            m_vx = numberX();
        } else if (code == "20") {
            m_vy = numberY();
            ++m_vertexCount;
            writeVertex(m_vx, m_vy);
        } else if (code == "42") {
            takeBulge(number());
        }
    }

    void takeBulge(float bulge) {
        if (bulge == 0) {
            // No finite centre: a straight segment.
            m_bulge = false;
            if (m_pending == Word::G02 || m_pending == Word::G03) {
                m_pending = Word::G01;
            }
            return;
        }
        m_pending = bulge < 0 ? Word::G02 : Word::G03;
        m_angleDeg = bulgeAngleDeg(bulge);
        m_bulge = true;
    }

    void writeVertex(float x, float y) {
        writeLayer();
        if (!m_bulge) {
            writeMove(wordText(m_pending), x, y, kArcPicture);
            if (m_closing == Closing::Armed) {
                m_closeX = x;
                m_closeY = y;
                m_closing = Closing::Recorded;
            }
            if (m_pending == Word::G00) {
                m_startX = x;
                m_startY = y;
            }
        } else {
            const BulgeCentre c = bulgeCentre(m_px, m_py, x, y, m_pending == Word::G02, m_angleDeg);
            m_out += wordText(m_pending);
            m_out += 'X';
            kArcPicture.append(m_out, x);
            m_out += 'Y';
            kArcPicture.append(m_out, y);
            m_out += 'I';
            kArcPicture.append(m_out, c.i);
            m_out += 'J';
            kArcPicture.append(m_out, c.j);
            m_out += kEol;
            m_bulge = false;
        }
        m_px = x;
        m_py = y;
        m_pending = Word::G01;
    }

    void writeLayer() {
        if (m_layer != m_writtenLayer) {
            m_out += m_layer;
            m_out += kEol;
            m_writtenLayer = m_layer;
        }
    }

    void writeMove(std::string_view word, float x, float y, const text::NumberPicture& picture) {
        m_out += word;
        m_out += 'X';
        picture.append(m_out, x);
        m_out += 'Y';
        picture.append(m_out, y);
        m_out += kEol;
    }

    InputBytes& m_input;
    DxfPairReader m_reader;
    const DxfOptions& m_options;
    PieceBuffer m_pieces;
    std::string& m_out;  // the text of m_pieces

    float m_ox = 0;  // $UCSORG, subtracted from every X and Y read
    float m_oy = 0;
    std::string m_layer;         // last group 8 read; carries over to later entities
    std::string m_writtenLayer;  // last layer line written

    Word m_pending = Word::G00;  // word of the next polyline vertex
    bool m_bulge = false;
    float m_angleDeg = 0;  // included angle of the pending bulge, + counter-clockwise
    float m_vx = 0;        // vertex being read
    float m_vy = 0;
    float m_px = 0;  // last vertex written
    float m_py = 0;
    float m_startX = 0;  // first vertex of the current polyline
    float m_startY = 0;
    std::size_t m_vertexCount = 0;
    Closing m_closing = Closing::None;
    float m_closeX = 0;
    float m_closeY = 0;
};

}  // namespace

Result<std::string> dxfToGcode(std::string_view dxfBytes, const DxfOptions& options) {
    InputBytes input(dxfBytes);
    return guardReading(input, [&] {
        DxfConverter converter(input, nullptr, options);
        converter.run();
        return std::move(converter).program();
    });
}

Result<std::uint64_t> dxfToGcode(InputBytes& input, PieceSink& sink, const DxfOptions& options) {
    return guardReading(input, [&] { return DxfConverter(input, &sink, options).run(); });
}

}  // namespace talmir::importers
