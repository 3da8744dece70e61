#pragma once
// A picture: holds at most one graphic and persists it as the binary property "Data" (the
// graphic's class name as a short string, then its saved form), written only when the
// picture holds a graphic.

#include "document/stream/persistent.h"
#include "render/raster/change_notifier.h"
#include "render/raster/graphic.h"
#include "render/raster/picture_codecs.h"

#include <memory>

namespace poremi {

class TPicture : public TPersistent {
    POREMI_PERSISTENT(TPicture)
public:
    TPicture() = default;

    const TGraphic* graphic() const { return graphic_.get(); }
    bool hasGraphic() const { return graphic_ != nullptr; }
    void setGraphic(std::unique_ptr<TGraphic> graphic);
    void clear() { setGraphic(nullptr); }
    int width() const { return graphic_ ? graphic_->size().width() : 0; }
    int height() const { return graphic_ ? graphic_->size().height() : 0; }
    // The graphic's pixels (null without one, or for a metafile), decoded on the first call.
    QImage image() const { return graphic_ ? graphic_->image() : QImage(); }

    // Loads a picture file by its extension; broken headers raise the decoder's error now,
    // broken pixel data when the pixels are first used.
    void loadFromFile(const QString& path);

    // Picture data as the "Data" property holds it (empty without a graphic).
    QByteArray data() const;
    void setData(QByteArrayView data);

    ChangeNotifier& notifier() { return notifier_; }
    // True while "Data" is being read from a stream.
    bool isLoading() const { return loading_; }

    void defineProperties(TFiler& filer) override;
    // Deep copy of the graphic.
    void assign(const TPersistent& source) override;

private:
    std::unique_ptr<TGraphic> graphic_;
    ChangeNotifier notifier_;
    bool loading_ = false;
};

}  // namespace poremi
