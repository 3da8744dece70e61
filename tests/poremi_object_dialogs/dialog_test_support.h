#pragma once
// What the object dialogs' tests share: palette clicks, and for the picture-like dialogs a
// frame with the object classes registered, an empty history around each test and a site.

#include "document/model/action_history.h"
#include "document/model/document_model_classes.h"
#include "document/model/draw_site.h"
#include "objects/dialogs/color_grid.h"
#include "objects/object_classes.h"
#include "tests/support/frame_fixture.h"

#include <QtTest/QTest>

namespace poremi::test {

// Clicks a cell of a palette grid as a user does.
inline void chooseCell(TColGrid* grid, int index) {
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(index).center());
}

class PictureDialogTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        registerDocumentModelClasses();
        registerObjectClasses();
        TActionList::instance().clear();
    }
    void TearDown() override {
        TActionList::instance().clear();
        FrameTest::TearDown();
    }

    // A new object of the class on the site, over the rectangle.
    template <class Object>
    Object* place(const TRect& rect) {
        auto* object = new Object(&site);
        site.addDrawObject(*object);
        object->setRect(rect);
        return object;
    }

    DrawSite site;
};

}  // namespace poremi::test
