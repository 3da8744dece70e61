#include "document/model/designer.h"
#include "document/model/object_actions.h"
#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "test_objects.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::TTestBox;

// Answers the requests it is told to handle and records every request it is asked.
class RecordingDesigner : public TDODesigner {
public:
    RecordingDesigner(QString name, std::vector<QString>& asked, bool handles, bool cancels = false)
        : name_(std::move(name)), asked_(asked), handles_(handles), cancels_(cancels) {}

    bool showHandles(TDrawObject&) override {
        asked_.push_back(name_);
        return handles_;
    }
    bool beginDrag(TDrawObject&, int handle) override {
        asked_.push_back(name_ + QString::number(handle));
        return handles_;
    }
    bool edit(TDrawObject&, bool& cancelled) override {
        asked_.push_back(name_);
        cancelled = cancels_;
        return handles_;
    }
    std::unique_ptr<TDrawObject> createInstance(const QString& toolName) override {
        asked_.push_back(name_);
        if (!handles_) return nullptr;
        auto box = std::make_unique<TTestBox>();
        box->setHint(toolName);
        return box;
    }

private:
    QString name_;
    std::vector<QString>& asked_;
    bool handles_;
    bool cancels_;
};

class DesignerTest : public ::testing::Test {
protected:
    void TearDown() override { TDODesignerList::instance().clear(); }
    TDODesignerList& registry = TDODesignerList::instance();
    std::vector<QString> asked;
};

TEST_F(DesignerTest, RegisteredLaterIsAskedFirstUntilOneHandles) {
    registry.registerDesigner(std::make_shared<RecordingDesigner>("first", asked, true));
    registry.registerDesigner(std::make_shared<RecordingDesigner>("second", asked, true));
    registry.registerDesigner(std::make_shared<RecordingDesigner>("third", asked, false));
    TTestBox box;
    box.showHandles();
    EXPECT_EQ(asked, (std::vector<QString>{"third", "second"}));
    asked.clear();
    box.beginDrag(-1);
    EXPECT_EQ(asked, (std::vector<QString>{"third-1", "second-1"}));
    asked.clear();
    const std::unique_ptr<TDrawObject> made = registry.createInstance("tool");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->hint(), "tool");
    EXPECT_EQ(asked, (std::vector<QString>{"third", "second"}));
}

TEST_F(DesignerTest, UnregisteredDesignersAreNoLongerAsked) {
    auto designer = std::make_shared<RecordingDesigner>("gone", asked, true);
    registry.registerDesigner(designer);
    registry.unregisterDesigner(*designer);
    EXPECT_EQ(designer.use_count(), 1) << "the registry released it";
    EXPECT_EQ(registry.createInstance("tool"), nullptr);
    EXPECT_TRUE(asked.empty());
}

TEST_F(DesignerTest, EditReportsOnlyEditsThatWereNotCancelled) {
    DrawSite site;
    auto* box = new TTestBox(&site);
    site.addDrawObject(*box);
    int edited = 0;
    site.objectEdited = [&](TDrawObject& object) { edited += &object == box; };

    EXPECT_FALSE(box->edit()) << "no designer";
    registry.registerDesigner(std::make_shared<RecordingDesigner>("cancelling", asked, true, true));
    EXPECT_FALSE(box->edit());
    EXPECT_EQ(edited, 0);
    registry.registerDesigner(std::make_shared<RecordingDesigner>("editing", asked, true));
    EXPECT_TRUE(box->edit());
    EXPECT_EQ(edited, 1);
    EXPECT_EQ(asked, (std::vector<QString>{"cancelling", "editing"}));
}

// A class under a name the creator knows, registered for this test only.
class TTestText : public TTestBox {
    POREMI_PERSISTENT(TTestText)
public:
    using TTestBox::TTestBox;
};

const TClassInfo& TTestText::staticClassInfo() {
    static const TClassInfo info = describeClass<TTestText, TTestBox>("TLOText");
    return info;
}

