#include "render/text/point_based_font.h"

#include "base/arithmetic.h"

namespace poremi {

int TPointBasedFont::height(int pixelsPerInch) const { return mulDiv(size, pixelsPerInch, 72); }

}  // namespace poremi
