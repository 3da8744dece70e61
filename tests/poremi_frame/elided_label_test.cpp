// A long status text gives way to the panels beside it instead of being drawn over them.

#include "app/frame/elided_label.h"

#include <QtTest/QTest>
#include <QtWidgets/QStatusBar>
#include <gtest/gtest.h>

namespace poremi {
namespace {

TEST(ElidedLabel, ALongStatusTextShrinksBesideFixedPanels) {
    QStatusBar bar;
    auto* panel = new QLabel(QStringLiteral("位置(30.0mm,70.0mm),ｻｲｽﾞ(50.0mm,30.0mm)"));
    panel->setFixedWidth(250);
    bar.addWidget(panel);
    const QString text = QStringLiteral("通常使うプリンタがセットされていません");
    auto* status = new ElidedLabel(text);
    bar.addPermanentWidget(status);
    bar.resize(400, 24);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    EXPECT_EQ(panel->width(), 250);
    EXPECT_LE(panel->geometry().right(), status->geometry().left());
    EXPECT_LE(status->geometry().right(), bar.width());
    EXPECT_LT(status->width(), status->sizeHint().width());
    EXPECT_EQ(status->toolTip(), text);
}

}  // namespace
}  // namespace poremi