TEST_F(DesignerTest, CreatorMakesTheClassesOfItsToolNamesThatAreRegistered) {
    TLOCreator creator;
    EXPECT_EQ(creator.createInstance("TLOText"), nullptr) << "class not registered yet";
    RegisterClass<TTestText>();
    for (const char* tool : {"TLOText", "TLOTextPaste"})
        EXPECT_NE(dynamic_cast<TTestText*>(creator.createInstance(tool).get()), nullptr) << tool;
    for (const char* tool : {"TLOLine", "TTestBox", "", "tloText"})
        EXPECT_EQ(creator.createInstance(tool), nullptr) << tool;
}

// A class the user draws with the mouse, under a tool name the creator knows.
class TTestField : public TTestBox {
    POREMI_PERSISTENT(TTestField)
public:
    using TTestBox::TTestBox;
};

const TClassInfo& TTestField::staticClassInfo() {
    static const TClassInfo info = describeClass<TTestField, TTestBox>("TLOField");
    return info;
}

class PlacingTest : public DesignerTest {
protected:
    void SetUp() override {
        RegisterClass<TTestText>();
        RegisterClass<TTestField>();
        site.setLogicalSize(QSize(1000, 600));
        site.objectAdded = [this](TDrawObject&) { asked.push_back("added"); };
        site.toolFinished = [this] { asked.push_back("finished"); };
    }
    void TearDown() override {
        TActionList::instance().clear();
        DesignerTest::TearDown();
    }

    // The creator registered after the editor, so that it is asked first.
    void registerWithCreator(std::shared_ptr<TDODesigner> editor) {
        if (editor) registry.registerDesigner(std::move(editor));
        registry.registerDesigner(std::make_shared<TLOCreator>());
    }

    DrawSite site;
};

TEST_F(PlacingTest, ANewObjectIsEditedFittedCentredSelectedAndRecorded) {
    registerWithCreator(std::make_shared<RecordingDesigner>("editor", asked, true));
    auto* other = new TTestBox(&site);
    site.addDrawObject(*other);
    other->setSelected(true);

    ASSERT_TRUE(registry.createObject(site, "TLOText"));
    ASSERT_EQ(site.drawObjects().size(), 2u);
    auto* made = dynamic_cast<TTestText*>(site.drawObjects().back());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->owner(), &site);
    EXPECT_EQ(site.selection(), std::vector<TDrawObject*>{made});
    EXPECT_EQ(made->cursor(), Qt::PointingHandCursor);
    EXPECT_EQ(rectCenter(made->getBounds()), QPoint(500, 300));
    EXPECT_EQ(asked, (std::vector<QString>{"added", "editor", "editor", "finished"}))
        << "the hook, the editor, the handles, then the end of the tool";
    EXPECT_EQ(TActionList::instance().undoCaption(), "追加");
    TActionList::instance().undo();
    EXPECT_EQ(site.drawObjects().size(), 1u);
}

TEST_F(PlacingTest, ACancelledEditorLeavesNothing) {
    registerWithCreator(std::make_shared<RecordingDesigner>("editor", asked, true, true));
    EXPECT_TRUE(registry.createObject(site, "TLOText"));
    EXPECT_TRUE(site.drawObjects().empty());
    EXPECT_TRUE(site.components().empty()) << "freed (LeakSanitizer)";
    EXPECT_FALSE(TActionList::instance().canUndo());
}

TEST_F(PlacingTest, DrawnToolsStartTheCreationDragWithoutTheEditor) {
    registerWithCreator(std::make_shared<RecordingDesigner>("designer", asked, true));
    EXPECT_TRUE(registry.createObject(site, "TLOField"));
    ASSERT_EQ(site.drawObjects().size(), 1u);
    EXPECT_FALSE(site.drawObjects().front()->isVisible());
    EXPECT_EQ(asked, (std::vector<QString>{"added", "designer-2", "finished"}));
    EXPECT_FALSE(TActionList::instance().canUndo()) << "the creation drag records it";
}

TEST_F(PlacingTest, UnknownToolsAreNotHandled) {
    registerWithCreator(nullptr);
    EXPECT_FALSE(registry.createObject(site, "TLONothing"));
    EXPECT_FALSE(registry.createObject(site, "TLORect")) << "class not registered";
    EXPECT_TRUE(site.components().empty());
}

}  // namespace
}  // namespace poremi
