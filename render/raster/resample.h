#pragma once
// Resampling of 8-, 24- and 32-bit bitmaps, every byte of a pixel an independent channel.
// Shrinking averages the covered area; enlarging interpolates (linear or cubic); an axis of
// equal length is copied. Other pixel formats, empty bitmaps and rectangles that do not lie
// inside the source leave the destination untouched.

#include <QtCore/QRect>
#include <QtGui/QImage>

namespace poremi {

enum class ResampleMode { Nearest = 0, Linear = 1, Cubic = 2 };

// Resamples the whole source to the destination's current size; the destination takes the
// source's pixel format (and colour table).
void resampleBitmap(QImage& destination, const QImage& source, ResampleMode mode);
void resampleRect(QImage& destination, const QImage& source, const QRect& sourceRect, ResampleMode mode);

// Computes only the part `window` of what resampling sourceRect to fullSize would give, into a
// destination of the window's size. Pixels are identical to those of the full result.
void resampleWindow(QImage& destination, const QImage& source, const QRect& sourceRect,
                    const QSize& fullSize, const QRect& window, ResampleMode mode);

// True when both rectangles are non-empty and so is their intersection (stored in result).
bool intersectRects(const QRect& a, const QRect& b, QRect* result = nullptr);

}  // namespace poremi
