#pragma once
// Grouping the selected objects into one group object, and taking selected groups apart.
// Each command is one undo step.

namespace poremi {

class TDrawSite;

// At least two objects are selected.
bool canGroup(const TDrawSite& site);
// A group is selected.
bool canUngroup(const TDrawSite& site);

// Replaces the selected objects by a selected group holding copies of them, in their stacking
// order; recorded as "グループ化" (the group's addition and each object's deletion), closed
// also when an error passes. Nothing with fewer than two selected.
void groupObjects(TDrawSite& site);

// Puts copies of the members of every selected group on the site, selected, and removes the
// groups; recorded as "グループ化解除", closed also when an error passes.
void ungroupObjects(TDrawSite& site);

}  // namespace poremi
