#include "render/text/char_layout.h"

#include <algorithm>
#include <limits>

namespace poremi {

void TCharLayout::shift(int offset) {
    for (int& position : positions) position += offset;
    inkLeft += offset;
    inkRight += offset;
}

void placeCharacters(TCharLayout& layout, int width, int spacing, int align) {
    const int n = layout.count();
    const bool justify = align == taJustify;
    layout.positions.assign(std::size_t(n), 0);
    int x = 0;
    int inkLeft = std::numeric_limits<int>::max();
    int inkRight = std::numeric_limits<int>::min();
    for (int i = 0; i < n; ++i) {
        const TABC& abc = layout.widths[std::size_t(i)];
        layout.positions[std::size_t(i)] = x;
        x += abc.a;
        inkLeft = std::min(inkLeft, x);
        inkRight = std::max(inkRight, x + abc.b);
        x += abc.b + abc.c + (justify ? 0 : spacing);
    }
    if (n == 0) inkLeft = inkRight = 0;
    layout.inkLeft = inkLeft;
    layout.inkRight = inkRight;

    switch (align) {
    case taLeft: layout.shift(-inkLeft); break;
    case taRight: layout.shift(width - inkRight); break;
    case taCenter: layout.shift((width - inkRight - inkLeft) / 2); break;
    case taJustify: {
        if (n < 2) {
            layout.shift(-inkLeft);
            break;
        }
        const long long slack = width - (inkRight - inkLeft);
        x = -inkLeft;
        for (int i = 0; i < n; ++i) {
            const TABC& abc = layout.widths[std::size_t(i)];
            layout.positions[std::size_t(i)] = x + int(slack * i / (n - 1));
            x += abc.a + abc.b + abc.c;
        }
        layout.inkLeft = 0;
        layout.inkRight = width;
        break;
    }
    default: layout.shift(-inkLeft); break;
    }
}

}  // namespace poremi
