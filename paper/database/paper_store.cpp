#include "paper/database/paper_store.h"

#include "platform/cfb/compound_file_error.h"
#include "platform/cfb/storage.h"

#include <QtCore/QDir>

namespace poremi {
namespace {

QStringList components(const QString& path) { return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts); }

// Folder path and element name of a path.
std::pair<QString, QString> splitPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('\\'));
    if (slash < 0) return {QString(), path};
    return {path.left(slash), path.mid(slash + 1)};
}

QStringList namesOf(const cfb::Storage& storage, cfb::ElementType type) {
    QStringList names;
    for (const cfb::ElementInfo& info : storage.elements())
        if (info.type == type) names.append(info.name);
    names.sort();
    return names;
}

bool isNotFound(const cfb::CompoundFileError& error) { return error.code() == cfb::ErrorCode::FileNotFound; }

}  // namespace

PaperStore::PaperStore() : root_(cfb::Storage::createTemporary(QDir::tempPath() + QStringLiteral("/mtfXXXXXX"))) {}

PaperStore::~PaperStore() = default;

void PaperStore::loadFrom(const QString& fileName) {
    const auto source = cfb::Storage::openFile(fileName, cfb::kReadExclusive);
    source->copyTo(*root_);
}

void PaperStore::saveTo(const QString& fileName) const {
    const auto target = cfb::Storage::createFileAtomically(fileName);
    root_->copyTo(*target);
    target->commit();
}

std::shared_ptr<cfb::Storage> PaperStore::openStorage(const QString& path, bool create) const {
    std::shared_ptr<cfb::Storage> node = root_;
    for (const QString& name : components(path)) {
        if (create && !node->element(name)) {
            node = node->createStorage(name, cfb::kReadWriteExclusive);
        } else {
            node = node->openStorage(name, cfb::kReadWriteExclusive);
        }
    }
    return node;
}

bool PaperStore::streamExists(const QString& path) const {
    const auto [folder, name] = splitPath(path);
    try {
        const auto info = openStorage(folder, false)->element(name);
        return info && info->type == cfb::ElementType::Stream;
    } catch (const cfb::CompoundFileError& error) {
        if (isNotFound(error)) return false;
        throw;
    }
}

bool PaperStore::storageExists(const QString& path) const {
    try {
        openStorage(path, false);
        return true;
    } catch (const cfb::CompoundFileError& error) {
        if (isNotFound(error)) return false;
        throw;
    }
}

void PaperStore::createStorage(const QString& path) { openStorage(path, true); }

QByteArray PaperStore::readStream(const QString& path) const {
    const auto [folder, name] = splitPath(path);
    return openStorage(folder, false)->openStream(name, cfb::kReadExclusive)->readAll();
}

void PaperStore::writeStream(const QString& path, const QByteArray& bytes) {
    const auto [folder, name] = splitPath(path);
    const auto stream = openStorage(folder, true)->createStream(name, cfb::kReadWriteExclusive);
    stream->write(bytes);
}

bool PaperStore::deleteElement(const QString& path) {
    const auto [folder, name] = splitPath(path);
    try {
        const auto storage = openStorage(folder, false);
        if (!storage->element(name)) return false;
        storage->destroyElement(name);
        return true;
    } catch (const cfb::CompoundFileError& error) {
        if (isNotFound(error)) return false;
        throw;
    }
}

void PaperStore::renameElement(const QString& storagePath, const QString& oldName, const QString& newName) {
    openStorage(storagePath, false)->renameElement(oldName, newName);
}

QStringList PaperStore::streamNames(const QString& storagePath) const {
    return namesOf(*openStorage(storagePath, false), cfb::ElementType::Stream);
}

QStringList PaperStore::storageNames(const QString& storagePath) const {
    return namesOf(*openStorage(storagePath, false), cfb::ElementType::Storage);
}

void PaperStore::copyTo(const QString& path, PaperStore& destination, const QString& destinationPath) const {
    const auto source = openStorage(path, false);
    const auto target = destination.openStorage(destinationPath, true);
    source->copyTo(*target);
}

std::uint64_t PaperStore::changeCount() const { return root_->changeCount(); }

QString paperItemName(quint32 number) {
    return QLatin1Char('$') + QStringLiteral("%1").arg(number, 8, 16, QLatin1Char('0')).toUpper();
}

quint32 paperItemNumber(const QString& name) {
    if (name.size() != 9 || !name.startsWith(QLatin1Char('$'))) return 0;
    bool ok = false;
    const quint32 number = name.mid(1).toUInt(&ok, 16);
    return ok ? number : 0;
}

}  // namespace poremi
