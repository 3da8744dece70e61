#include "app/cli/commands.h"
#include "app/screens/label_export.h"
#include "base/error.h"
#include "base/format.h"
#include "core/app_frame.h"
#include "document/model/label_data.h"

namespace poremi {
namespace {

constexpr int kDefaultSize = 256;
constexpr int kLargestSize = 2048;

}  // namespace

// The file manager's thumbnail of a document: its current label, at most size pixels a side.
int runThumbnailCommand(const QStringList& arguments) {
    if (arguments.size() < 2) throw Exception(QStringLiteral("使い方: poremi --thumbnail FILE PNG [SIZE]"));
    bool isNumber = true;
    const int size = arguments.size() > 2 ? arguments[2].toInt(&isNumber) : kDefaultSize;
    if (!isNumber || size < 1 || size > kLargestSize)
        throw Exception(format(QStringLiteral("大きさ「%s」は 1 から %d までの数で指定してください"), {arguments.value(2), kLargestSize}));
    TLabelData document(nullptr);
    try {
        document.LoadFromFile(arguments[0]);
    } catch (const std::exception&) {
        throw Exception(format(QStringLiteral("指定されたファイルは「%s」のデータではありません\r\n%s"),
                               {ExpandMacros(QStringLiteral("$(AppName)")), arguments[0]}));
    }
    const QImage picture = renderCurrentLabel(document, QSize(size, size));
    if (picture.isNull()) throw Exception(format(QStringLiteral("「%s」には用紙がありません"), {arguments[0]}));
    savePicture(picture, PictureFormat::Png, arguments[1]);
    return 0;
}

}  // namespace poremi
