#pragma once
// The external applications of the "アプリ" menu: up to ten rows of (menu title,
// program path), row k kept as "AppTitle" + k and "AppName" + k in section
// "Talmir". The rows have no gaps: the first empty title ends the list.

#include "core/app/SettingsStore.h"

#include <array>
#include <string>
#include <string_view>

namespace talmir::app {

inline constexpr int kExternalAppCount = 10;

struct ExternalApp {
    std::string title;
    std::string path;
};

class ExternalApps {
public:
    // All ten rows as stored (start-up reads every row, gaps and all).
    void loadAll(const SettingsStore& store);

    // The rows up to the first empty title, as the settings dialog lists them;
    // returns how many there are. Rows after the first empty title keep what they
    // held.
    int loadList(const SettingsStore& store);

    // Sets row `row` (0 … 9) and stores both keys.
    void set(SettingsStore& store, int row, std::string_view title, std::string_view path);

    // Removes row `row`: every later row moves up one place and is stored again, so
    // the last stored pair (row 9) becomes empty.
    void remove(SettingsStore& store, int row);

    // Row 0 … 9; anything else reads as an empty row.
    const ExternalApp& row(int index) const;

private:
    void store(SettingsStore& store, int row) const;

    // Sixteen rows as the original table had; rows 10 … 15 stay empty and make the
    // shift of `remove` read an empty row after the last one.
    std::array<ExternalApp, 16> m_rows;
};

}  // namespace talmir::app
