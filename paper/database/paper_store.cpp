#include "paper/database/paper_store.h"

#include "document/container/doc_storage.h"
#include "document/container/doc_stream.h"
#include "document/container/storage_mode.h"
#include "base/format.h"

#include <QtCore/QRegularExpression>
#include <cstdio>

namespace poremi {

PaperStore::PaperStore() : root_(std::make_unique<TTemporaryStorage>()) {}

PaperStore::~PaperStore() = default;

void PaperStore::loadFrom(const QString& fileName) { root_->LoadFrom(fileName); }

void PaperStore::saveTo(const QString& fileName) const { root_->SaveTo(fileName); }

bool PaperStore::streamExists(const QString& path) const { return root_->StreamExists(path); }

bool PaperStore::storageExists(const QString& path) const { return root_->StorageExists(path); }

void PaperStore::createStorage(const QString& path) { root_->CreateStorage(path); }

QByteArray PaperStore::readStream(const QString& path) const {
    TDocStream stream(*root_, fmOpenRead, path);
    return stream.ReadRest();
}

void PaperStore::writeStream(const QString& path, const QByteArray& bytes) {
    TDocStream stream(*root_, fmCreate, path);
    stream.WriteBytes(bytes);
}

bool PaperStore::deleteElement(const QString& path) { return root_->DeleteElement(path); }

void PaperStore::renameElement(const QString& storagePath, const QString& oldName, const QString& newName) {
    const QString folder = storagePath.isEmpty() ? QString() : storagePath + QLatin1Char('\\');
    root_->MoveElement(folder + oldName, folder + newName);
}

QStringList PaperStore::streamNames(const QString& storagePath) const {
    QStringList names;
    TDocStorage(*root_, false, storagePath).ListStreams(names);
    names.sort();
    return names;
}

QStringList PaperStore::storageNames(const QString& storagePath) const {
    QStringList names;
    TDocStorage(*root_, false, storagePath).ListStorages(names);
    names.sort();
    return names;
}

void PaperStore::copyTo(const QString& path, PaperStore& destination, const QString& destinationPath) const {
    TDocStorage source(*root_, false, path);
    TDocStorage target(*destination.root_, true, destinationPath);
    source.CopyTo(target);
}

bool PaperStore::isChanged() const { return root_->IsChanged(); }

void PaperStore::rememberState() { root_->RememberState(); }

void warnUnreadable(const QString& path, const std::exception& error) {
    QString reason = QString::fromUtf8(error.what());
    reason.replace(QRegularExpression(QStringLiteral("[\\r\\n]+")), QStringLiteral(" "));
    const QString line = format(QStringLiteral("警告: 用紙情報「%s」が読み込めないため、飛ばしました (%s)"), {path, reason});
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

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
