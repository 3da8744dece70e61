#pragma once
// What the text and date dialog tests share: pinned fonts and a preset file of their own.

#include <QtCore/QString>

namespace poremi::test {

// The pinned test fonts with the Windows face-name mapping, once per process.
void useTextDialogFonts();
// The shipped distortion presets written to a preset file in the test output, with a
// thumbnail strip beside it.
const QString& textDialogPresetFile();

}  // namespace poremi::test
