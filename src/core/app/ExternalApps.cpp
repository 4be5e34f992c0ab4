#include "core/app/ExternalApps.h"

#include "core/app/ShellKeys.h"

namespace talmir::app {

namespace {

std::string titleKey(int row) {
    return "AppTitle" + std::to_string(row);
}

std::string nameKey(int row) {
    return "AppName" + std::to_string(row);
}

bool validRow(int row) {
    return row >= 0 && row < kExternalAppCount;
}

}  // namespace

void ExternalApps::loadAll(const SettingsStore& store) {
    for (int k = 0; k < kExternalAppCount; ++k) {
        auto& r = m_rows[static_cast<std::size_t>(k)];
        r.title = store.getText(kTalmirSection, titleKey(k), "");
        r.path = store.getText(kTalmirSection, nameKey(k), "");
    }
}

int ExternalApps::loadList(const SettingsStore& store) {
    for (int k = 0; k < kExternalAppCount; ++k) {
        auto& r = m_rows[static_cast<std::size_t>(k)];
        r.title = store.getText(kTalmirSection, titleKey(k), "");
        r.path = store.getText(kTalmirSection, nameKey(k), "");
        if (r.title.empty()) {
            return k;
        }
    }
    return kExternalAppCount;
}

void ExternalApps::set(SettingsStore& store, int row, std::string_view title,
                       std::string_view path) {
    if (!validRow(row)) {
        return;
    }
    auto& r = m_rows[static_cast<std::size_t>(row)];
    r.title = title;
    r.path = path;
    this->store(store, row);
}

void ExternalApps::remove(SettingsStore& store, int row) {
    if (!validRow(row)) {
        return;
    }
    for (int k = row; k < kExternalAppCount; ++k) {
        m_rows[static_cast<std::size_t>(k)] = m_rows[static_cast<std::size_t>(k + 1)];
        this->store(store, k);
    }
}

const ExternalApp& ExternalApps::row(int index) const {
    static const ExternalApp kEmpty;
    return validRow(index) ? m_rows[static_cast<std::size_t>(index)] : kEmpty;
}

void ExternalApps::store(SettingsStore& store, int row) const {
    const auto& r = m_rows[static_cast<std::size_t>(row)];
    store.setText(kTalmirSection, titleKey(row), r.title);
    store.setText(kTalmirSection, nameKey(row), r.path);
}

}  // namespace talmir::app
