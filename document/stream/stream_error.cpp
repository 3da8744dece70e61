#include "document/stream/stream_error.h"

#include "base/format.h"

namespace poremi::stream_error {

void invalidFormat() {
    throw EReadError(StreamFault::InvalidFormat, QStringLiteral("不正なストリーム フォーマット"));
}
void readError() {
    throw EReadError(StreamFault::ReadError, QStringLiteral("ストリームからの読み込みエラー"));
}
void writeError() {
    throw EWriteError(StreamFault::WriteError, QStringLiteral("ストリームへの書き込みエラー"));
}
void classNotFound(const QString& className) {
    throw EClassNotFound(StreamFault::ClassNotFound, format(QStringLiteral("クラス %s が見つかりません"), {className}));
}
void propertyNotFound() {
    throw EReadError(StreamFault::PropertyNotFound, QStringLiteral("プロパティが存在しません"));
}
void invalidPropertyValue() {
    throw EReadError(StreamFault::InvalidPropertyValue, QStringLiteral("不正なプロパティの値です"));
}
void invalidPropertyValueToWrite() {
    throw EWriteError(StreamFault::InvalidPropertyValue, QStringLiteral("不正なプロパティの値です"));
}
void invalidPropertyPath() {
    throw EReadError(StreamFault::InvalidPropertyPath, QStringLiteral("不正なプロパティのパスです"));
}
void duplicateName(const QString& name) {
    throw EFilerError(StreamFault::DuplicateName,
                      format(QStringLiteral("コンポーネント名 %s はすでに使われています"), {name}));
}
void invalidCast() { throw EInvalidCast(QStringLiteral("無効なクラス型キャスト")); }

}  // namespace poremi::stream_error
