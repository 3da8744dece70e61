#pragma once
// The per-user settings store in place of the registry: one INI file in the XDG config folder
// (or the file named by POREMI_SETTINGS_FILE), where every registry key path, written with "\",
// becomes a group. Values keep their type: integers, Booleans, strings and raw bytes.

#include <QtCore/QSettings>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <memory>
#include <optional>

namespace poremi {

class SettingsStore {
public:
    // The store of this process, opened on first use.
    static SettingsStore& instance();
    // Re-opens the process store on a file (tests); an empty path returns to the default file.
    static void reopen(const QString& filePath = QString());

    explicit SettingsStore(const QString& filePath);

    QString filePath() const;

    bool keyExists(const QString& keyPath) const;
    std::optional<QVariant> value(const QString& keyPath, const QString& name) const;
    void setValue(const QString& keyPath, const QString& name, const QVariant& value);
    void removeValue(const QString& keyPath, const QString& name);
    QStringList valueNames(const QString& keyPath) const;
    QStringList subKeys(const QString& keyPath) const;
    // Removes the key with its values and sub-keys.
    void removeKey(const QString& keyPath);
    // Writes pending changes to the file.
    void sync();

    static QString defaultFilePath();

private:
    static QString group(const QString& keyPath);
    std::unique_ptr<QSettings> settings_;
};

}  // namespace poremi
