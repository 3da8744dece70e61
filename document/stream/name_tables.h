#pragma once
// Names of integer values that streams write as identifiers: colours, cursors and font
// character sets. Every name is read; a value is written under the first writable name it has.

#include <QtCore/QString>
#include <optional>
#include <vector>

namespace poremi {

class IntegerNames {
public:
    struct Entry {
        qint64 value;
        QString name;
        bool written = true;  // false: a later spelling that is read but never written
    };

    explicit IntegerNames(std::vector<Entry> entries) : entries_(std::move(entries)) {}

    std::optional<QString> nameOf(qint64 value) const;
    std::optional<qint64> valueOf(const QString& name) const;  // case-insensitive

private:
    std::vector<Entry> entries_;
};

const IntegerNames& colorNames();    // clBlack … clWhite, the system colours, clNone, clDefault
const IntegerNames& cursorNames();   // crDefault, crArrow, crHandPoint, …
const IntegerNames& charsetNames();  // ANSI_CHARSET, DEFAULT_CHARSET, SHIFTJIS_CHARSET, …

// Colour values of the names programs use most.
namespace color {
constexpr qint64 clBlack = 0x000000;
constexpr qint64 clWhite = 0xFFFFFF;
constexpr qint64 clNone = 0x1FFFFFFF;
constexpr qint64 clDefault = 0x20000000;
constexpr qint64 systemColor(int index) { return qint64(std::int32_t(0x80000000u | unsigned(index))); }
}  // namespace color

}  // namespace poremi
