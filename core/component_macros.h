#pragma once
// Expands macro references in what a component stores as text.

namespace poremi {

class TComponent;

// For the component and every component it owns, recursively: every stored string property
// containing "$(" is replaced by its expansion with the frame's macro table, and every stored
// sub-object is treated the same way, string lists by their whole text. A macro error leaves
// that text as it was; other errors propagate. Without a frame nothing changes.
void ExpandComponentMacros(TComponent& component);

}  // namespace poremi
