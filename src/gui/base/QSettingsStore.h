#pragma once
// The settings store of the running program: an INI file in the user's config
// folder (organisation and application "Talmir"), one INI group per section.

#include "core/app/SettingsStore.h"

#include <QSettings>

namespace talmir {

class QSettingsStore final : public app::SettingsStore {
public:
    QSettingsStore();
    // A store in the INI file at `path` (used to check a given settings file).
    explicit QSettingsStore(const QString& path);

    bool contains(std::string_view section, std::string_view key) const override;
    std::string value(std::string_view section, std::string_view key) const override;
    void setValue(std::string_view section, std::string_view key, std::string_view value) override;

    void sync() { m_settings.sync(); }

private:
    mutable QSettings m_settings;
};

}  // namespace talmir
