#pragma once
// What the style tests share: pinned fonts with the Windows face-name mapping, and a shown site
// with a text and a rectangle on it.

#include "document/model/action_history.h"
#include "edit/draw_site_widget.h"
#include "objects/object_classes.h"
#include "objects/shape_rect.h"
#include "objects/text_object.h"
#include "render/text/font_library.h"

#include <QtCore/QPointer>
#include <gtest/gtest.h>

namespace poremi::test {

inline void pinStyleFonts() {
    static const bool pinned = [] {
        FontConfiguration configuration;
        configuration.systemFonts = false;
        configuration.files << QStringLiteral(POREMI_SOURCE_DIR "/tests/poremi_render_text/fonts-test.conf")
                            << QStringLiteral(POREMI_SOURCE_DIR "/data/fonts/poremi-fonts.conf");
        FontLibrary::configure(configuration);
        registerObjectClasses();
        return true;
    }();
    (void)pinned;
}

class StyleSiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        pinStyleFonts();
        TActionList::instance().clear();
        site = new TDrawSite;
        site->setResolution({96, 96});
        site->scaler().setUnitDpi(254);
        site->setLogSize(1200, 1200);
        text = add<TLOText>({100, 100, 600, 300});
        rect = add<TLORect>({100, 400, 600, 700});
    }
    void TearDown() override {
        delete site.data();
        TActionList::instance().clear();
    }

    template <class T>
    T* add(const TRect& r) {
        auto* object = new T(site.data());
        if constexpr (requires { object->setRect(r); }) object->setRect(r);
        site->addDrawObject(*object);
        return object;
    }
    void select(std::initializer_list<TDrawObject*> objects) {
        site->deselectAll();
        for (TDrawObject* object : objects) object->setSelected(true);
    }

    QPointer<TDrawSite> site;
    TLOText* text = nullptr;
    TLORect* rect = nullptr;
};

}  // namespace poremi::test
