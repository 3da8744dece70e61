#pragma once
// Pins the fonts of a test process to the IPA faces (and DejaVu Sans, a face without vertical
// forms) with the shipped Windows-name mapping on top.

#include <QtCore/QString>

namespace poremi::test {

void pinFonts();
// The folder for images a person looks at: test::outputFolder(), made to name this library's
// folder under the build folder even when the runner did not pass it on.
QString sampleFolder();
// The file of a pinned face, or empty when the machine lacks it.
QString pinnedFaceFile(const QString& fileName);

}  // namespace poremi::test
