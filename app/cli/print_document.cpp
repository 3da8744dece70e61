#include "app/cli/print_document.h"

#include "base/arithmetic.h"
#include "base/error.h"
#include "document/model/label_data.h"
#include "paper/paper_info.h"

#include <cmath>

#include <QtCore/QRegularExpression>

namespace poremi {

void badOption(const QString& option) {
    throw Exception(QStringLiteral("オプション %1 の値が正しくありません").arg(option));
}

std::unique_ptr<TLabelData> openDocumentForPrint(const QString& fileName, const QString& sheetName) {
    auto data = std::make_unique<TLabelData>(nullptr);
    data->LoadFromFile(fileName);
    if (!sheetName.isEmpty()) {
        QStringList names;
        data->GetSheetNames(names);
        const qsizetype index = names.indexOf(sheetName);
        if (index < 0) throw Exception(QStringLiteral("シート「%1」がありません").arg(sheetName));
        data->SetCurrentSheet(int(index));
    }
    if (!data->Paper() || data->Paper()->getFaceCount() == 0)
        throw Exception(QStringLiteral("用紙が設定されていません"));
    return data;
}

QString optionValue(const QStringList& arguments, qsizetype& index) {
    const QString& option = arguments.at(index);
    if (index + 1 >= arguments.size()) badOption(option);
    return arguments.at(++index);
}

int integerOption(const QString& option, const QString& value, int min, int max) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < min || number > max) badOption(option);
    return number;
}

int millimetreOption(const QString& option, const QString& value, double limit) {
    static const QRegularExpression format(QStringLiteral("^[+-]?\\d+(\\.\\d)?$"));
    if (!format.match(value).hasMatch()) badOption(option);
    const double millimetres = value.toDouble();
    if (std::abs(millimetres) > limit) badOption(option);
    return int(roundHalfEven(millimetres * 10));
}

}  // namespace poremi
