#pragma once
// The recent-document list of the editor: five paths, newest first, kept in the
// store as "File1" … "File5" of section "Editfrm". An empty slot holds no entry.

#include "core/app/SettingsStore.h"

#include <array>
#include <string>
#include <string_view>

namespace talmir::app {

inline constexpr int kRecentCount = 5;

class RecentFiles {
public:
    // Reads "File1" … "File5" (default "").
    void load(const SettingsStore& store);

    // Records `path` as the newest entry. The path is looked up (exact,
    // case-sensitive); when it is at slot k, slots 0 … k-1 move down one place and
    // the entries after k stay where they are; when it is absent every entry moves
    // down and the oldest drops out. The store is written, then reloaded.
    void record(SettingsStore& store, std::string_view path);

    const std::string& slot(int index) const { return m_slots.at(static_cast<std::size_t>(index)); }
    bool any() const;

    // Menu caption of entry `index` (0-based): "&" + (index + 1) + " " + the last 30
    // characters of the path (UTF-8 code points; the whole path when shorter).
    static std::string caption(int index, std::string_view path);

private:
    std::array<std::string, kRecentCount> m_slots;
};

}  // namespace talmir::app
