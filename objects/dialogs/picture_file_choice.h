#pragma once
// Asks for a picture file through the user-interface service and loads it.

#include "render/raster/picture.h"

#include <QtCore/QString>

namespace poremi {

// Loads a picture file and decodes it at once. A file that does not load raises
// PictureDecodeError ("イメージの読み込みに失敗しました"); picture is then unchanged.
void loadPictureFile(const QString& path, TPicture& picture);

// Loads the chosen file into picture. False when the question was cancelled, or when the
// file does not load (reported as "イメージの読み込みに失敗しました"); picture is then unchanged.
bool choosePictureFile(const QString& title, TPicture& picture);

}  // namespace poremi
