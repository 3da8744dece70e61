#include "edit/clipboard_objects.h"

#include "document/model/action_history.h"
#include "document/model/designer.h"
#include "document/model/draw_object.h"
#include "document/model/draw_site.h"
#include "document/model/object_actions.h"
#include "document/model/object_list.h"
#include "document/model/object_placement.h"
#include "objects/picture_image.h"
#include "objects/text_object.h"
#include "render/raster/graphic.h"
#include "render/raster/pixel_layout.h"

#include <QtCore/QBuffer>
#include <QtCore/QMimeData>
#include <algorithm>

namespace poremi {

namespace {

const QString& textFormat() {
    static const QString format = QStringLiteral("text/plain");
    return format;
}

// The picture formats read from their bytes, with the extension their reader goes by.
QString pictureExtension(const QString& format) {
    if (format == u"image/png") return QStringLiteral(".png");
    if (format == u"image/jpeg") return QStringLiteral(".jpg");
    if (format == u"image/bmp") return QStringLiteral(".bmp");
    if (format == u"image/gif") return QStringLiteral(".gif");
    return {};
}

// Qt's own picture form, already decoded by the sending side of Qt.
bool isQtImage(const QString& format) { return format == u"application/x-qt-image"; }

QStringList textLines(QString text) {
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.constLast().isEmpty()) lines.removeLast();
    return lines;
}

// The part of placing a new object that the paste shares with a drawing tool that needs no
// editor: on the site, fitted and centred, recorded, selected.
void placeNewObject(DrawSite& site, std::unique_ptr<TDrawObject> made) {
    TDrawObject* object = made.get();
    site.insertComponent(made.release());
    site.clearGhosts();
    if (site.objectAdded) {
        site.objectAdded(*object);
        object->setSelected(false);
    }
    object->setCursor(Qt::PointingHandCursor);
    site.addDrawObject(*object);
    if (object->selectable()) fitNewObject(*object, site.logicalSize(), site.visibleCentre());
    TActionList::instance().addAction(std::make_unique<TDOAddAction>(*object, QString()));
    if (object->selectable()) {
        site.deselectAll();
        object->setSelected(true);
        object->showHandles();
    }
}

std::unique_ptr<TDrawObject> madeForTool(const QString& toolName, const DrawSite& site) {
    std::unique_ptr<TDrawObject> made = TDODesignerList::instance().createInstance(toolName);
    if (made) made->prepareForTool(toolName, site);
    return made;
}

bool pasteText(DrawSite& site, const QString& text) {
    if (text.isEmpty()) return false;
    std::unique_ptr<TDrawObject> made = madeForTool(QStringLiteral("TLOTextPaste"), site);
    auto* textObject = dynamic_cast<TLOText*>(made.get());
    if (!textObject) return false;
    textObject->setText(textLines(text));
    placeNewObject(site, std::move(made));
    return true;
}

bool pastePicture(DrawSite& site, std::unique_ptr<TGraphic> graphic) {
    if (!graphic || graphic->isEmpty()) return false;
    std::unique_ptr<TDrawObject> made = madeForTool(QStringLiteral("TLOImagePaste"), site);
    auto* image = dynamic_cast<TLOImage*>(made.get());
    if (!image) return false;
    image->imageData().picture().setGraphic(std::move(graphic));
    image->sizeFromPicture();
    placeNewObject(site, std::move(made));
    return true;
}

std::unique_ptr<TGraphic> qtImageGraphic(const QMimeData& mime) {
    const QImage image = qvariant_cast<QImage>(mime.imageData());
    if (image.isNull() || !isAcceptablePictureSize(image.width(), image.height())) return nullptr;
    return TEncodedGraphic::pngFromImage(image);
}

bool isPictureFormat(const QString& format) { return !pictureExtension(format).isEmpty() || isQtImage(format); }

// The picture of one of the picture formats.
std::unique_ptr<TGraphic> pictureOfFormat(const QMimeData& mime, const QString& format) {
    if (isQtImage(format)) return qtImageGraphic(mime);
    return graphicFromFile(mime.data(format), pictureExtension(format));
}

}  // namespace

std::unique_ptr<QMimeData> objectsMimeData(const std::vector<TDrawObject*>& frontToBack) {
    std::vector<std::unique_ptr<TDrawObject>> clones;
    TDOList list;
    for (const TDrawObject* object : frontToBack) {
        clones.push_back(TDrawObject::clone(*object));
        clones.back()->setName(object->name());
        list.add(clones.back().get());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    list.writeTo(buffer);
    auto mime = std::make_unique<QMimeData>();
    mime->setData(QString::fromLatin1(kDrawObjectsMimeType), bytes);
    return mime;
}

bool canPasteFrom(const QMimeData* mime) {
    if (!mime) return false;
    const QStringList formats = mime->formats();
    for (const QString& format : formats)
        if (format == QLatin1String(kDrawObjectsMimeType) || format == textFormat() || isPictureFormat(format)) return true;
    return false;
}

bool holdsPicture(const QMimeData* mime) {
    if (!mime) return false;
    const QStringList formats = mime->formats();
    return std::any_of(formats.begin(), formats.end(), isPictureFormat);
}

std::unique_ptr<TGraphic> pictureFrom(const QMimeData& mime) {
    const QStringList formats = mime.formats();
    for (const QString& format : formats)
        if (isPictureFormat(format)) return pictureOfFormat(mime, format);
    return nullptr;
}

std::vector<std::unique_ptr<TDrawObject>> readClipboardObjects(const QMimeData& mime) {
    std::vector<std::unique_ptr<TDrawObject>> objects;
    const QString format = QString::fromLatin1(kDrawObjectsMimeType);
    if (!mime.hasFormat(format)) return objects;
    QByteArray bytes = mime.data(format);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TDOList list;
    list.readFrom(buffer);
    for (TDrawObject* object : list.items()) objects.emplace_back(object);
    return objects;
}

bool pasteAsNewObject(DrawSite& site, const QMimeData& mime) {
    const QStringList formats = mime.formats();
    for (const QString& format : formats) {
        if (format == textFormat()) return pasteText(site, mime.text());
        if (isPictureFormat(format)) return pastePicture(site, pictureOfFormat(mime, format));
    }
    return false;
}

}  // namespace poremi
