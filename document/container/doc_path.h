#pragma once
// Paths inside a compound file: names separated by "\", "." ignored, ".." one level up,
// a leading "\" starts from the root.

#include <QtCore/QStringList>

namespace poremi {

// Resolves name against base. Throws poremi::Exception when ".." climbs above the root.
QString ResolveDocPath(const QString& base, const QString& name);

// The names of a path without empty parts ("" gives none).
QStringList DocPathComponents(const QString& path);

// Everything before the last component, and the last component.
QString DocPathFolder(const QString& path);
QString DocPathName(const QString& path);

}  // namespace poremi
