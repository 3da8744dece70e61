#include "platform/cfb/compound_file_error.h"

namespace poremi::cfb {
namespace {

QString messageOf(ErrorCode code, const QString& subject) {
    switch (code) {
    case ErrorCode::FileNotFound: return QStringLiteral("「%1」が見つかりません").arg(subject);
    case ErrorCode::AccessDenied: return QStringLiteral("「%1」にアクセスできません").arg(subject);
    case ErrorCode::AlreadyExists: return QStringLiteral("「%1」は既に存在します").arg(subject);
    case ErrorCode::InvalidName: return QStringLiteral("「%1」は要素の名前に使えません").arg(subject);
    case ErrorCode::NotCompoundFile: return QStringLiteral("「%1」は複合ファイルではありません").arg(subject);
    case ErrorCode::Corrupt: return QStringLiteral("複合ファイルが壊れています（%1）").arg(subject);
    case ErrorCode::ReadFault: return QStringLiteral("複合ファイルを読み込めません（%1）").arg(subject);
    case ErrorCode::WriteFault: return QStringLiteral("複合ファイルに書き込めません（%1）").arg(subject);
    case ErrorCode::TooLarge: return QStringLiteral("複合ファイルの大きさの上限を超えます（%1）").arg(subject);
    }
    return subject;
}

}  // namespace

void throwError(ErrorCode code, const QString& subject) { throw CompoundFileError(code, messageOf(code, subject)); }

}  // namespace poremi::cfb
