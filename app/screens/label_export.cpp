#include "app/screens/label_export.h"

#include "base/error.h"
#include "base/format.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "document/model/objects_thumbnail.h"
#include "paper/paper_info.h"
#include "render/raster/bmp_reader.h"
#include "render/raster/picture_codecs.h"

#include <QtCore/QSaveFile>
#include <climits>

namespace poremi {

QImage renderCurrentLabel(TLabelData& document) { return renderCurrentLabel(document, QSize(INT_MAX, INT_MAX)); }

QImage renderCurrentLabel(TLabelData& document, QSize maxSize) {
    const TPaperInfo* paper = document.Paper();
    if (!paper || paper->getFaceCount() <= 0) return QImage();
    const int face = std::clamp(document.currentLabelNo(), 0, paper->getFaceCount() - 1);
    TDOList objects;
    if (document.HasLabelData(face)) document.LoadLabelObjects(face, objects);
    QImage picture;
    try {
        picture = objectsThumbnail(objects.items(), paper->getFaceInfo(face), Qt::white, maxSize);
    } catch (...) {
        objects.freeAll();
        throw;
    }
    objects.freeAll();
    return picture.convertToFormat(QImage::Format_RGB888);
}

void savePicture(const QImage& picture, PictureFormat kind, const QString& fileName) {
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    switch (kind) {
    case PictureFormat::Bmp: bytes = writeBmp(pixels); break;
    case PictureFormat::Jpeg: bytes = encodeJpeg(pixels); break;
    case PictureFormat::Png: bytes = encodePng(pixels); break;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Exception(format(QStringLiteral("ファイル「%s」に書き込めませんでした"), {fileName}));
}

}  // namespace poremi
