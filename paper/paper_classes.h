#pragma once
// Makes the persisted classes of papers, purposes and product records constructible by name.

namespace poremi {

// Registers, in this order: TMatrixPaperInfo, TFreePaperInfo, TPLStreamer, TProductInfo.
void registerPaperClasses();

}  // namespace poremi
