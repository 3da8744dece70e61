#include "app/screens/image_background.h"

#include "base/arithmetic.h"
#include "edit/draw_site_widget.h"
#include "objects/picture_back_image.h"
#include "render/raster/pixel_layout.h"

namespace poremi {
namespace {

constexpr TColor kWhite = 0xFFFFFF;

}  // namespace

TRect faceClipOfPicture(int faceWidth, int faceHeight, QSize picture) {
    const int w = picture.width();
    const int h = picture.height();
    // A face without height would divide by zero just as one without width.
    if (faceWidth == 0 || faceHeight == 0 || picture.isEmpty()) return {0, 0, w, h};
    int width = mulDiv(faceWidth, h, faceHeight);
    int height = h;
    if (width > w) {
        height = mulDiv(faceHeight, w, faceWidth);
        width = w;
    }
    const int left = int(idiv(w - width, 2));
    const int top = int(idiv(h - height, 2));
    return {left, top, left + width, top + height};
}

TLOBackImage* findBackground(const TDrawSite& site) {
    for (TDrawObject* object : site.collectObjects(false))
        if (auto* background = dynamic_cast<TLOBackImage*>(object)) return background;
    return nullptr;
}

TLOBackImage& applyBackground(TDrawSite& site, const TImageData& picture, const TFaceInfo& face) {
    TLOBackImage* background = findBackground(site);
    if (!background) {
        background = new TLOBackImage(&site);
        background->setRect({0, 0, site.logWidth(), site.logHeight()});
        background->setEnabled(false);
        background->setSelectable(false);
        background->setFaceInfo(face);
        site.addDrawObject(*background);
    }
    ChangeBracket bracket(background->changeNotify());
    TColorSpec& fill = background->fillColor();
    fill.imageData().assign(picture);
    fill.setKind(TColorSpecKind::cskBitmap);
    fill.setTile(false);
    fill.setTileShift(false);
    background->setFrameWidth(0);
    return *background;
}

bool hasShownBackground(const TDrawSite& site) {
    const TLOBackImage* background = findBackground(site);
    if (!background) return false;
    const TColorSpec& fill = background->fillColor();
    return fill.kind() != TColorSpecKind::cskSolid || colorToRgb(fill.color()) != kWhite;
}

}  // namespace poremi
