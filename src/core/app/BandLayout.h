#pragma once
// The editor's tool strip: four bands, each holding one panel named by its key
// ("TLB1" file toolbar, "TLB2" conversion toolbar, "PCT1" search panel, "PCT2"
// progress panel). The order and the new-row flags are kept as "Bands1_Cotrol" …
// "Bands4_Cotrol" and "Bands1_NewRow" … "Bands4_NewRow" in section "Editfrm".

#include "core/app/SettingsStore.h"

#include <array>
#include <string>
#include <string_view>

namespace talmir::app {

// The four panels of a tool strip in their designed order.
using BandKeys = std::array<std::string_view, 4>;
inline constexpr BandKeys kBandKeys{"TLB1", "TLB2", "PCT1", "PCT2"};

struct BandLayout {
    // keys[n] is the panel in position n + 1; always the four keys, each once.
    std::array<std::string, 4> keys{"TLB1", "TLB2", "PCT1", "PCT2"};
    // newRow[n]: the band in position n + 1 starts a new row; never set for the
    // first band.
    std::array<bool, 4> newRow{};

    bool operator==(const BandLayout&) const = default;
};

// Reads the layout. A value that names no panel, or a panel already placed, leaves
// that position to the designed panel (or the first one not yet placed), so a
// damaged settings file still gives every panel exactly one band.
BandLayout readBandLayout(const SettingsStore& store);

void writeBandLayout(SettingsStore& store, const BandLayout& layout);

// The designed layout of a strip: the panels in their order, all in one row.
BandLayout designedLayout(const BandKeys& designed);

// The same for another window's tool strip, kept under the same keys in its own
// `section` ("Gfrm"); `designed` names that strip's four panels in their designed
// order (the graphic frame has "TLB1", "TLB2", "TLB3", "PCT1").
BandLayout readBandLayout(const SettingsStore& store, std::string_view section,
                          const BandKeys& designed = kBandKeys);
void writeBandLayout(SettingsStore& store, const BandLayout& layout, std::string_view section);

}  // namespace talmir::app
