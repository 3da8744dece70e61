#include "document/model/action_history.h"
#include "edit/clip_editor.h"
#include "edit/ghost.h"
#include "edit/rect_designer.h"

#include <QtGui/QMouseEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace poremi {
namespace {

// A 200 × 100 picture in an editor with a 10 % margin, in a 500 × 400 pane.
class ClipEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        TDODesignerList::instance().clear();
        registerSiteDesigners();
        TActionList::instance().clear();
        pane.resize(500, 400);
        editor = new TClipEditor(&pane);
        editor->setResolution({96, 96});
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::red);
        editor->setPicture(picture);
        pane.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    }
    void TearDown() override {
        TGhostList::instance().clear();
        TActionList::instance().clear();
        TDODesignerList::instance().clear();
    }
    void drag(QPoint logicalFrom, QPoint pixels, Qt::KeyboardModifiers modifiers) {
        const QPoint from = editor->logToPixel(logicalFrom);
        const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(at), QPointF(editor->mapToGlobal(at)), button, buttons, modifiers);
            QApplication::sendEvent(editor, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, from + pixels, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, from + pixels, Qt::LeftButton, Qt::NoButton);
    }

    QWidget pane;
    TClipEditor* editor = nullptr;
};

TEST_F(ClipEditorTest, LaysThePictureOutWithItsMarginFittedIntoThePane) {
    EXPECT_EQ(editor->logicalSize(), QSize(240, 120));
    EXPECT_EQ(editor->scaler().scale(), 100 * 500 / 240);
    EXPECT_EQ(editor->clipRect(), (TRect{0, 0, 200, 100}));
    EXPECT_TRUE(editor->clipObject().isSelected());

    editor->setClipRect({10, 10, 110, 60});
    EXPECT_EQ(editor->clipObject().rect(), (TRect{30, 20, 130, 70}));
    EXPECT_EQ(editor->clipRect(), (TRect{10, 10, 110, 60}));
}

TEST_F(ClipEditorTest, ShiftCannotReleaseALockedAspect) {
    editor->setClipRect({0, 0, 100, 50});
    editor->clipObject().setKeepAspect(true);
    editor->clipObject().setAspectLocked(true);
    editor->refreshHandles();
    drag({120, 60}, {41, 5}, Qt::ShiftModifier);  // handle 7 of the clip, the margin being 20 × 10
    const TRect locked = editor->clipRect();
    EXPECT_EQ(locked.left, 0);
    EXPECT_EQ(rectWidth(locked), 2 * rectHeight(locked));
    EXPECT_GT(rectWidth(locked), 100);

    editor->setClipRect({0, 0, 100, 50});
    editor->clipObject().setAspectLocked(false);
    drag({120, 60}, {41, 5}, Qt::ShiftModifier);
    EXPECT_NE(rectWidth(editor->clipRect()), 2 * rectHeight(editor->clipRect()));
}

TEST_F(ClipEditorTest, MovingTheClipNeverCopiesIt) {
    editor->setClipRect({10, 10, 110, 60});
    drag({80, 45}, {12, 8}, Qt::ControlModifier);
    EXPECT_EQ(editor->drawObjects().size(), 1u);
    EXPECT_NE(editor->clipRect(), (TRect{10, 10, 110, 60}));
    EXPECT_EQ(rectWidth(editor->clipRect()), 100);
    EXPECT_EQ(TActionList::instance().undoCaption(), QStringLiteral("移動"));
}

}  // namespace
}  // namespace poremi
