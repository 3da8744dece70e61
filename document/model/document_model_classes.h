#pragma once
// Makes the constructible classes of the document model known to the stream by name.

namespace poremi {

// Registers, in this order: TDOGroup.
void registerDocumentModelClasses();

}  // namespace poremi
