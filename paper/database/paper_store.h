#pragma once
// The working copy of a paper database: a temporary document container that holds the whole
// tree of the database file while it is open, addressed by "\"-separated paths. The file itself
// is read once (loadFrom) and replaced only by a complete new copy (saveTo).

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <exception>
#include <memory>

namespace poremi {

class TTemporaryStorage;

class PaperStore {
public:
    // An empty working copy, deleted when the store is.
    PaperStore();
    ~PaperStore();
    PaperStore(const PaperStore&) = delete;
    PaperStore& operator=(const PaperStore&) = delete;

    // Copies the whole content of an existing compound file into the working copy.
    void loadFrom(const QString& fileName);
    // Writes the whole working copy to fileName; the file is replaced only once the new
    // copy is complete, so a failure leaves the old file as it was.
    void saveTo(const QString& fileName) const;

    bool streamExists(const QString& path) const;
    bool storageExists(const QString& path) const;
    // Creates the storage and its parents when missing.
    void createStorage(const QString& path);
    QByteArray readStream(const QString& path) const;
    // Creates or replaces the stream (and any missing storage above it).
    void writeStream(const QString& path, const QByteArray& bytes);
    // True when the element existed and is gone.
    bool deleteElement(const QString& path);
    // Within one storage.
    void renameElement(const QString& storagePath, const QString& oldName, const QString& newName);
    // Names of the direct children, sorted.
    QStringList streamNames(const QString& storagePath) const;
    QStringList storageNames(const QString& storagePath) const;
    // Copies everything below path into destinationPath of another store (created when
    // missing); same-named streams are replaced.
    void copyTo(const QString& path, PaperStore& destination, const QString& destinationPath) const;

    // Whether anything changed since the last rememberState.
    bool isChanged() const;
    void rememberState();

private:
    std::unique_ptr<TTemporaryStorage> root_;
};

// Tells on stderr, in one line, that the element at path could not be read and was passed over.
void warnUnreadable(const QString& path, const std::exception& error);

// "$" and eight upper-case hexadecimal digits: the names of numbered papers and records.
QString paperItemName(quint32 number);
// The number of such a name; 0 for any other name.
quint32 paperItemNumber(const QString& name);

}  // namespace poremi
