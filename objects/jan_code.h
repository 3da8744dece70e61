#pragma once
// EAN-13 and EAN-8 (JAN) symbols: the check digit, the module pattern and the drawing of a
// symbol with its human-readable digits, framed and turned, in document units.

#include "render/geometry/rect.h"
#include "render/text/point_based_font.h"

#include <QtCore/QString>
#include <vector>

class QPainter;

namespace poremi {

// The check digit (0..9) for the first 12 (texts longer than 8) or first 7 characters of
// text, or -1 when text is too short or the digits used are not all ASCII digits.
int checkDigit(const QString& text);
// 8 or 13 ASCII digits whose last one is the check digit of the others.
bool isValidJAN(const QString& text);
// A symbol can be drawn from 8 or 13 ASCII digits (the check digit is not verified).
bool isDrawableJAN(const QString& digits);

// One module of a symbol, light margins included.
struct JANModule {
    bool dark = false;
    bool guard = false;     // part of a start, centre or end guard
    int digit = -1;         // index of the digit whose pattern holds it, -1 for guards and margins
};
// The modules of the symbol: 109 for EAN-13, 81 for EAN-8, each count with
// seven light margin modules on either side; empty when the digits cannot be drawn.
std::vector<JANModule> janModules(const QString& digits);

// Draws one symbol: the digits, the frame and the rotation about the rectangle's centre
// (degrees, clockwise on the page). Nothing is drawn outside rect.
class TJANCode {
public:
    TJANCode(const TPointBasedFont& font, std::uint32_t textColor) : font_(font), textColor_(textColor) {}
    void draw(QPainter& painter, const QString& digits, const TRect& rect, bool showFrame, bool showDigits,
              int angle) const;

private:
    TPointBasedFont font_;
    std::uint32_t textColor_ = 0;
};

}  // namespace poremi
