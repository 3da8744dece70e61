#pragma once
// One line measured and placed: per character the A, B and C widths (lead-in, ink, trail)
// and the pen position, with the line's ink edges after alignment.

#include <QtCore/QString>
#include <vector>

namespace poremi {

struct TABC {
    int a = 0;
    int b = 0;
    int c = 0;
    friend bool operator==(const TABC&, const TABC&) = default;
};
using TABCArray = std::vector<TABC>;
using TIntArray = std::vector<int>;

enum TTextAlign : int { taLeft = 0, taCenter = 1, taRight = 2, taJustify = 3 };

struct TCharLayout {
    QString line;
    std::vector<char32_t> characters;   // code points of the line
    TABCArray widths;
    TIntArray positions;
    int inkLeft = 0;
    int inkRight = 0;
    int height = 0;

    int count() const { return int(characters.size()); }
    int inkWidth() const { return inkRight - inkLeft; }
    // Moves the positions and the ink edges along the line.
    void shift(int offset);
};

// Places the measured characters for an available width: alignment 0–3, spacing added after
// every character unless justifying. Justification ends the last character's ink exactly at width.
void placeCharacters(TCharLayout& layout, int width, int spacing, int align);

}  // namespace poremi
