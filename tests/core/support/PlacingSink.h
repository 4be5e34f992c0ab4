#pragma once
// A sink for the tests of conversions that hand their output over in pieces: puts
// every piece at its offset into one string, as a file would hold them, and
// counts the pieces. `Base` is the sink type the conversion takes.

#include "core/Pieces.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace talmir::testing {

template <class Base = PieceSink>
class PlacingSink final : public Base {
public:
    void put(std::uint64_t offset, std::string& piece) override {
        if (bytes.size() < offset + piece.size()) {
            bytes.resize(offset + piece.size(), '\0');
        }
        std::memcpy(bytes.data() + offset, piece.data(), piece.size());
        piece.clear();
        ++pieces;
    }
    std::string bytes;
    int pieces = 0;
};

}  // namespace talmir::testing
