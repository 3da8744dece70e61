#pragma once
// Splitting texts: every selected text of several lines gets one new text object per line,
// stacked in the middle of the label; the source stays. One undo step.

namespace poremi {

class TDrawSite;

// A selected text object holds more than one line.
bool canSplitText(TDrawSite& site);

// Each new piece is added to the site, handed to the site's object-added hook (the screen's
// style), given the hand cursor, recorded as an addition and selected, all inside one history
// group "文字列の分割", closed also when an error passes. Afterwards the site's move options
// lose circle mode, turning with the move and the axis lock. Nothing without such a text.
void splitText(TDrawSite& site);

}  // namespace poremi
