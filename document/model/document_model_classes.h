#pragma once
// Makes the constructible classes of the document model known to the stream by name.

namespace poremi {

// Registers, in this order: TDOGroup, TLDObjects, TDataInfo.
void registerDocumentModelClasses();

}  // namespace poremi
