#pragma once

#include "common/SettingsStore.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace lrl {

// The per-user settings store of the program on QSettings: sections are groups, values strings (UTF-8)
// or byte arrays. Writes reach the disk atomically (a complete new file replaces the old one), so a crash
// while saving never leaves a truncated file; a file that cannot be parsed reads as empty.
class QSettingsStore : public SettingsStore {
public:
    static constexpr const char* kOrganization = "Corvane";
    static constexpr const char* kApplication = "Listrel Delphi";

    // The user's own settings: the registry key Software\Corvane\Listrel Delphi on Windows, an INI file
    // in the XDG config folder elsewhere.
    QSettingsStore();
    // An INI file at path (tests and tools).
    explicit QSettingsStore(const QString& iniPath);

    std::optional<std::string> readString(const std::string& section, const std::string& name) const override;
    void writeString(const std::string& section, const std::string& name, const std::string& value) override;
    std::optional<std::vector<uint8_t>> readBinary(const std::string& section, const std::string& name) const override;
    void writeBinary(const std::string& section, const std::string& name, const std::vector<uint8_t>& value) override;
    std::vector<std::string> valueNames(const std::string& section) const override;
    void removeSection(const std::string& section) override;
    // Writes pending changes; raises lrl::Exception "Settings could not be saved to <file>." when the
    // file or key cannot be written.
    void flush() override;

    QString fileName() const { return m_settings->fileName(); }

private:
    static QString key(const std::string& section, const std::string& name);

    std::unique_ptr<QSettings> m_settings;
};

} // namespace lrl
