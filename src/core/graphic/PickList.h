#pragma once
// The pick list: the points of the last redraw that a click can snap to.

#include <vector>

namespace talmir::graphic {

// Kind 4 is a hole (X, Y, X, Y); kind 1 a point (X, Y, and 0, 0 or the record's I,
// J); kinds 2 and 3 an arc centre with the record's I, J.
struct PickRow {
    float kind = 0;
    float x = 0;
    float y = 0;
    float a = 0;
    float b = 0;
};

// 100,000 rows, allocated once; rows 1 to PickCount are in use. The count stops
// at 99,900 and later rows overwrite that last one, so no row past the table is
// ever written however much is drawn.
class PickList {
public:
    static constexpr int kRows = 100000;
    static constexpr int kMaxCount = 99900;

    PickList() : m_rows(kRows) {}

    void clear() { PickCount = 0; }
    void append(const PickRow& row) {
        if (PickCount < kMaxCount) {
            ++PickCount;
        }
        m_rows[static_cast<std::size_t>(PickCount)] = row;
    }
    const PickRow& row(int index) const { return m_rows[static_cast<std::size_t>(index)]; }
    // The row written last (row 0 before any).
    PickRow& last() { return m_rows[static_cast<std::size_t>(PickCount)]; }

    int PickCount = 0;

private:
    std::vector<PickRow> m_rows;
};

}  // namespace talmir::graphic
