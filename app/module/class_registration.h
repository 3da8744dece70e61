#pragma once
// Registers every persisted class of every library, in a fixed order, before anything is read.

namespace poremi {

void registerAllClasses();

}  // namespace poremi
