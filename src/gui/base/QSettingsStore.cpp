#include "gui/base/QSettingsStore.h"

#include <QStringList>

namespace talmir {

namespace {

// Sections and keys are plain names; QSettings reads "/" as a group separator and
// INI files cannot hold some characters in keys, so both are written as given
// and only the separator is kept out.
QString qtKey(std::string_view section, std::string_view key) {
    QString s = QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size()));
    QString k = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    s.replace(QLatin1Char('/'), QLatin1Char('_'));
    k.replace(QLatin1Char('/'), QLatin1Char('_'));
    return s + QLatin1Char('/') + k;
}

}  // namespace

QSettingsStore::QSettingsStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Talmir"),
                 QStringLiteral("Talmir")) {}

QSettingsStore::QSettingsStore(const QString& path) : m_settings(path, QSettings::IniFormat) {}

bool QSettingsStore::contains(std::string_view section, std::string_view key) const {
    return m_settings.contains(qtKey(section, key));
}

std::string QSettingsStore::value(std::string_view section, std::string_view key) const {
    const QVariant v = m_settings.value(qtKey(section, key));
    // A value the INI reader took for a list ("a, b") is joined back as written.
    if (v.typeId() == QMetaType::QStringList) {
        return v.toStringList().join(QStringLiteral(", ")).toStdString();
    }
    return v.toString().toStdString();
}

void QSettingsStore::setValue(std::string_view section, std::string_view key,
                              std::string_view value) {
    m_settings.setValue(qtKey(section, key),
                        QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

}  // namespace talmir
