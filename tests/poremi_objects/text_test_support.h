#pragma once
// What the text object tests share: fonts pinned to the IPA faces under the shipped
// Windows-name mapping, whatever else the machine has installed, and painting an object into
// a picture at a resolution.

#include <QtCore/QSize>
#include <QtGui/QImage>

namespace poremi {
class TDrawObject;
}

namespace poremi::test {

void useTextTestFonts();

// The object painted at dpi onto a background covering unitsSize document units from (0, 0).
QImage renderObject(TDrawObject& object, int dpi, QRgb background = 0xFFFFFFFF, QSize unitsSize = {1400, 900});
// Into the test-output folder, for a person to look at.
void saveSample(const QImage& image, const char* fileName);

}  // namespace poremi::test
