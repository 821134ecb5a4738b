#include "platform/QSettingsStore.h"

#include "common/Exception.h"

#include <QByteArray>
#include <QVariant>

namespace lrl {

namespace {

    QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

QSettingsStore::QSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganization, kApplication))
{
    m_settings->setAtomicSyncRequired(true);
}

QSettingsStore::QSettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
    m_settings->setAtomicSyncRequired(true);
}

QString QSettingsStore::key(const std::string& section, const std::string& name) { return qs(section) + '/' + qs(name); }

std::optional<std::string> QSettingsStore::readString(const std::string& section, const std::string& name) const
{
    QVariant v = m_settings->value(key(section, name));
    switch (v.typeId()) {
    case QMetaType::QString:
    case QMetaType::Int: // a number written into the registry by hand
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return v.toString().toStdString();
    default: // lists, byte arrays and other kinds are no string value
        return std::nullopt;
    }
}

void QSettingsStore::writeString(const std::string& section, const std::string& name, const std::string& value)
{
    m_settings->setValue(key(section, name), qs(value));
}

std::optional<std::vector<uint8_t>> QSettingsStore::readBinary(const std::string& section, const std::string& name) const
{
    QVariant v = m_settings->value(key(section, name));
    if (v.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    QByteArray bytes = v.toByteArray();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void QSettingsStore::writeBinary(const std::string& section, const std::string& name, const std::vector<uint8_t>& value)
{
    m_settings->setValue(key(section, name),
        QByteArray(reinterpret_cast<const char*>(value.data()), static_cast<qsizetype>(value.size())));
}

std::vector<std::string> QSettingsStore::valueNames(const std::string& section) const
{
    m_settings->beginGroup(qs(section));
    QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(keys.size()));
    for (const QString& k : keys)
        names.push_back(k.toStdString());
    return names;
}

void QSettingsStore::removeSection(const std::string& section) { m_settings->remove(qs(section)); }

void QSettingsStore::flush()
{
    m_settings->sync();
    if (m_settings->status() == QSettings::AccessError)
        throw Exception("Settings could not be saved to " + m_settings->fileName().toStdString() + ".");
}

} // namespace lrl
