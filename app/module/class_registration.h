#pragma once
// Registers every persisted class of every library, in a fixed order, and installs the image
// effects of the picture filters, before anything is read.

namespace poremi {

void registerAllClasses();
// Fills the designer registry; designers registered later are asked first.
void registerAllDesigners();

}  // namespace poremi
