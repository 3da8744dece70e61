// Shapes a drawing tool makes have a size of their own, so that they show on the label before
// the user gives them one; a shape that already has one keeps it.

#include "document/model/draw_site.h"
#include "objects/shape_circle.h"
#include "objects/shape_curve.h"
#include "objects/shape_line.h"
#include "objects/shape_rect.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

TEST(ShapeToolSize, NewShapesStartWithASizeAndSizedOnesKeepTheirs) {
    DrawSite site;
    site.setLogicalSize({1200, 1200});
    TLORect rect;
    TLOCircle circle;
    for (TLORect* shape : {&rect, static_cast<TLORect*>(&circle)}) {
        shape->prepareForTool(shape->className(), site);
        EXPECT_EQ(shape->rect(), (TRect{0, 0, 300, 200})) << shape->className().toStdString();
        shape->setRect({10, 10, 60, 40});
        shape->prepareForTool(shape->className(), site);
        EXPECT_EQ(shape->rect(), (TRect{10, 10, 60, 40}));
    }
    TLOLine line;
    TLOCurve curve;
    for (TLOLine* shape : {&line, static_cast<TLOLine*>(&curve)}) {
        shape->prepareForTool(shape->className(), site);
        EXPECT_EQ(shape->endPoint() - shape->startPoint(), QPoint(400, 0)) << shape->className().toStdString();
        shape->setPoints({5, 5}, {5, 90});
        shape->prepareForTool(shape->className(), site);
        EXPECT_EQ(shape->endPoint(), QPoint(5, 90));
    }
}

}  // namespace
}  // namespace poremi
