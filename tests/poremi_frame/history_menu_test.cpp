#include "app/frame/history_menu.h"
#include "core/history_manager.h"
#include "tests/support/frame_fixture.h"

#include <QtGui/QAction>
#include <QtWidgets/QMenu>
#include <memory>

namespace poremi::test {
namespace {

class HistoryMenuTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        history.setRegistryKey(QStringLiteral("$(OpenFileHistory)"));
    }
    THistoryManager history;
};

QStringList captions(const QMenu& menu) {
    QStringList list;
    for (QAction* a : menu.actions()) list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return list;
}

TEST_F(HistoryMenuTest, BuildsMenuItemsAfterTheAnchor) {
    QMenu menu;
    menu.addAction(QStringLiteral("開く(&O)"));
    QAction* anchor = menu.addAction(QStringLiteral("(履歴)"));
    QAction* quit = menu.addAction(QStringLiteral("終了(&X)"));
    history.setUseAccelerator(true);
    history.setLimit(12);
    history.setClearHistoryCaption(QStringLiteral("履歴の消去"));
    THistoryMenu shown(history, &menu, anchor);
    for (int i = 11; i >= 0; --i) history.add(QStringLiteral("R&B%1.lbx").arg(i));

    const QStringList list = captions(menu);
    ASSERT_EQ(list.size(), 3 + 1 + 12 + 2);
    EXPECT_FALSE(anchor->isVisible());
    EXPECT_EQ(list[2], QStringLiteral("-"));
    EXPECT_EQ(list[3], QStringLiteral("&0 R&&B0.lbx"));
    EXPECT_EQ(list[12], QStringLiteral("&9 R&&B9.lbx"));
    EXPECT_EQ(list[13], QStringLiteral("&A R&&B10.lbx"));
    EXPECT_EQ(list[14], QStringLiteral("&B R&&B11.lbx"));
    EXPECT_EQ(list[15], QStringLiteral("-"));
    EXPECT_EQ(list[16], QStringLiteral("履歴の消去"));
    EXPECT_EQ(menu.actions().last(), quit);

    QString clicked;
    history.OnMenuClick = [&](const QString& text) { clicked = text; };
    menu.actions()[5]->trigger();
    EXPECT_EQ(clicked, QStringLiteral("R&B2.lbx"));
    EXPECT_EQ(history.items().first(), QStringLiteral("R&B2.lbx"));
    EXPECT_EQ(captions(menu)[3], QStringLiteral("&0 R&&B2.lbx"));
    menu.actions().at(16)->trigger();
    EXPECT_TRUE(history.items().isEmpty());
    EXPECT_EQ(menu.actions().size(), 3);
}

TEST_F(HistoryMenuTest, ShowsTheStoredListAtOnceWithoutASeparatorAfterAFirstAnchor) {
    history.add(QStringLiteral("old.lbx"));
    QMenu menu;
    QAction* anchor = menu.addAction(QStringLiteral("(履歴)"));
    THistoryMenu shown(history, &menu, anchor);
    EXPECT_EQ(captions(menu), (QStringList{QStringLiteral("(履歴)"), QStringLiteral("old.lbx")}));
}

TEST_F(HistoryMenuTest, LeavesTheMenuAsItWasWhenDestroyedAndOutlivesItsHistory) {
    QMenu menu;
    QAction* anchor = menu.addAction(QStringLiteral("(履歴)"));
    auto list = std::make_unique<THistoryManager>();
    list->setRegistryKey(QStringLiteral("$(OpenFileHistory)"));
    {
        THistoryMenu shown(*list, &menu, anchor);
        list->add(QStringLiteral("a.lbx"));
        EXPECT_EQ(menu.actions().size(), 2);
    }
    EXPECT_EQ(menu.actions().size(), 1);

    THistoryMenu shown(*list, &menu, anchor);
    list.reset();
    menu.actions().last()->trigger();  // the history is gone: nothing happens
    EXPECT_EQ(menu.actions().size(), 2);
}

}  // namespace
}  // namespace poremi::test
