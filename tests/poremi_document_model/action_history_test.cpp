#include "document/model/object_actions.h"
#include "test_objects.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::TTestBox;

// Records its undo and redo calls by name.
class NamedAction : public TActionBase {
public:
    NamedAction(QString caption, std::vector<QString>& log, std::uint8_t flags = CanUndo | CanRedo)
        : TActionBase(std::move(caption), flags), log_(log) {}
    void undo() override { log_.push_back("undo " + caption()); }
    void redo() override { log_.push_back("redo " + caption()); }

private:
    std::vector<QString>& log_;
};

class ActionHistoryTest : public ::testing::Test {
protected:
    void record(const QString& caption) { history.addAction(std::make_unique<NamedAction>(caption, log)); }

    TActionList history;
    std::vector<QString> log;
};

TEST_F(ActionHistoryTest, CaptionsOfTheCommands) {
    EXPECT_EQ(history.undoCommandCaption(), "取り消し(&U)");
    EXPECT_EQ(history.redoCommandCaption(), "やり直し(&R)");
    history.addAction(std::make_unique<NamedAction>("移動", log, TActionBase::CanUndo | TActionBase::CanRedo |
                                                                     TActionBase::CanRepeat));
    EXPECT_EQ(history.undoCommandCaption(), "移動の取り消し(&U)");
    EXPECT_EQ(history.redoCommandCaption(), "移動のやり直し(&R)") << "repeat mode offers the last step again";
    history.setRepeatMode(false);
    EXPECT_EQ(history.redoCommandCaption(), "やり直し(&R)");
    history.undo();
    EXPECT_EQ(history.redoCommandCaption(), "移動のやり直し(&R)");
    EXPECT_EQ(history.undoCommandCaption(), "取り消し(&U)");
    record("");
    EXPECT_EQ(history.undoCommandCaption(), "取り消し(&U)") << "no name: never the bare suffix";
}

TEST_F(ActionHistoryTest, ElevenStepsLeaveTen) {
    history.setRepeatMode(false);
    for (int i = 1; i <= 11; ++i) record(QString::number(i));
    EXPECT_EQ(history.count(), 10);
    while (history.canUndo()) history.undo();
    EXPECT_EQ(log.size(), 10u);
    EXPECT_EQ(log.back(), "undo 2");
}

TEST_F(ActionHistoryTest, RecordingAfterUndoDropsTheRedoTail) {
    history.setRepeatMode(false);
    for (const char* step : {"a", "b", "c"}) record(step);
    history.undo();
    history.undo();
    record("d");
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(history.undoCaption(), "d");
    history.undo();
    EXPECT_EQ(history.undoCaption(), "a");
    history.redo();
    EXPECT_EQ(log.back(), "redo d");
}

TEST_F(ActionHistoryTest, GroupsAreOneStepUndoneBackward) {
    history.setRepeatMode(false);
    history.beginGroup("整列");
    record("first");
    history.beginGroup();
    record("second");
    history.endGroup();
    record("third");
    history.endGroup();
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(history.undoCaption(), "整列");
    history.undo();
    history.redo();
    EXPECT_EQ(log, (std::vector<QString>{"undo third", "undo second", "undo first", "redo first", "redo second",
                                         "redo third"}));

    history.beginGroup("empty");
    history.endGroup();
    EXPECT_EQ(history.count(), 1) << "an empty group leaves the history unchanged";
    EXPECT_THROW(history.endGroup(), EActionGroupError);
}

TEST_F(ActionHistoryTest, GroupTakesItsFirstMembersCaptionAndTheFlagsAllAllow) {
    history.beginGroup();
    history.addAction(std::make_unique<NamedAction>("移動", log));
    history.addAction(std::make_unique<NamedAction>("other", log, TActionBase::CanUndo));
    history.endGroup();
    EXPECT_EQ(history.undoCaption(), "移動");
    EXPECT_TRUE(history.canUndo());
    history.undo();
    EXPECT_FALSE(history.canRedo());
}

TEST_F(ActionHistoryTest, NothingIsKeptWhileNotRecording) {
    history.setRecording(false);
    record("x");
    EXPECT_EQ(history.count(), 0);
}

// A site with three boxes, back to front a, b, c.
struct ThreeBoxes {
    DrawSite site;
    TTestBox* a = add(10);
    TTestBox* b = add(20);
    TTestBox* c = add(30);

