#include "core/app/RecentFiles.h"

#include "core/app/ShellKeys.h"

namespace talmir::app {

namespace {

std::string fileKey(int number) {
    return "File" + std::to_string(number);
}

// Byte offset where the last `count` UTF-8 code points of `text` begin.
std::size_t lastCodePointsOffset(std::string_view text, std::size_t count) {
    std::size_t pos = text.size();
    while (pos > 0 && count > 0) {
        --pos;
        const auto b = static_cast<unsigned char>(text[pos]);
        if ((b & 0xC0) != 0x80) {  // not a continuation byte: a code point starts here
            --count;
        }
    }
    return pos;
}

}  // namespace

void RecentFiles::load(const SettingsStore& store) {
    for (int k = 0; k < kRecentCount; ++k) {
        m_slots[static_cast<std::size_t>(k)] = store.getText(kEditfrmSection, fileKey(k + 1), "");
    }
}

void RecentFiles::record(SettingsStore& store, std::string_view path) {
    int found = kRecentCount;
    for (int k = 0; k < kRecentCount; ++k) {
        if (m_slots[static_cast<std::size_t>(k)] == path) {
            found = k;
            break;
        }
    }
    // Read the old slots before "File1" is overwritten: the shifts copy from memory.
    const auto old = m_slots;
    store.setText(kEditfrmSection, fileKey(1), path);
    for (int j = 1; j < kRecentCount; ++j) {
        if (found > j - 1) {
            store.setText(kEditfrmSection, fileKey(j + 1), old[static_cast<std::size_t>(j - 1)]);
        }
    }
    load(store);
}

bool RecentFiles::any() const {
    for (const auto& s : m_slots) {
        if (!s.empty()) {
            return true;
        }
    }
    return false;
}

std::string RecentFiles::caption(int index, std::string_view path) {
    std::string text = "&" + std::to_string(index + 1) + " ";
    text.append(path.substr(lastCodePointsOffset(path, 30)));
    return text;
}

}  // namespace talmir::app
