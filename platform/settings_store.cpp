#include "platform/settings_store.h"

#include <QtCore/QStandardPaths>

namespace poremi {
namespace {

std::unique_ptr<SettingsStore>& processStore() {
    static std::unique_ptr<SettingsStore> store;
    return store;
}

// Groups hold only the key's own values, not those of sub-keys.
class GroupScope {
public:
    GroupScope(QSettings& settings, const QString& group) : settings_(settings) { settings_.beginGroup(group); }
    ~GroupScope() { settings_.endGroup(); }
    GroupScope(const GroupScope&) = delete;
    GroupScope& operator=(const GroupScope&) = delete;

private:
    QSettings& settings_;
};

}  // namespace

SettingsStore& SettingsStore::instance() {
    auto& store = processStore();
    if (!store) store = std::make_unique<SettingsStore>(defaultFilePath());
    return *store;
}

void SettingsStore::reopen(const QString& filePath) {
    auto& store = processStore();
    if (store) store->sync();
    store = std::make_unique<SettingsStore>(filePath.isEmpty() ? defaultFilePath() : filePath);
}

QString SettingsStore::defaultFilePath() {
    const QString overridden = qEnvironmentVariable("POREMI_SETTINGS_FILE");
    if (!overridden.isEmpty()) return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/poremi/settings.ini");
}

SettingsStore::SettingsStore(const QString& filePath)
    : settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

QString SettingsStore::filePath() const { return settings_->fileName(); }

QString SettingsStore::group(const QString& keyPath) {
    QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('/'));
}

bool SettingsStore::keyExists(const QString& keyPath) const {
    const QString g = group(keyPath);
    if (g.isEmpty()) return false;
    GroupScope scope(*settings_, g);
    return !settings_->childKeys().isEmpty() || !settings_->childGroups().isEmpty();
}

std::optional<QVariant> SettingsStore::value(const QString& keyPath, const QString& name) const {
    GroupScope scope(*settings_, group(keyPath));
    if (!settings_->contains(name)) return std::nullopt;
    return settings_->value(name);
}

void SettingsStore::setValue(const QString& keyPath, const QString& name, const QVariant& value) {
    GroupScope scope(*settings_, group(keyPath));
    settings_->setValue(name, value);
}

void SettingsStore::removeValue(const QString& keyPath, const QString& name) {
    GroupScope scope(*settings_, group(keyPath));
    settings_->remove(name);
}

QStringList SettingsStore::valueNames(const QString& keyPath) const {
    GroupScope scope(*settings_, group(keyPath));
    return settings_->childKeys();
}

QStringList SettingsStore::subKeys(const QString& keyPath) const {
    GroupScope scope(*settings_, group(keyPath));
    return settings_->childGroups();
}

void SettingsStore::removeKey(const QString& keyPath) {
    const QString g = group(keyPath);
    if (g.isEmpty()) return;
    settings_->remove(g);
}

void SettingsStore::sync() { settings_->sync(); }

}  // namespace poremi
