#pragma once
// Asks for a picture file through the user-interface service and loads it.

#include "render/raster/picture.h"

#include <QtCore/QString>

namespace poremi {

// Loads the chosen file into picture. False when the question was cancelled, or when the
// file does not load (reported as "イメージの読み込みに失敗しました"); picture is then unchanged.
bool choosePictureFile(const QString& title, TPicture& picture);

}  // namespace poremi
