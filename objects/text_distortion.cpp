#include "objects/text_distortion.h"

#include "document/stream/byte_cursor.h"
#include "document/stream/class_declaration.h"

#include <algorithm>

namespace poremi {

const TClassInfo& TTextDistortion::staticClassInfo() {
    // Streams know the distortion of a text by this name.
    static const TClassInfo info = describeClass<TTextDistortion, TPersistent>("TCoonsDistortion");
    return info;
}

void TTextDistortion::setDistortion(const TCoonsDistortion& distortion) {
    if (distortion.writeData() == distortion_.writeData()) return;
    distortion_.assign(distortion);
    changed();
}

void TTextDistortion::clear() {
    if (distortion_.isIdentity()) return;
    distortion_.clear();
    changed();
}

void TTextDistortion::boundPoints() {
    for (int side = 0; side < 4; ++side)
        for (int k = 0; k < distortion_.sideCount(side); ++k) {
            const QPointF p = distortion_.getPoint(side, k);
            const QPointF bounded(std::clamp(p.x(), -kMaxCoordinate, kMaxCoordinate),
                                  std::clamp(p.y(), -kMaxCoordinate, kMaxCoordinate));
            if (bounded != p) distortion_.setPoint(side, k, bounded);
        }
}

void TTextDistortion::changed() {
    if (OnChange) OnChange();
}

void TTextDistortion::defineProperties(TFiler& filer) {
    filer.defineBinaryProperty(
        QStringLiteral("Data"),
        [this](ByteReader& in) {
            distortion_.readData(in.readBytes(in.remaining()).toByteArray());
            boundPoints();
            changed();
        },
        [this](ByteWriter& out) { out.writeBytes(distortion_.writeData()); }, true);
}

void TTextDistortion::assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TTextDistortion*>(&source);
    if (!other) {
        TPersistent::assign(source);
        return;
    }
    setDistortion(other->distortion_);
}

}  // namespace poremi
