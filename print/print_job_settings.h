#pragma once
// What one print job prints: copies, faces, marks and the position adjustment.

#include <QtCore/QPoint>
#include <vector>

namespace poremi {

struct TPrintSpec {
    int copies = 1;
    // Faces chosen when not all faces print; missing entries are false.
    std::vector<bool> faceSelection;
    bool printOutlines = false;
    bool printCutLines = false;
    // 0.1 mm; positive x moves everything right, positive y down.
    QPoint offset;
    bool allFaces = true;
    // The label counter advances only on printed faces.
    bool countSelectedOnly = false;
    bool printPaperImages = false;
    // A partly used sheet: on the first copy the faces before this one stay blank and do not
    // use up merge records.
    int firstFace = 0;
    // A printer's scale correction (1.0 = none), about the sheet's corner.
    double scaleX = 1.0;
    double scaleY = 1.0;

    bool isFacePrinted(int face) const {
        if (allFaces) return true;
        return face >= 0 && static_cast<std::size_t>(face) < faceSelection.size() && faceSelection[face];
    }
    // Grows the selection as needed.
    void selectFace(int face, bool selected = true) {
        if (face < 0) return;
        if (static_cast<std::size_t>(face) >= faceSelection.size()) faceSelection.resize(face + 1, false);
        faceSelection[face] = selected;
    }
};

}  // namespace poremi
