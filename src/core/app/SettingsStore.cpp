#include "core/app/SettingsStore.h"

#include "core/text/NumericValue.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace talmir::app {

std::string SettingsStore::getText(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
    if (!contains(section, key)) {
        return std::string(defaultValue);
    }
    return value(section, key);
}

double SettingsStore::getNumber(std::string_view section, std::string_view key,
                                double defaultValue) const {
    if (!contains(section, key)) {
        return defaultValue;
    }
    const double v = text::numericValue(value(section, key));
    return std::isfinite(v) ? v : defaultValue;
}

bool SettingsStore::getBool(std::string_view section, std::string_view key,
                            bool defaultValue) const {
    if (!contains(section, key)) {
        return defaultValue;
    }
    const std::string stored = value(section, key);
    std::string_view v = stored;
    while (!v.empty() && (v.front() == ' ' || v.back() == ' ')) {
        v = v.front() == ' ' ? v.substr(1) : v.substr(0, v.size() - 1);
    }
    auto equalsIgnoringCase = [v](std::string_view word) {
        return std::equal(v.begin(), v.end(), word.begin(), word.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == b;
        });
    };
    if (equalsIgnoringCase("true")) {
        return true;
    }
    if (equalsIgnoringCase("false")) {
        return false;
    }
    // The numeric forms (-1 and 0, or any other number): the whole text must be one.
    std::size_t consumed = 0;
    const double number = text::numericValue(v, consumed);
    if (consumed != 0 && consumed == v.size()) {
        return number != 0;
    }
    return defaultValue;
}

void SettingsStore::setNumber(std::string_view section, std::string_view key, double value) {
    // Shortest text that reads back to the same value.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    setValue(section, key, std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

void SettingsStore::setSingle(std::string_view section, std::string_view key, float value) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    setValue(section, key, std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

bool MemorySettingsStore::contains(std::string_view section, std::string_view key) const {
    return m_values.count({std::string(section), std::string(key)}) != 0;
}

std::string MemorySettingsStore::value(std::string_view section, std::string_view key) const {
    auto it = m_values.find({std::string(section), std::string(key)});
    return it == m_values.end() ? std::string() : it->second;
}

void MemorySettingsStore::setValue(std::string_view section, std::string_view key,
                                   std::string_view value) {
    m_values[{std::string(section), std::string(key)}] = std::string(value);
}

}  // namespace talmir::app
