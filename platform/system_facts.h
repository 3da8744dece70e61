#pragma once
// Facts about the machine that start-up checks and data-folder searches ask for.

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace poremi {

// Colour depth of the primary screen in bits per pixel; 0 when there is no screen.
int primaryScreenDepth();

// Root folders of the mounted volumes, optical media first (in place of drive letters).
QStringList mountedVolumeRoots();

// True when folder exists or can be created and a file can be written in it.
bool canWriteFolder(const QString& folder);

}  // namespace poremi
