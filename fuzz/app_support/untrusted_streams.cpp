#include "fuzz/app_support/untrusted_streams.h"

#include "app/module/class_registration.h"
#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "fuzz/support/untrusted_input.h"
#include "paper/database/extra_paper_info.h"
#include "paper/paper_info.h"
#include "paper/product_info.h"
#include "paper/purpose.h"
#include "render/raster/fill_color.h"
#include "render/raster/graphic.h"
#include "render/raster/image_data.h"
#include "render/text/simple_text.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>

namespace poremi::test {
namespace {

// The persisted sub-objects of the render libraries reach a stream only inside a component;
// this one holds one of each, as the label objects will.
class TUntrustedHost : public TComponent {
    POREMI_PERSISTENT(TUntrustedHost)
public:
    TColorSpec* fill() const { return fill_.get(); }
    TSimpleText* text() const { return text_.get(); }
    TImageData* image() const { return image_.get(); }

private:
    std::unique_ptr<TColorSpec> fill_ = std::make_unique<TColorSpec>();
    std::unique_ptr<TSimpleText> text_ = std::make_unique<TSimpleText>();
    std::unique_ptr<TImageData> image_ = std::make_unique<TImageData>();
};

void registerEverything() {
    static const bool once = [] {
        registerAllClasses();
        RegisterClass<TUntrustedHost>();
        return true;
    }();
    (void)once;
}

template <class T>
void attemptInto(const QByteArray& bytes, bool resource) {
    readIgnoringErrors(bytes, [resource](QIODevice& in) {
        T root;
        resource ? ReadComponentRes(in, root) : ReadComponent(in, root);
    });
}

}  // namespace

const TClassInfo& TUntrustedHost::staticClassInfo() {
    static const TClassInfo info = describeClass<TUntrustedHost, TComponent>("TUntrustedHost", [](auto& c) {
        c.object("Fill", &TUntrustedHost::fill);
        c.object("Text", &TUntrustedHost::text);
        c.object("Image", &TUntrustedHost::image);
    });
    return info;
}

void readUntrustedStreamOfRealClasses(const QByteArray& bytes) {
    registerEverything();
    const bool resource = !bytes.isEmpty() && static_cast<unsigned char>(bytes[0]) == 0xFF;
    readIgnoringErrors(bytes, [resource](QIODevice& in) { resource ? ReadComponentRes(in) : ReadComponent(in); });
    attemptInto<TUntrustedHost>(bytes, resource);
    attemptInto<TMatrixPaperInfo>(bytes, resource);
    attemptInto<TFreePaperInfo>(bytes, resource);
    attemptInto<TProductInfo>(bytes, resource);
    attemptInto<TImagePaperInfo>(bytes, resource);
    try {
        dumpComponentStream(bytes);
    } catch (const Exception&) {
    }
}

std::vector<RealClassSeed> realClassSeeds() {
    registerEverything();
    auto host = std::make_shared<TUntrustedHost>();
    host->setName(QStringLiteral("Host"));
    host->fill()->setKind(TColorSpecKind::cskGradation);
    host->fill()->setGradKind(GradationKind::rgkBoxToRim);
    host->fill()->setGradColNum(3);
    host->text()->setText({QStringLiteral("ラベル"), QStringLiteral("A\tB")});
    host->text()->setBulge(40);
    QImage pixels(3, 2, QImage::Format_RGB32);
    pixels.fill(0x00336699);
    host->image()->picture().setGraphic(std::make_unique<TBitmapGraphic>(TSafetyBitmap(pixels)));

    auto matrix = std::make_shared<TMatrixPaperInfo>();
    matrix->setName(QStringLiteral("Matrix"));
    auto free = std::make_shared<TFreePaperInfo>();
    free->setName(QStringLiteral("Free"));
    auto extra = std::make_shared<TExPaperInfo>();
    extra->setCompany(QStringLiteral("会社"));
    extra->setRoundSize(12);
    auto product = std::make_shared<TProductInfo>();
    auto purposes = std::make_shared<TPLStreamer>();

    return {
        {"host_fill_text_image", host, componentStreamBytes(*host)},
        {"matrix_paper", matrix, componentResourceBytes(QStringLiteral("PaperInfo"), *matrix)},
        {"free_paper", free, componentResourceBytes(QStringLiteral("PaperInfo"), *free)},
        {"product_info", product, componentStreamBytes(*product)},
        {"extra_paper_info", extra, componentResourceBytes(QStringLiteral("PaperExtraInfo"), *extra)},
        {"purpose_list", purposes, componentStreamBytes(*purposes)},
    };
}

}  // namespace poremi::test
