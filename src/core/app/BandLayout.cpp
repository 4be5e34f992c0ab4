#include "core/app/BandLayout.h"

#include "core/app/ShellKeys.h"

#include <algorithm>

namespace talmir::app {

namespace {

std::string controlKey(int position) {
    return "Bands" + std::to_string(position) + "_Cotrol";
}

std::string newRowKey(int position) {
    return "Bands" + std::to_string(position) + "_NewRow";
}

}  // namespace

BandLayout readBandLayout(const SettingsStore& store) {
    return readBandLayout(store, kEditfrmSection);
}

void writeBandLayout(SettingsStore& store, const BandLayout& layout) {
    writeBandLayout(store, layout, kEditfrmSection);
}

BandLayout designedLayout(const BandKeys& designed) {
    BandLayout layout;
    for (std::size_t n = 0; n < 4; ++n) {
        layout.keys[n] = std::string(designed[n]);
    }
    return layout;
}

BandLayout readBandLayout(const SettingsStore& store, std::string_view section,
                          const BandKeys& designed) {
    BandLayout layout;
    std::array<bool, 4> valid{};
    std::array<bool, 4> placed{};
    auto indexOf = [&designed](std::string_view key) {
        return static_cast<std::size_t>(std::find(designed.begin(), designed.end(), key) -
                                        designed.begin());
    };
    for (std::size_t n = 0; n < 4; ++n) {
        const std::string stored =
            store.getText(section, controlKey(static_cast<int>(n) + 1), designed[n]);
        if (indexOf(stored) < designed.size() && !placed[indexOf(stored)]) {
            layout.keys[n] = stored;
            placed[indexOf(stored)] = true;
            valid[n] = true;
        }
    }
    // Positions whose value was unusable: the designed panel when free, else the
    // first panel not yet placed.
    for (std::size_t n = 0; n < 4; ++n) {
        if (valid[n]) {
            continue;
        }
        std::size_t pick = n;
        if (placed[pick]) {
            pick = static_cast<std::size_t>(std::find(placed.begin(), placed.end(), false) -
                                            placed.begin());
        }
        layout.keys[n] = std::string(designed[pick]);
        placed[pick] = true;
    }
    for (int n = 2; n <= 4; ++n) {
        layout.newRow[static_cast<std::size_t>(n - 1)] =
            store.getBool(section, newRowKey(n), false);
    }
    return layout;
}

void writeBandLayout(SettingsStore& store, const BandLayout& layout, std::string_view section) {
    for (int n = 1; n <= 4; ++n) {
        store.setText(section, controlKey(n), layout.keys[static_cast<std::size_t>(n - 1)]);
    }
    for (int n = 1; n <= 4; ++n) {
        store.setBool(section, newRowKey(n),
                      n > 1 && layout.newRow[static_cast<std::size_t>(n - 1)]);
    }
}

}  // namespace talmir::app
