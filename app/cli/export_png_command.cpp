#include "app/cli/commands.h"
#include "app/cli/print_document.h"
#include "base/error.h"
#include "document/model/label_data.h"
#include "print/print_site.h"
#include "print/sheet_image.h"

namespace poremi {

namespace {
constexpr int kMaxDpi = 2400;
}  // namespace

int runExportPngCommand(const QStringList& arguments) {
    QString document, output, sheet;
    int dpi = TSheetImage::kDefaultResolution;
    bool white = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--dpi")) {
            dpi = integerOption(argument, optionValue(arguments, i), 1, kMaxDpi);
        } else if (argument == QLatin1String("--sheet")) {
            sheet = optionValue(arguments, i);
        } else if (argument == QLatin1String("--background")) {
            const QString value = optionValue(arguments, i);
            if (value != QLatin1String("white") && value != QLatin1String("transparent")) badOption(argument);
            white = value == QLatin1String("white");
        } else if (!argument.startsWith(QLatin1String("--")) && document.isEmpty()) {
            document = argument;
        } else if (!argument.startsWith(QLatin1String("--")) && output.isEmpty()) {
            output = argument;
        } else {
            throw Exception(QStringLiteral("オプション %1 は使えません").arg(argument));
        }
    }
    if (document.isEmpty() || output.isEmpty()) throw Exception(QStringLiteral("文書と出力ファイルを指定してください"));
    const auto data = openDocumentForPrint(document, sheet);
    TSheetImage image(*data->Paper(), dpi, white);
    TPrintSite site(*data, TPrintSpec{});
    // The picture is already a bitmap: objects draw straight onto it.
    site.setBanding(TPrintSite::DrawDirect);
    site.Print(image);
    image.savePng(output);
    return 0;
}

}  // namespace poremi
