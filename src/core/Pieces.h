#pragma once
// How a conversion of a file hundreds of megabytes long reads its input and hands
// over its output without holding either whole.
//
// Output: the bytes are handed to a PieceSink in pieces of about kPieceSize bytes
// as they are made, each with its byte offset in the output; the pieces of a
// sequential format follow each other, IGES fills its directory and parameter
// sections side by side.
//
// Input: InputBytes are the bytes of the input file all at once, in memory or
// mapped read-only from the file. The conversion says how far it has read; a
// mapping then lets go of the pages behind that point, so only a few megabytes
// of the file are resident at a time whatever its size.

#include "core/Failure.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace talmir {

inline constexpr std::size_t kPieceSize = std::size_t{1} << 20;

class PieceSink {
public:
    virtual ~PieceSink() = default;
    // Takes the bytes of `piece` for the place `offset` of the output and leaves
    // `piece` empty (it may come back with the capacity of another buffer). May
    // throw Failure when the bytes cannot be written; the conversion then fails
    // with it.
    virtual void put(std::uint64_t offset, std::string& piece) = 0;
};

// The output of a sequential conversion: text is appended to text(); with a sink,
// every full piece is handed over at the next handOverWhenFull(), without one the
// text is the whole result.
class PieceBuffer {
public:
    // `reserve`: the bytes to reserve when there is no sink.
    PieceBuffer(PieceSink* sink, std::size_t reserve) : m_sink(sink) {
        m_text.reserve(sink != nullptr ? kPieceSize + kPieceSize / 4 : reserve);
    }

    std::string& text() { return m_text; }

    void handOverWhenFull() {
        if (m_sink != nullptr && m_text.size() >= kPieceSize) {
            handOver();
        }
    }

    // Hands over what is left; gives the length of the whole output. More text may
    // follow (a part of the output made after another).
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

    PieceSink* m_sink;
    std::string m_text;
    std::uint64_t m_offset = 0;
};

// The failure of a conversion whose input changed while it was read: a second
// reading found other bytes than the first, or a mapped file was cut short.
inline Failure inputChangedFailure() {
    Failure failure = Failure::message("the input file changed while it was read");
    failure.at = Failure::kWholeInput;
    return failure;
}

// The bytes of an input. A conversion calls readTo() with the start of each record
// (line, block, DXF entity) before it reads it (it costs a comparison); a mapped
// file then lets go of the pages before that point, and a failure is placed at the
// record read last. Reading bytes before it again stays allowed (a second pass
// over the file, even one inside the first): the pages come back from the file.
class InputBytes {
public:
    explicit InputBytes(std::string_view bytes) : m_bytes(bytes) {}
    virtual ~InputBytes() = default;

    InputBytes(const InputBytes&) = delete;
    InputBytes& operator=(const InputBytes&) = delete;

    std::string_view bytes() const { return m_bytes; }

    // Reading has come to `offset`: nothing before it is read again in this pass.
    void readTo(std::size_t offset) {
        m_reached = offset;
        // Going back to an earlier offset wraps around to a large distance: a new
        // pass starts.
        if (offset - m_mark >= m_releaseStep) {
            m_mark = offset;
            release(offset);
        }
    }

    // The offset given to readTo() last: the record being read.
    std::size_t reached() const { return m_reached; }

protected:
    // Makes release() be called each time reading has gone `step` bytes further,
    // or has gone back.
    void releaseEvery(std::size_t step) { m_releaseStep = step; }

    // Lets go of what lies before `offset`. May throw Failure when the input can no
    // longer be read as it was (a mapped file cut short); the conversion then fails
    // with it.
    virtual void release(std::size_t /*offset*/) {}

private:
    std::string_view m_bytes;
    std::size_t m_releaseStep = SIZE_MAX;  // in memory: never
    std::size_t m_mark = 0;                // where release() was called last
    std::size_t m_reached = 0;
};

// guardConversion() for a conversion that reads `input`: a failure that does not
// say where it arose is placed at the record being read.
template <class Convert>
Result<std::invoke_result_t<Convert&>> guardReading(const InputBytes& input, Convert&& convert) {
    Result<std::invoke_result_t<Convert&>> result = guardConversion(convert);
    if (!result && !result.failure().at) {
        Failure failure = result.failure();
        failure.at = input.reached();
        return failure;
    }
    return result;
}

}  // namespace talmir
