#pragma once
// Where an export's bytes go when they are not gathered into one string: a file
// hundreds of megabytes long is handed over in pieces of about kExportPieceSize
// bytes as it is made, so memory holds the input and a few pieces, not the whole
// output. Each piece comes with its byte offset in the output; the pieces of a
// sequential format follow each other, IGES fills its directory and parameter
// sections side by side.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace talmir::exporters {

inline constexpr std::size_t kExportPieceSize = std::size_t{1} << 20;

class ExportSink {
public:
    virtual ~ExportSink() = default;
    // Takes the bytes of `piece` for the place `offset` of the output and leaves
    // `piece` empty (it may come back with the capacity of another buffer). May
    // throw Failure when the bytes cannot be written; the export then fails with it.
    virtual void put(std::uint64_t offset, std::string& piece) = 0;
};

// The output of a sequential export: text is appended to text(); with a sink,
// every full piece is handed over at the next handOverWhenFull(), without one the
// text is the whole result.
class PieceBuffer {
public:
    // `reserve`: the bytes to reserve when there is no sink.
    PieceBuffer(ExportSink* sink, std::size_t reserve) : m_sink(sink) {
        m_text.reserve(sink != nullptr ? kExportPieceSize + kExportPieceSize / 4 : reserve);
    }

    std::string& text() { return m_text; }

    void handOverWhenFull() {
        if (m_sink != nullptr && m_text.size() >= kExportPieceSize) {
            handOver();
        }
    }

    // Hands over what is left; gives the length of the whole output.
    std::uint64_t finish() {
        if (m_sink != nullptr && !m_text.empty()) {
            handOver();
        }
        return m_offset + m_text.size();
    }

    // The whole result when there is no sink.
    std::string release() && { return std::move(m_text); }

private:
    void handOver() {
        const std::uint64_t size = m_text.size();
        m_sink->put(m_offset, m_text);
        m_offset += size;
        m_text.clear();
    }

    ExportSink* m_sink;
    std::string m_text;
    std::uint64_t m_offset = 0;
};

}  // namespace talmir::exporters
