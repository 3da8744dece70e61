#pragma once
// Opening the user's paper database when the program starts, and the user-paper backups.
//
// On Linux the shipped database lies beside the executable and is only read; the user works on
// a copy in the per-user preference folder, made from the shipped one on the first start. A
// pending update file, or a shipped database of a newer release than the user's, is merged in
// at start: the user's papers are rebuilt into the ".usr" file beside the database, the new
// system papers are merged into it, and only when both steps succeeded does it replace the
// database (and the update file go). A failure leaves everything as it was for the next start.
//
// A working database that does not read completely is moved aside (kept, named with the date)
// and rebuilt from the shipped one, with the user's papers brought back from every paper stream
// of the damaged file that still reads and from the newest user-paper backup; the user is told
// once what came back and where the damaged file lies.

#include "paper/database/papers.h"

#include <functional>
#include <memory>

namespace poremi {

struct PaperDatabaseFiles {
    QString database;  // the user's working database
    QString update;    // a downloaded update waiting to be merged
    QString shipped;   // the database shipped beside the executable
    QString backups;   // the folder whose user-paper backups (*.ppb) a rebuild draws on; may be empty
};

struct PaperDatabaseFeedback {
    // The wait window: shown with the text, hidden with an empty one.
    std::function<void(const QString& text)> wait;
    MergeProgress progress;
    // The caption of the message that tells of a rebuilt database (the application title).
    QString caption;
};

inline const QString kPaperWaitText = QStringLiteral("処理中です。少しお待ちください．．．");

// The message after a damaged database was rebuilt: the database's file name, then the user
// papers brought back from it; the backup line only when a backup was drawn on.
inline const QString kDamagedPapersRebuilt =
    QStringLiteral("用紙情報ファイル「%s」が壊れていたため、作り直しました。\r\n"
                   "壊れたファイルから取り戻したユーザー用紙：%d件");
inline const QString kDamagedPapersBackup = QStringLiteral("バックアップ「%s」から取り戻したユーザー用紙：%d件");
inline const QString kDamagedPapersKept = QStringLiteral("壊れたファイルは「%s」に残してあります。");

// The database opened writable with its "ExtraInfos" and "PaperImages" bases. Failures raise
// the file's own error, or "アプリケーションに必要なファイル「%s」が開けませんでした".
std::unique_ptr<TPapersV2> openPaperDatabaseAtStart(const PaperDatabaseFiles& files,
                                                    const PaperDatabaseFeedback& feedback = {});

// A database file opened with the two standard bases.
std::unique_ptr<TPapersV2> openPaperDatabase(const QString& fileName, bool readOnly);
// An empty database with the two standard bases that replaces fileName when closed.
std::unique_ptr<TPapersV2> createPaperDatabase(const QString& fileName);

// User-paper backups (".ppb"): export writes the file anew (an old backup stays until the new one
// is complete); import skips system papers.
inline const QString kUserPaperBackupFilter = QStringLiteral("用紙情報のバックアップ(*.ppb)|*.ppb|すべてのファイル(*.*)|*.*");
inline const QString kUserPaperBackupExtension = QStringLiteral("ppb");
inline const QString kImportUserPapersTitle = QStringLiteral("ユーザー用紙情報の選択");
inline const QString kExportUserPapersTitle = QStringLiteral("ユーザー用紙情報の保存");
inline const QString kUserPapersExported = QStringLiteral("ユーザー用紙情報を保存しました");
inline const QString kUserPapersImported = QStringLiteral("ユーザー用紙情報を取り込みました");
void exportUserPapers(const TPapersV2& database, const QString& backupFile);
void importUserPapers(TPapersV2& database, const QString& backupFile);

}  // namespace poremi
