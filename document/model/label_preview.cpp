#include "document/model/label_preview.h"

#include "document/model/objects_thumbnail.h"
#include "paper/face_info.h"
#include "render/raster/bmp_reader.h"
#include "render/raster/picture_codecs.h"

namespace poremi {

namespace {
const QSize kPreviewSize(200, 200);
}

QByteArray previewBytes(const std::vector<TDrawObject*>& objects, const TFaceInfo& face) {
    if (objects.empty()) return {};
    TFaceInfo atOrigin = face;
    const TRect outer = face.outerRect();
    atOrigin.setOuterRect({0, 0, rectWidth(outer), rectHeight(outer)});
    return encodePng(objectsThumbnail(objects, atOrigin, Qt::white, kPreviewSize));
}

QImage readPreview(const QByteArray& bytes) {
    if (bytes.isEmpty()) return {};
    try {
        if (bytes.startsWith("BM")) return readDib(bytes).toImage();
        return decodePng(bytes);
    } catch (const Exception&) {
        // A preview only shows what the design holds; one that cannot be read is no preview.
        return {};
    }
}

}  // namespace poremi
