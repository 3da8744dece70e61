#include "objects/shape_deco_line.h"

#include "base/arithmetic.h"
#include "document/stream/class_declaration.h"
#include "render/effects/quadrilateral_mapping.h"
#include "render/raster/pixel_layout.h"

#include <QtGui/QPainter>
#include <QtGui/QPolygon>
#include <algorithm>
#include <cmath>

namespace poremi {
namespace {

// The pattern's colour that is not painted.
constexpr QRgb kTransparent = 0xFFF0F0F0;

// Picture pixels at 180 per inch in document units.
int unitsOfPatternPixels(int pixels) { return mulDiv(pixels, 254, 180); }

int stripLength(QPoint start, QPoint end) {
    const double length = std::hypot(double(end.x()) - start.x(), double(end.y()) - start.y());
    return int(std::min<std::int64_t>(roundHalfEven(length), INT32_MAX));
}

}  // namespace

const TClassInfo& TLODecoLine::staticClassInfo() {
    static const TClassInfo info = describeClass<TLODecoLine, TLOLine>("TLODecoLine", [](auto& c) {
        c.object("Image", &TLODecoLine::imageObject);
    });
    return info;
}

TLODecoLine::TLODecoLine(TComponent* owner) : TLOLine(owner) { listener().listenTo(image_.notifier()); }

void TLODecoLine::setLineWidth(int width) {
    width = std::max(width, 1);
    if (width == lineWidth()) return;
    rendering_.reset();
    TLOLine::setLineWidth(width);
}

void TLODecoLine::sizeFromPattern() {
    if (!image_.hasGraphic()) return;
    ChangeBracket bracket(changeNotify());
    setPoints({0, 0}, {6 * unitsOfPatternPixels(image_.width()), 0});
    setLineWidth(unitsOfPatternPixels(image_.height()));
}

int TLODecoLine::tileCount() const {
    const std::int64_t patternWidth = image_.width(), patternHeight = image_.height();
    if (patternWidth <= 0 || patternHeight <= 0) return 0;
    const std::int64_t length = stripLength(startPoint(), endPoint());
    const std::int64_t count = length * patternHeight / (patternWidth * std::max(lineWidth(), 1));
    return int(std::clamp<std::int64_t>(count, 1, std::max<std::int64_t>(length, 1)));
}

std::array<QPoint, 4> TLODecoLine::quadrilateral() const {
    const QPointF start = startPoint(), end = endPoint();
    const QPointF along = end - start;
    const double length = std::hypot(along.x(), along.y());
    // Left of the direction of travel on the page: the strip's top.
    const QPointF across = length > 0 ? QPointF(along.y(), -along.x()) * ((lineWidth() + 4) / 2.0 / length) : QPointF();
    return {(start + across).toPoint(), (end + across).toPoint(), (end - across).toPoint(), (start - across).toPoint()};
}

TLODecoLine::Rendering TLODecoLine::render() const {
    const QImage pattern = image_.image();
    const int length = stripLength(startPoint(), endPoint());
    const int thickness = std::max(lineWidth(), 1);
    const int tiles = tileCount();
    // Stored points and widths may ask for any size: too large a rule paints nothing.
    if (pattern.isNull() || tiles == 0 || length <= 0 || !isAcceptablePictureSize(length, thickness)) return {};
    QImage strip = allocateImage(length, thickness, QImage::Format_RGB32);
    strip.fill(kTransparent);
    {
        QPainter painter(&strip);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (int i = 1; i <= tiles; ++i) {
            const int left = mulDiv(length, i - 1, tiles), right = mulDiv(length, i, tiles);
            painter.drawImage(QRect(left, 0, right - left, thickness), pattern);
        }
    }
    MappedBitmap mapped = mapOntoQuadrilateral(strip, quadrilateral(), QColor::fromRgb(kTransparent));
    if (mapped.image.isNull()) return {};
    QImage rule = convertImage(mapped.image, QImage::Format_ARGB32);
    for (int y = 0; y < rule.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(rule.scanLine(y));
        std::replace(row, row + rule.width(), kTransparent, QRgb(0));
    }
    return {rule, mapped.origin - getRect().topLeft()};
}

const TLODecoLine::Rendering& TLODecoLine::cachedRendering() const {
    if (!rendering_) rendering_ = render();
    return *rendering_;
}

const QImage& TLODecoLine::rendering() const { return cachedRendering().image; }

void TLODecoLine::strokeOutline(QPainter& painter) {
    const std::array<QPoint, 4> corners = quadrilateral();
    painter.drawPolygon(QPolygon({corners[0], corners[1], corners[2], corners[3]}));
}

void TLODecoLine::notify(MessageSender sender, const Guid& message) {
    if (message == msgChanged && sender == &image_.notifier()) {
        rendering_.reset();
        changed();
        return;
    }
    TLOLine::notify(sender, message);
}

void TLODecoLine::paint(QPainter& painter) {
    const Rendering& rule = cachedRendering();
    if (rule.image.isNull()) return;
    painter.drawImage(getRect().topLeft() + rule.offset, rule.image);
}

}  // namespace poremi
