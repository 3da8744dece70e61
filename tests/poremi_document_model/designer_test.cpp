#include "document/model/designer.h"
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

}  // namespace
}  // namespace poremi
