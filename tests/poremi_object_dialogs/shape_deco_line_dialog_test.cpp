// The decorated-rule dialog: the patterns of the data folder, a new rule sized from its
// pattern, a rule on a label edited by its boxes, the remembered pattern, and no dialog
// without the folder.

#include "base/arithmetic.h"
#include "document/model/action_history.h"
#include "document/model/draw_site.h"
#include "objects/dialogs/shape_deco_line_property.h"
#include "objects/dialogs/shape_designers.h"
#include "objects/dialogs/shape_length_box.h"
#include "objects/shape_deco_line.h"
#include "tests/poremi_object_dialogs/shape_modal_answer.h"
#include "tests/support/frame_fixture.h"

#include <QtTest/QTest>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace poremi {
namespace {

class ShapeDecoLineDialog : public test::FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        TActionList::instance().clear();
        TDODesignerList::instance().registerDesigner(editor_);
    }
    void TearDown() override {
        TDODesignerList::instance().unregisterDesigner(*editor_);
        TActionList::instance().clear();
        FrameTest::TearDown();
    }

    // Two patterns, 90 × 30 and 60 × 20 pixels, and a file that is no picture.
    QString makePatternFolder() {
        const QString folder = root + QStringLiteral("/bin/ILLUST/DecoLine");
        QDir().mkpath(folder);
        QImage wide(90, 30, QImage::Format_RGB32), narrow(60, 20, QImage::Format_RGB32);
        wide.fill(Qt::red);
        narrow.fill(Qt::blue);
        EXPECT_TRUE(wide.save(folder + QStringLiteral("/a_wide.png")));
        EXPECT_TRUE(narrow.save(folder + QStringLiteral("/b_narrow.png")));
        QFile text(folder + QStringLiteral("/readme.txt"));
        EXPECT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("no picture");
        return folder;
    }

    std::shared_ptr<TDODecoLineEditor> editor_ = std::make_shared<TDODecoLineEditor>();
};

TEST_F(ShapeDecoLineDialog, withoutThePatternFolderTheEditIsCancelled) {
    ui.answer(mrCancel);
    TLODecoLine rule;
    bool cancelled = false;
    EXPECT_TRUE(editor_->edit(rule, cancelled));
    EXPECT_TRUE(cancelled);
    ASSERT_EQ(ui.questions().size(), 1);
    EXPECT_TRUE(ui.texts().first().contains(QStringLiteral("飾り罫線データ")));
}

TEST_F(ShapeDecoLineDialog, aNewRuleTakesThePatternAndItsSizeAndThePatternIsRemembered) {
    const QString folder = makePatternFolder();
    TLODecoLine rule;  // on no label yet
    test::whenShown<TfrmDecoLineProperty>([](TfrmDecoLineProperty& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("飾り罫線の選択"));
        EXPECT_EQ(dialog.patterns()->count(), 2);
        EXPECT_FALSE(dialog.startXBox()->isEnabled());
        EXPECT_FALSE(dialog.lineWidthBox()->isEnabled());
        dialog.patterns()->setCurrentRow(1);
        dialog.okButton()->click();
    });
    bool cancelled = true;
    EXPECT_TRUE(editor_->edit(rule, cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(rule.image().width(), 60);
    EXPECT_EQ(rule.endPoint(), QPoint(6 * mulDiv(60, 254, 180), 0));
    EXPECT_EQ(rule.lineWidth(), mulDiv(20, 254, 180));

    TfrmDecoLineProperty again(folder, true);
    EXPECT_EQ(again.patterns()->currentRow(), 1);
}

TEST_F(ShapeDecoLineDialog, aRuleOnALabelKeepsItsSizeFromTheBoxesAndIsOneStep) {
    makePatternFolder();
    DrawSite site;
    auto* rule = new TLODecoLine(&site);
    rule->setPoints({100, 100}, {700, 100});
    rule->setLineWidth(50);
    site.addDrawObject(*rule);
    test::whenShown<TfrmDecoLineProperty>([](TfrmDecoLineProperty& dialog) {
        EXPECT_TRUE(dialog.endXBox()->isEnabled());
        dialog.endXBox()->setValue(500);
        dialog.lineWidthBox()->setValue(40);
        QListWidgetItem* first = dialog.patterns()->item(0);
        dialog.patterns()->setCurrentItem(first);
        // A double click on a pattern is OK.
        emit dialog.patterns()->itemDoubleClicked(first);
    });
    EXPECT_TRUE(rule->edit());
    EXPECT_EQ(rule->image().width(), 90);
    EXPECT_EQ(rule->endPoint(), QPoint(500, 100));
    EXPECT_EQ(rule->lineWidth(), 40);
    EXPECT_EQ(TActionList::instance().count(), 1);
    TActionList::instance().undo();
    EXPECT_FALSE(rule->image().hasGraphic());
    EXPECT_EQ(rule->endPoint(), QPoint(700, 100));
}

TEST_F(ShapeDecoLineDialog, okWaitsForAPatternWhileTheRuleHasNone) {
    const QString folder = makePatternFolder();
    TLODecoLine rule;
    TfrmDecoLineProperty dialog(folder, false);
    dialog.patterns()->setCurrentRow(-1);
    dialog.load(rule);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.patterns()->setCurrentRow(0);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST_F(ShapeDecoLineDialog, sampleOfTheDialogForPeopleToLookAt) {
    const QString folder = makePatternFolder();
    TLODecoLine rule;
    TfrmDecoLineProperty dialog(folder, true);
    dialog.load(rule);
    dialog.patterns()->setCurrentRow(0);
    dialog.show();
    QApplication::processEvents();
    const QString name = QStringLiteral("shape_deco_line_dialog_%1.png").arg(QGuiApplication::platformName());
    EXPECT_TRUE(dialog.grab().save(QDir(test::outputFolder()).filePath(name)));
}

}  // namespace
}  // namespace poremi
