#include "core/component_macros.h"

#include "document/stream/class_declaration.h"
#include "document/stream/string_list.h"
#include "tests/support/frame_fixture.h"

namespace poremi {
namespace {

class TMacroSample : public TComponent {
    POREMI_PERSISTENT(TMacroSample)
public:
    QString caption;
    QString hidden;
    TStringList* lines() const { return lines_.get(); }

    const QString& getCaption() const { return caption; }
    void setCaption(const QString& v) { caption = v; }
    const QString& getHidden() const { return hidden; }
    void setHidden(const QString& v) { hidden = v; }

private:
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
};

const TClassInfo& TMacroSample::staticClassInfo() {
    static const TClassInfo info = describeClass<TMacroSample, TComponent>("TMacroSample", [](auto& c) {
        c.string("Caption", &TMacroSample::getCaption, &TMacroSample::setCaption);
        c.string("Hidden", &TMacroSample::getHidden, &TMacroSample::setHidden).notStored();
        c.object("Lines", &TMacroSample::lines);
    });
    return info;
}

class ComponentMacros : public test::FrameTest {};

TEST_F(ComponentMacros, ExpandsStoredTextsOfOwnedComponentsAndStringLists) {
    frame->macro().setValue(QStringLiteral("Who"), QStringLiteral("Poremi"));
    TMacroSample root;
    root.caption = QStringLiteral("by $(Who)");
    root.hidden = QStringLiteral("$(Who)");
    root.lines()->setLines({QStringLiteral("$(Who)"), QStringLiteral("plain")});
    auto* child = new TMacroSample;
    root.insertComponent(child);
    child->caption = QStringLiteral("$(Who)!");

    ExpandComponentMacros(root);
    EXPECT_EQ(root.caption, "by Poremi");
    EXPECT_EQ(root.hidden, "$(Who)");  // not stored, so not touched
    EXPECT_EQ(root.lines()->lines(), QStringList({"Poremi", "plain"}));
    EXPECT_EQ(child->caption, "Poremi!");
}

TEST_F(ComponentMacros, MacroErrorsKeepTheText) {
    TMacroSample root;
    root.caption = QStringLiteral("$(NoSuchMacro)");
    root.lines()->setLines({QStringLiteral("$(unclosed")});
    ExpandComponentMacros(root);
    EXPECT_EQ(root.caption, "$(NoSuchMacro)");
    EXPECT_EQ(root.lines()->lines(), QStringList({"$(unclosed"}));
}

}  // namespace
}  // namespace poremi
