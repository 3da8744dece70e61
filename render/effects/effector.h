#pragma once
// An effector turns a rectangle of a source bitmap into a new bitmap of the rectangle's size
// and the source's pixel format. It is a plain object made for one run.
//
// Pixels are bytes blue, green, red: QImage::Format_BGR888 (24-bit) or QImage::Format_RGB32
// (32-bit on little-endian machines, the fourth byte kept 0xFF as Qt requires). Other formats
// are left alone.

#include "render/geometry/rect.h"

#include <QtGui/QImage>

namespace poremi {

// 3 for Format_BGR888, 4 for Format_RGB32, 0 for every format the effects leave alone.
int effectBytesPerPixel(const QImage& image);

class TGREffector {
public:
    virtual ~TGREffector() = default;

    const QImage& source() const { return source_; }
    void setSource(const QImage& source) { source_ = source; }
    const TRect& sourceRect() const { return sourceRect_; }
    void setSourceRect(const TRect& rect) { sourceRect_ = rect; }

    // Gives destination the source's format and the rectangle's size, row y and column x
    // taken from row Top + y and column Left + x of the source. Leaves it untouched when the
    // source's format is not an effect format or the rectangle is empty or reaches outside it.
    void execute(QImage& destination) const;

protected:
    // Called with a valid source and rectangle; destination already has the right format and
    // size, and its bytes are to be written. False when working memory could not be had.
    virtual bool run(const QImage& source, const QRect& rect, QImage& destination) const = 0;

private:
    QImage source_;
    TRect sourceRect_;
};

}  // namespace poremi
