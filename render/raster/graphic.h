#pragma once
// The graphics a picture can hold, each with the class name that picture data stores and its
// own saved form. The bytes a graphic was read from are kept, so pictures travel through
// documents byte for byte; a graphic made from pixels is encoded when first written.
//
// Class names and saved forms:
//   "TBitmap", "TSafetyBitmap", "TPCDBitmap"   32-bit length, then a BMP or CBM file
//   "TJPEGImage", "TSafetyJPEGImage"          32-bit length, then a JPEG file
//   "TMetafile"                               32-bit length (counting itself), then EMF or WMF
//   "TPNGObject" (also read: "TPngImage")     a PNG file to the end of the data
//   "TGIFImage"                               a GIF file to the end of the data
//   "TIcon"                                   an icon file to the end of the data

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtGui/QImage>

#include "render/raster/safety_bitmap.h"

#include <memory>

class QPainter;

namespace poremi {

enum class GraphicFormat { Bitmap, Jpeg, Png, Gif, Metafile, Icon };

class TGraphic {
public:
    virtual ~TGraphic() = default;

    // The class name written into picture data.
    const QString& className() const { return className_; }
    GraphicFormat format() const { return format_; }

    virtual QSize size() const = 0;
    bool isEmpty() const { return size().isEmpty(); }
    // Decoded pixels; null for metafiles.
    virtual QImage image() const = 0;
    // What follows the class name in picture data: the bytes it was read from, as they were,
    // or the encoding of the current content.
    QByteArray savedForm() const { return kept_.isNull() ? encodeSavedForm() : kept_; }
    void keepSavedForm(QByteArrayView bytes) { kept_ = bytes.toByteArray(); }
    virtual std::unique_ptr<TGraphic> clone() const = 0;
    virtual void draw(QPainter& painter, const QRect& rect) const;

protected:
    TGraphic(QString className, GraphicFormat format) : className_(std::move(className)), format_(format) {}
    virtual QByteArray encodeSavedForm() const = 0;
    void dropSavedForm() { kept_ = QByteArray(); }

private:
    QString className_;
    GraphicFormat format_;
    QByteArray kept_;
};

class TBitmapGraphic : public TGraphic {
public:
    explicit TBitmapGraphic(TSafetyBitmap bitmap = {}, QString className = QStringLiteral("TSafetyBitmap"));
    // From a BMP or CBM file, kept as it is.
    static std::unique_ptr<TBitmapGraphic> fromFile(QByteArrayView file, QString className = QStringLiteral("TSafetyBitmap"));

    const TSafetyBitmap& bitmap() const { return bitmap_; }
    // Writable bitmap; the stored file is dropped and written anew from the pixels.
    TSafetyBitmap& editBitmap();

    QSize size() const override { return bitmap_.image().size(); }
    QImage image() const override { return bitmap_.image(); }
    std::unique_ptr<TGraphic> clone() const override { return std::make_unique<TBitmapGraphic>(*this); }
    void draw(QPainter& painter, const QRect& rect) const override { bitmap_.draw(painter, rect); }

protected:
    QByteArray encodeSavedForm() const override;

private:
    TSafetyBitmap bitmap_;
    QByteArray file_;
};

// A graphic held in its encoded form (JPEG, PNG, GIF, icon, metafile) with its decoded pixels.
class TEncodedGraphic : public TGraphic {
public:
    // Decodes the file at once; broken data raises the decoder's error.
    TEncodedGraphic(GraphicFormat format, QByteArray file, QString className);
    // A JPEG or PNG made from pixels.
    static std::unique_ptr<TEncodedGraphic> jpegFromImage(const QImage& image, int quality = 75);
    static std::unique_ptr<TEncodedGraphic> pngFromImage(const QImage& image);

    const QByteArray& file() const { return file_; }
    QSize size() const override { return size_; }
    QImage image() const override { return image_; }
    std::unique_ptr<TGraphic> clone() const override { return std::make_unique<TEncodedGraphic>(*this); }

    // JPEG only: decode at one half, a quarter or an eighth (1 = full size).
    void setJpegScale(int denominator);

protected:
    QByteArray encodeSavedForm() const override;

private:
    QByteArray file_;
    QImage image_;
    QSize size_;
};

QString defaultClassName(GraphicFormat format);

// Picture data: the class name as a short string, then the graphic's saved form. Reading
// checks every length against the bytes present and raises the decoder's or the class
// lookup's error; reading empty data gives no graphic.
std::unique_ptr<TGraphic> readPictureData(QByteArrayView data);
QByteArray writePictureData(const TGraphic& graphic);

// A graphic from a file's bytes by its extension (".bmp", ".cbm", ".jpg", ".jpeg", ".png",
// ".gif", ".wmf", ".emf", ".ico"); the content decides where it disagrees with the name.
std::unique_ptr<TGraphic> graphicFromFile(QByteArrayView file, const QString& extension);

}  // namespace poremi
