#pragma once
// The per-user settings store: text values addressed by application, section and
// key, each read with a default. Numbers are stored as decimal text, booleans as
// "True" or "False" (reading also accepts -1 and 0). The application is always
// "Talmir". The Qt layer backs it with QSettings; tests use MemorySettingsStore.

#include <map>
#include <string>
#include <string_view>
#include <tuple>

namespace talmir::app {

inline constexpr std::string_view kAppName = "Talmir";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Raw access; texts are UTF-8.
    virtual bool contains(std::string_view section, std::string_view key) const = 0;
    virtual std::string value(std::string_view section, std::string_view key) const = 0;
    virtual void setValue(std::string_view section, std::string_view key,
                          std::string_view value) = 0;

    std::string getText(std::string_view section, std::string_view key,
                        std::string_view defaultValue) const;
    // A text that is not a number reads as the numeric value of its start (so a
    // garbage "Width" reads as 0), as the program always has.
    double getNumber(std::string_view section, std::string_view key, double defaultValue) const;
    // "True"/"False" in any case, or a number such as -1 or 0 (non-zero is true),
    // blanks around allowed; anything else gives the default.
    bool getBool(std::string_view section, std::string_view key, bool defaultValue) const;

    void setText(std::string_view section, std::string_view key, std::string_view value) {
        setValue(section, key, value);
    }
    // Numbers are written as the shortest decimal text that reads back to the same
    // value; setSingle does so for a single-precision value ("9.1", not the
    // digits of its widened double).
    void setNumber(std::string_view section, std::string_view key, double value);
    void setSingle(std::string_view section, std::string_view key, float value);
    void setBool(std::string_view section, std::string_view key, bool value) {
        setValue(section, key, value ? "True" : "False");
    }
};

// An in-memory store for tests and for the command line.
class MemorySettingsStore final : public SettingsStore {
public:
    bool contains(std::string_view section, std::string_view key) const override;
    std::string value(std::string_view section, std::string_view key) const override;
    void setValue(std::string_view section, std::string_view key, std::string_view value) override;

    const std::map<std::pair<std::string, std::string>, std::string>& values() const {
        return m_values;
    }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

}  // namespace talmir::app
