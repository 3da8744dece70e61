#include "print/sheet_image.h"

#include "base/arithmetic.h"
#include "base/error.h"
#include "base/native_path.h"
#include "paper/paper_info.h"
#include "render/raster/pixel_layout.h"

#include <QtCore/QSaveFile>
#include <QtGui/QImageWriter>
#include <climits>

namespace poremi {

TSheetImage::TSheetImage(const TPaperInfo& paper, int resolution, bool whiteBackground) : resolution_(resolution) {
    // Pixels round up so that the sheet's far edges are inside the picture.
    const auto pixels = [resolution](int length) {
        return static_cast<int>(std::min<std::int64_t>((std::int64_t(std::max(length, 1)) * resolution + 253) / 254, INT_MAX));
    };
    if (resolution <= 0) throw Exception(QStringLiteral("メモリが不足しています"));
    image_ = allocateImage(pixels(paper.width()), pixels(paper.height()), QImage::Format_ARGB32_Premultiplied);
    image_.setDotsPerMeterX(mulDiv(resolution, 10000, 254));
    image_.setDotsPerMeterY(mulDiv(resolution, 10000, 254));
    image_.fill(whiteBackground ? Qt::white : Qt::transparent);
    painter_.begin(&image_);
}

const QImage& TSheetImage::finish() {
    if (painter_.isActive()) painter_.end();
    return image_;
}

void TSheetImage::savePng(const QString& fileName) {
    finish();
    QSaveFile file(toNativePath(fileName));
    const auto failed = [&fileName] { return Exception(QStringLiteral("「%1」を作成できません").arg(fileName)); };
    if (!file.open(QIODevice::WriteOnly)) throw failed();
    QImageWriter writer(&file, "png");
    if (!writer.write(image_) || !file.commit()) throw failed();
}

}  // namespace poremi
