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

#include <exception>
#include <functional>
#include <memory>

class QPainter;

namespace poremi {

enum class GraphicFormat { Bitmap, Jpeg, Png, Gif, Metafile, Icon };

// Graphics read from bytes keep the bytes and check only their headers (and so their size
// against the picture budget); the pixels are decoded when first asked for, which is when the
// picture is first painted, so a document full of large pictures costs their compressed size
// until they are shown. Decoding happens once: its result, or its error, is kept. Not
// thread-safe: a graphic is decoded and drawn on one thread.
class TGraphic {
public:
    virtual ~TGraphic() = default;

    // The class name written into picture data.
    const QString& className() const { return className_; }
    GraphicFormat format() const { return format_; }

    // The size the headers declare; known without decoding.
    virtual QSize size() const = 0;
    bool isEmpty() const { return size().isEmpty(); }
    // Decoded pixels; null for metafiles. Broken pixel data raises the decoder's error, on
    // the first call and on every later one.
    virtual QImage image() const = 0;
    // The pixels as drawn: colour-keyed pixels of a transparent bitmap get alpha 0.
    virtual QImage paintedImage() const { return image(); }
    // Whether the pixels are in memory.
    bool isDecoded() const { return decoded_; }
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
    // Runs decode unless it ran before: after a success nothing happens, after a failure its
    // error is raised again.
    void decodeOnce(const std::function<void()>& decode) const;
    // For graphics made from pixels, and after the pixels were dropped for another decoding.
    void setDecoded(bool decoded) const;

private:
    QString className_;
    GraphicFormat format_;
    QByteArray kept_;
    mutable bool decoded_ = false;
    mutable std::exception_ptr failure_;
};

class TBitmapGraphic : public TGraphic {
public:
    explicit TBitmapGraphic(TSafetyBitmap bitmap = {}, QString className = QStringLiteral("TSafetyBitmap"));
    // From a BMP or CBM file, kept as it is; only the headers are read now.
    static std::unique_ptr<TBitmapGraphic> fromFile(QByteArrayView file, QString className = QStringLiteral("TSafetyBitmap"));

    // The decoded bitmap.
    const TSafetyBitmap& bitmap() const;
    // Writable bitmap; the stored file is dropped and written anew from the pixels.
    TSafetyBitmap& editBitmap();

    QSize size() const override { return isDecoded() ? bitmap_.image().size() : fileSize_; }
    QImage image() const override { return bitmap().image(); }
    QImage paintedImage() const override { return bitmap().alphaImage(); }
    std::unique_ptr<TGraphic> clone() const override { return std::make_unique<TBitmapGraphic>(*this); }
    void draw(QPainter& painter, const QRect& rect) const override { bitmap().draw(painter, rect); }

protected:
    QByteArray encodeSavedForm() const override;

private:
    mutable TSafetyBitmap bitmap_;
    QByteArray file_;
    QSize fileSize_;
};

// A graphic held in its encoded form (JPEG, PNG, GIF, icon, metafile), decoded on demand.
class TEncodedGraphic : public TGraphic {
public:
    // Reads the headers only; broken headers raise the decoder's error.
    TEncodedGraphic(GraphicFormat format, QByteArray file, QString className);
    // A JPEG or PNG made from pixels.
    static std::unique_ptr<TEncodedGraphic> jpegFromImage(const QImage& image, int quality = 75);
    static std::unique_ptr<TEncodedGraphic> pngFromImage(const QImage& image);

    const QByteArray& file() const { return file_; }
    QSize size() const override { return size_; }
    QImage image() const override;
    std::unique_ptr<TGraphic> clone() const override { return std::make_unique<TEncodedGraphic>(*this); }

    // JPEG only: decode at one half, a quarter or an eighth (1 = full size) from now on.
    void setJpegScale(int denominator);

protected:
    QByteArray encodeSavedForm() const override;

private:
    QImage decodeFile() const;

    QByteArray file_;
    mutable QImage image_;
    QSize size_;
    int jpegScale_ = 1;
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
