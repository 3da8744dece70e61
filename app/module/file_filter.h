#pragma once
// File dialog filters written as "description|patterns|description|patterns" pairs, turned
// into the "description (patterns)" entries of Qt's file dialog.

#include <QtCore/QStringList>

namespace poremi {

// One entry per pair; a description that already ends in its patterns in parentheses keeps
// only the text before them, and the ";"-separated patterns follow separated by blanks.
QStringList qtNameFilters(const QString& filter);

// The extension that a name typed under the entry (counted from 1) gets: the entry's first
// pattern's extension when that is a plain "*.ext"; empty otherwise ("*.*").
QString filterExtension(const QString& filter, int index);

}  // namespace poremi
