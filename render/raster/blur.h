#pragma once
// Gaussian blur of 8-, 24- and 32-bit bitmaps in place, every byte channel by itself, with a
// fourth-order recursive filter whose cost per pixel does not depend on the radius.

#include <QtCore/QRect>
#include <QtGui/QImage>

namespace poremi {

// Blurs the pixels inside rect (clipped to the bitmap): first down the columns with the
// vertical radius, then along the rows with the horizontal one. A radius below 1 skips its pass;
// the Gaussian has fallen to 1/255 of its peak at the distance radius + 1.
void blurBitmap(QImage& bitmap, const QRect& rect, double verticalRadius, double horizontalRadius);

// The Gaussian's standard deviation for a radius.
double blurSigma(double radius);

}  // namespace poremi
