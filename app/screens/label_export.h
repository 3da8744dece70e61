#pragma once
// The current label of a document as a picture file: its objects drawn on the face at the real
// size (96 dpi), outside the face white.

#include <QtGui/QImage>

namespace poremi {

class TLabelData;

enum class PictureFormat { Bmp, Jpeg, Png };

// The current face of the current sheet; a null image when the document has no paper.
QImage renderCurrentLabel(TLabelData& document);
// The same, shrunk to fit maxSize keeping its proportions (for thumbnails).
QImage renderCurrentLabel(TLabelData& document, QSize maxSize);

// Writes the picture as a 24-bit file of the format; the file is replaced only when complete.
// Failures raise poremi::Exception naming the file.
void savePicture(const QImage& picture, PictureFormat kind, const QString& fileName);

}  // namespace poremi