    TTestBox* add(int tag) {
        auto* box = new TTestBox(&site);
        box->setTag(tag);
        site.addDrawObject(*box);
        return box;
    }
    std::vector<TDrawObject*> order() const { return site.drawObjects(); }
};

TEST_F(ActionHistoryTest, UnchangedSnapshotIsDiscardedAndAChangeIsUndone) {
    ThreeBoxes s;
    auto unchanged = std::make_unique<TDOChangeAction>(*s.a, "移動");
    s.a->assign(*TDrawObject::clone(*s.a));
    TDOChangeAction::commit(std::move(unchanged), history);
    EXPECT_EQ(history.count(), 0);

    auto change = std::make_unique<TDOChangeAction>(*s.a, "移動");
    s.a->moveBy(5, 7);
    TDOChangeAction::commit(std::move(change), history);
    ASSERT_EQ(history.count(), 1);
    history.undo();
    EXPECT_EQ(s.a->rect(), TRect{});
    EXPECT_TRUE(s.a->isSelected());
    history.redo();
    EXPECT_EQ(s.a->rect(), (TRect{5, 7, 5, 7}));
}

TEST_F(ActionHistoryTest, BringingTwoObjectsToFrontIsUndoneToTheOriginalOrder) {
    ThreeBoxes s;
    history.setRepeatMode(false);
    auto action = std::make_unique<TDOLayerAction>(s.site, "最前面");
    s.a->setSelected(true);
    s.b->setSelected(true);
    s.a->bringToFrontInLayer();
    s.b->bringToFrontInLayer();
    TDOLayerAction::commit(std::move(action), history);
    const std::vector<TDrawObject*> after{s.c, s.a, s.b};
    EXPECT_EQ(s.order(), after);

    s.site.deselectAll();
    history.undo();
    EXPECT_EQ(s.order(), (std::vector<TDrawObject*>{s.a, s.b, s.c}));
    EXPECT_EQ(s.site.selection(), (std::vector<TDrawObject*>{s.a, s.b}));
    history.redo();
    EXPECT_EQ(s.order(), after);
}

TEST_F(ActionHistoryTest, UndoingADeletePutsTheObjectBackBetweenItsNeighbours) {
    ThreeBoxes s;
    auto action = std::make_unique<TDODelAction>(*s.b, "削除");
    action->perform();
    EXPECT_EQ(s.order(), (std::vector<TDrawObject*>{s.a, s.c}));
    EXPECT_EQ(s.b->owner(), nullptr);
    history.addAction(std::move(action));

    history.undo();
    EXPECT_EQ(s.order(), (std::vector<TDrawObject*>{s.a, s.b, s.c}));
    EXPECT_EQ(s.b->owner(), &s.site);
    EXPECT_TRUE(s.b->isSelected());
    history.redo();
    EXPECT_EQ(s.order(), (std::vector<TDrawObject*>{s.a, s.c}));
    history.clear();  // frees the deleted object with its action (LeakSanitizer)
}

TEST_F(ActionHistoryTest, UndoingAnAdditionThenClearingFreesTheObject) {
    ThreeBoxes s;
    TTestBox* added = s.add(40);
    history.addAction(std::make_unique<TDOAddAction>(*added));
    EXPECT_EQ(history.undoCaption(), "追加");
    history.undo();
    EXPECT_EQ(s.order().size(), 3u);
    history.clear();  // LeakSanitizer reports the object if the action kept it
}

TEST_F(ActionHistoryTest, ASiteDestroyedWithActionsPendingIsHarmless) {
    auto s = std::make_unique<ThreeBoxes>();
    auto layer = std::make_unique<TDOLayerAction>(s->site, "最前面");
    s->a->bringToFrontInLayer();
    TDOLayerAction::commit(std::move(layer), history);
    auto change = std::make_unique<TDOChangeAction>(*s->b, "移動");
    s->b->moveBy(1, 1);
    TDOChangeAction::commit(std::move(change), history);
    auto del = std::make_unique<TDODelAction>(*s->c, "削除");
    del->perform();
    history.addAction(std::move(del));
    history.undo();  // c back on the site
    history.undo();
    s.reset();
    // Every action now refers to nothing; AddressSanitizer reports any use of the freed site.
    history.redo();
    history.redo();
    history.undo();
    history.clear();
}

}  // namespace
}  // namespace poremi
