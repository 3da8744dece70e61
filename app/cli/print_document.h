#pragma once
// What the printing commands share: the document with its chosen sheet, and the values of
// their options.

#include <QtCore/QStringList>
#include <memory>

namespace poremi {

class TLabelData;

// The document file, on the named sheet (the stored current sheet when the name is empty).
// Fails with "シート「name」がありません" when no sheet has that name, and when the sheet has
// no paper.
std::unique_ptr<TLabelData> openDocumentForPrint(const QString& fileName, const QString& sheetName);

// Takes the value after an option; fails with the option's name when it is missing.
QString optionValue(const QStringList& arguments, qsizetype& index);
// A whole number within the bounds; fails with the option's name otherwise.
int integerOption(const QString& option, const QString& value, int min, int max);
// Millimetres with at most one decimal within ±limit, as 0.1 mm.
int millimetreOption(const QString& option, const QString& value, double limit);
// Fails with "オプション option の値が正しくありません".
[[noreturn]] void badOption(const QString& option);

}  // namespace poremi
