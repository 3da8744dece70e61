#pragma once
// One label on a draw site: the current face's design put on the site below which the paper's
// own designs lie fixed, and the site's objects written back as that face's design.

#include <vector>

namespace poremi {

class TDrawObject;
class TDrawSite;
class TLabelData;

// Frees every object the site shows.
void freeSiteObjects(TDrawSite& site);

// The site takes the size of the copy's current face (its outer rectangle); its objects are
// replaced by the paper's designs of that face (turned for a landscape paper, disabled, not
// selectable, in the template layer) and the face's own objects; the site is then unmodified.
void loadFaceOntoSite(TLabelData& copy, TDrawSite& site);

// The paper's designs of a face as fixed objects owned by the site but not yet shown on it,
// relative to the face, turned for a landscape paper.
std::vector<TDrawObject*> makeTemplateObjects(const TLabelData& copy, int face, TDrawSite& site);

// Writes the site's objects, front to back, without the paper's designs and face outlines, as
// the design of the document's face.
void storeSiteObjects(const TDrawSite& site, TLabelData& document, int face);

}  // namespace poremi
