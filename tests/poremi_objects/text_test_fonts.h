#pragma once
// Text objects in tests are laid out in the IPA faces under the shipped Windows-name mapping,
// whatever else the machine has installed.

namespace poremi::test {

void useTextTestFonts();

}  // namespace poremi::test
