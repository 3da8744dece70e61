#include "core/app_frame.h"
#include "core/application_macros.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

TMacroString table(const QStringList& lines) {
    TMacroString t;
    t.setLines(lines);
    return t;
}

QString errorOf(TMacroString& t, const QString& text) {
    try {
        t.expand(text);
    } catch (const EMacroString& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

TEST(MacroString, ExpandsNestedAndCaseInsensitiveNames) {
    TMacroString t = table({QStringLiteral("ExeDir=\\opt\\poremi\\"), QStringLiteral("Name=Update.ppr"),
                            QStringLiteral("UpdatePaperInfo=$(exeDir)$(NAME)"), QStringLiteral("Sel=Name"),
                            QStringLiteral("CRLF=\r\n")});
    EXPECT_EQ(t.expand(QStringLiteral("$(UpdatePaperInfo)")), QStringLiteral("\\opt\\poremi\\Update.ppr"));
    // A reference built from a macro's value: $($(Sel)) looks up "Name".
    EXPECT_EQ(t.expand(QStringLiteral("[$($(Sel))]")), QStringLiteral("[Update.ppr]"));
    EXPECT_EQ(t.expand(QStringLiteral("a$(CRLF)b")), QStringLiteral("a\r\nb"));
    EXPECT_EQ(t.expand(QStringLiteral("no macros ( ) $ here")), QStringLiteral("no macros ( ) $ here"));
}

TEST(MacroString, AppliesSuffixes) {
    TMacroString t = table({QStringLiteral("ExeDir=C:\\Poremi\\")});
    EXPECT_EQ(t.expand(QStringLiteral("$(ExeDir:Drive)")), QStringLiteral("C"));
    EXPECT_EQ(t.expand(QStringLiteral("$(ExeDir:shortPath)")), QStringLiteral("C:\\Poremi\\"));
    EXPECT_EQ(t.expand(QStringLiteral("[$(ImageFontFolder:inessential)][$(X:UNESSENTIAL)]")), QStringLiteral("[][]"));
    EXPECT_EQ(errorOf(t, QStringLiteral("$(ExeDir:upper)")), QStringLiteral("未定義のフォーマット指定(upper)が使用されています"));
}

TEST(MacroString, ReportsEachErrorWithItsPosition) {
    TMacroString t = table({QStringLiteral("A=$(B)"), QStringLiteral("B=x$(A)")});
    EXPECT_EQ(errorOf(t, QStringLiteral("abc$(")), QStringLiteral("abc$(の5文字目から始まるマクロが閉じていません"));
    EXPECT_EQ(errorOf(t, QStringLiteral("a$()b")), QStringLiteral("a$()bの3文字目から始まるマクロが間違っています"));
    EXPECT_EQ(errorOf(t, QStringLiteral("$(Missing)")), QStringLiteral("未定義のMissingマクロが使用されています"));
    EXPECT_EQ(errorOf(t, QStringLiteral("$(A)")), QStringLiteral("A マクロが循環参照されています"));
    EXPECT_TRUE(t.inProgress().isEmpty());
    // A failed expansion leaves nothing behind that would report a false cycle later.
    t.setValue(QStringLiteral("C"), QStringLiteral("$(Missing)"));
    errorOf(t, QStringLiteral("$(C)"));
    EXPECT_TRUE(t.inProgress().isEmpty());
    t.setValue(QStringLiteral("Missing"), QStringLiteral("ok"));
    EXPECT_EQ(t.expand(QStringLiteral("$(C)")), QStringLiteral("ok"));
}

TEST(MacroString, StripsEnclosingQuotesWhenAsked) {
    TMacroString t = table({QStringLiteral("Q=\"quoted value\""), QStringLiteral("One=\"")});
    EXPECT_EQ(t.expand(QStringLiteral("$(Q)")), QStringLiteral("quoted value"));
    EXPECT_EQ(t.expand(QStringLiteral("$(One)")), QStringLiteral("\""));
    t.setStripQuotes(false);
    EXPECT_EQ(t.expand(QStringLiteral("$(Q)")), QStringLiteral("\"quoted value\""));
}

TEST(MacroString, SettingAnEmptyValueRemovesTheName) {
    TMacroString t = table({QStringLiteral("A=1"), QStringLiteral("B=2")});
    t.setValue(QStringLiteral("a"), QString());
    EXPECT_EQ(t.lines(), QStringList{QStringLiteral("B=2")});
}

TEST(AppFrame, FillsInTheBuiltInMacros) {
    TAppFrame frame;
    TMacroString t;
    t.setLines(applicationMacroTable());
    frame.setMacro(t);
    FrameEnvironment env;
    env.executablePath = QStringLiteral("/opt/poremi/bin/poremi");
    env.appDataFolder = QStringLiteral("/home/u/.local/share");
    env.version = QVersionNumber({2, 3, 4, 5});
    frame.load(env);
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(ExeDir)")), QStringLiteral("\\opt\\poremi\\bin\\"));
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(SystemPaperInfo)")), QStringLiteral("\\opt\\poremi\\bin\\poremi.ppr"));
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(PaperInfo)")),
              QStringLiteral("\\home\\u\\.local\\share\\ぽれみ\\2.3\\Papers.ppr"));
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(UpdatePaperInfo)")),
              QStringLiteral("\\home\\u\\.local\\share\\ぽれみ\\2.3\\Update.ppr"));
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(SysKeyFile)|$(SysApplicationFolder)")), QStringLiteral("poremi|poremi"));
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(ShortVer) $(LongVer)")), QStringLiteral("2.3 2.3.4.5"));
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(SysRegistryKey)")), QStringLiteral("Software\\Halvik\\Poremi\\2.3\\Settings"));
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(UserPreferenceFolder)")),
              QStringLiteral("\\home\\u\\.local\\share\\ぽれみ\\2.3\\"));
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(SysMutexID)")), QStringLiteral("ぽれみ.2.3.Brevok.Japan"));
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(Quote)x$(Quote)")), QStringLiteral("x"));

    FrameEnvironment unversioned = env;
    unversioned.version = QVersionNumber();
    frame.load(unversioned);
    EXPECT_EQ(frame.expandMacros(QStringLiteral("$(ShortVer) $(LongVer)")), QStringLiteral("1.0 1.0.0.0"));
}

TEST(AppFrame, GlobalExpansionReturnsTextUnchangedWithoutFrame) {
    ASSERT_EQ(TAppFrame::instance(), nullptr);
    EXPECT_EQ(ExpandMacros(QStringLiteral("$(AppName)")), QStringLiteral("$(AppName)"));
    TAppFrame frame;
    EXPECT_EQ(ExpandMacros(QStringLiteral("$(AppName)")), QStringLiteral("Project"));
}

}  // namespace
}  // namespace poremi
