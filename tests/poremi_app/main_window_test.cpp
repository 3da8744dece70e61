#include "app/cli/commands.h"
#include "app/frame/form_position.h"
#include "core/app_frame.h"
#include "core/settings.h"
#include "document/model/object_list.h"
#include "objects/jan_object.h"
#include "paper/database/paper_database_startup.h"
#include "paper/paper_info.h"
#include "tests/poremi_app/window_fixture.h"

#include <QtCore/QFileInfo>
#include <QtCore/QUrl>
#include <QtGui/QAction>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>

namespace poremi {
namespace {

using test::WindowTest;

const QString kModifiedQuestion = QStringLiteral("データが修正されています\r\n保存しますか？");
const QString kNewTitle = QStringLiteral("ぽれみ - 新規作成");

QString openError(const QString& file) {
    return QStringLiteral("指定されたファイルは「ぽれみ」のデータではありません\r\n") + file;
}

QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        if (action->isVisible()) texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

TEST_F(WindowTest, StartsWithANewDocumentOnTheDefaultPaper) {
    window->startWith(QString());
    EXPECT_EQ(window->windowTitle(), kNewTitle);
    ASSERT_NE(window->document().Paper(), nullptr);
    EXPECT_EQ(window->document().Paper()->paperName(), QStringLiteral("A4 CDラベル 2面 (内径41mm)"));
    EXPECT_FALSE(window->document().modified());
    ASSERT_NE(window->hostedScreen(), nullptr);
    EXPECT_EQ(window->hostedScreen()->kind(), ScreenKind::Menu);
    EXPECT_TRUE(ui.questions().isEmpty());
    EXPECT_GE(window->minimumWidth(), 690);
    EXPECT_GE(window->minimumHeight(), 570);
}

TEST_F(WindowTest, NewDocumentFollowsTheDefaultPaperSettings) {
    setting::write(setting::DefaultPaperName, QStringLiteral("サンワサプライ LB-CDRJP"));
    setting::write(setting::DefaultLandScape, true);
    setting::write(setting::DefaultDesign, false);
    window->NewDocument();
    ASSERT_NE(window->document().Paper(), nullptr);
    EXPECT_EQ(window->document().Paper()->paperName(), QStringLiteral("サンワサプライ LB-CDRJP"));
    EXPECT_TRUE(window->document().Paper()->landscape());
    EXPECT_FALSE(window->document().separatelyDesign());

    // A free-layout paper is always designed face by face.
    TFreePaperInfo free;
    free.setPaperName(QStringLiteral("自由配置の用紙"));
    free.setPhysicalSize(2100, 2970);
    module->papers().savePaper(free);
    setting::write(setting::DefaultPaperName, QStringLiteral("自由配置の用紙"));
    window->NewDocument();
    ASSERT_NE(window->document().Paper(), nullptr);
    EXPECT_EQ(window->document().Paper()->paperName(), QStringLiteral("自由配置の用紙"));
    EXPECT_TRUE(window->document().separatelyDesign());

    // An unknown name falls back to the first system paper.
    setting::write(setting::DefaultPaperName, QStringLiteral("どこにもない用紙"));
    window->NewDocument();
    ASSERT_NE(window->document().Paper(), nullptr);
    const TPapersV2& papers = module->papers();
    int firstSystem = 0;
    while (!papers.getPaper(firstSystem).readOnly()) ++firstSystem;
    EXPECT_EQ(window->document().Paper()->paperName(), papers.getPaper(firstSystem).paperName());
}

TEST_F(WindowTest, ModifiedPromptCancelAndNo) {
    window->startWith(QString());
    window->show();
    window->document().setModified(true);

    ui.answer(mrCancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(ui.questions().size(), 1);
    const auto& question = ui.questions()[0];
    EXPECT_EQ(question.text, kModifiedQuestion);
    EXPECT_EQ(question.buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::No, MessageButton::Cancel}));
    EXPECT_EQ(question.defaultIndex, 0);
    EXPECT_EQ(question.cancelIndex, 2);

    ui.answer(mrNo);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(ui.fileQuestions().isEmpty());
}

TEST_F(WindowTest, ModifiedPromptYesOnANeverSavedDocumentAsksForANameAndCancellingKeepsTheWindow) {
    window->startWith(QString());
    window->show();
    window->document().setModified(true);
    ui.answer(mrYes);
    ui.cancelFile();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(ui.fileQuestions().size(), 1);
    EXPECT_EQ(ui.fileQuestions()[0].kind, FileQuestion::Kind::Save);
    EXPECT_TRUE(window->document().modified());

    // Yes with a name saves and lets the window close.
    ui.answer(mrYes);
    ui.answerFile(document(QStringLiteral("closing.lbx")));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(QFileInfo::exists(document(QStringLiteral("closing.lbx"))));
}

TEST_F(WindowTest, SavesAndReopensADocument) {
    window->startWith(QString());
    window->document().setSheetName(QStringLiteral("表のラベル"));
    window->document().setCurrentLabelNo(1);
    const QString file = document(QStringLiteral("アルバム.lbx"));
    ui.answerFile(file);
    window->action(QStringLiteral("actSave"))->trigger();

    ASSERT_EQ(ui.fileQuestions().size(), 1);
    const FileQuestion& question = ui.fileQuestions()[0];
    // Only the program's own type is offered for saving.
    EXPECT_EQ(question.filter, QStringLiteral("ぽれみデータ(*.lbx)|*.lbx|すべてのファイル(*.*)|*.*"));
    EXPECT_EQ(question.defaultExtension, QStringLiteral("lbx"));
    EXPECT_TRUE(question.overwritePrompt);
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ぽれみ - アルバム.lbx"));
    EXPECT_FALSE(window->document().modified());

    // A second save writes to the same file without asking.
    window->document().setModified(true);
    window->action(QStringLiteral("actSave"))->trigger();
    EXPECT_EQ(ui.fileQuestions().size(), 1);
    EXPECT_FALSE(window->document().modified());

    ASSERT_TRUE(window->NewDocument());
    EXPECT_EQ(window->windowTitle(), kNewTitle);
    EXPECT_NE(window->document().sheetName(), QStringLiteral("表のラベル"));
    ASSERT_TRUE(window->OpenDocument(file));
    EXPECT_EQ(window->document().sheetName(), QStringLiteral("表のラベル"));
    EXPECT_EQ(window->document().currentLabelNo(), 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ぽれみ - アルバム.lbx"));
    EXPECT_EQ(window->fileName(), file);
    EXPECT_TRUE(ui.questions().isEmpty());
}

TEST_F(WindowTest, WizardTextsBecomePlainTextOnSaveUnlessTheSpecialMenuIsOn) {
    window->startWith(QString());
    int conversions = 0;
    window->setWizardTextConversion([&](TLabelData& document) {
        EXPECT_EQ(&document, &window->document());
        ++conversions;
    });
    ASSERT_TRUE(saveAs(QStringLiteral("plain.lbx")));
    EXPECT_EQ(conversions, 1);
    setting::write(setting::EnableSpecialMenu, true);
    ASSERT_TRUE(window->save());
    EXPECT_EQ(conversions, 1);
}

TEST_F(WindowTest, OpenDialogOffersTheDocumentsAndStartsInTheLastFolder) {
    window->startWith(QString());
    ASSERT_TRUE(saveAs(QStringLiteral("a.lbx")));
    ui.cancelFile();
    EXPECT_FALSE(window->OpenDocument());
    ASSERT_EQ(ui.fileQuestions().size(), 2);
    const FileQuestion& question = ui.fileQuestions()[1];
    EXPECT_EQ(question.kind, FileQuestion::Kind::Open);
    EXPECT_EQ(question.filter, QStringLiteral("ぽれみデータ(*.lbx)|*.lbx|すべてのファイル(*.*)|*.*"));
    EXPECT_EQ(question.folder, QFileInfo(document(QStringLiteral("a.lbx"))).absolutePath());
}

TEST_F(WindowTest, AnInvalidCommandLineFileShowsTheOpenErrorThenANewDocument) {
    const QString file = document(QStringLiteral("not-a-label.lbx"));
    QFile junk(file);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a label document");
    junk.close();
    window->recentFiles().add(file);

    window->startWith(file);
    EXPECT_EQ(ui.texts(), QStringList{openError(file)});
    EXPECT_EQ(window->windowTitle(), kNewTitle);
    ASSERT_NE(window->document().Paper(), nullptr);
    EXPECT_TRUE(window->fileName().isEmpty());
    // A file that failed to open leaves the recent files.
    EXPECT_FALSE(window->recentFiles().items().contains(file));
}

TEST_F(WindowTest, AFailedOpenLeavesTheOpenDocumentAsItWas) {
    window->startWith(QString());
    window->document().setSheetName(QStringLiteral("残るシート"));
    ASSERT_TRUE(saveAs(QStringLiteral("kept.lbx")));
    const QString missing = document(QStringLiteral("missing.lbx"));
    EXPECT_FALSE(window->OpenDocument(missing));
    EXPECT_EQ(ui.texts(), QStringList{openError(missing)});
    EXPECT_EQ(window->document().sheetName(), QStringLiteral("残るシート"));
    EXPECT_EQ(window->fileName(), document(QStringLiteral("kept.lbx")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ぽれみ - kept.lbx"));
}

TEST_F(WindowTest, AFailedSaveKeepsTheNameAndTellsTheUser) {
    window->startWith(QString());
    ASSERT_TRUE(saveAs(QStringLiteral("first.lbx")));
    window->document().setModified(true);
    EXPECT_FALSE(saveAs(QStringLiteral("no-such-folder/second.lbx")));
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("データの保存に失敗しました")});
    EXPECT_EQ(window->fileName(), document(QStringLiteral("first.lbx")));
    EXPECT_TRUE(window->document().modified());
    EXPECT_EQ(window->recentFiles().items().value(0), document(QStringLiteral("first.lbx")));
}

TEST_F(WindowTest, OnlyTheFirstDroppedFileIsOpened) {
    window->startWith(QString());
    window->document().setSheetName(QStringLiteral("一つ目"));
    ASSERT_TRUE(saveAs(QStringLiteral("one.lbx")));
    window->document().setSheetName(QStringLiteral("二つ目"));
    ASSERT_TRUE(saveAs(QStringLiteral("two.lbx")));
    ASSERT_TRUE(window->NewDocument());

    window->openDroppedFiles({QUrl::fromLocalFile(document(QStringLiteral("one.lbx"))),
                              QUrl::fromLocalFile(document(QStringLiteral("two.lbx")))});
    EXPECT_EQ(window->fileName(), document(QStringLiteral("one.lbx")));
    EXPECT_EQ(window->document().sheetName(), QStringLiteral("一つ目"));
    EXPECT_TRUE(ui.questions().isEmpty());
}

TEST_F(WindowTest, RecentFilesMenuKeepsTheOrderAndClears) {
    window->startWith(QString());
    ASSERT_TRUE(saveAs(QStringLiteral("a.lbx")));
    ASSERT_TRUE(saveAs(QStringLiteral("b.lbx")));
    ASSERT_TRUE(window->OpenDocument(document(QStringLiteral("a.lbx"))));
    EXPECT_EQ(window->recentFiles().items(), (QStringList{document(QStringLiteral("a.lbx")), document(QStringLiteral("b.lbx"))}));
    EXPECT_EQ(window->recentFolders().items(), QStringList{QFileInfo(document(QStringLiteral("a.lbx"))).absolutePath()});

    auto* recent = window->findChild<QMenu*>(QStringLiteral("RecentFilesMenu"));
    ASSERT_NE(recent, nullptr);
    EXPECT_TRUE(recent->menuAction()->isEnabled());
    EXPECT_EQ(menuTexts(recent), (QStringList{QStringLiteral("&0 ") + document(QStringLiteral("a.lbx")),
                                             QStringLiteral("&1 ") + document(QStringLiteral("b.lbx")),
                                             QStringLiteral("-"), QStringLiteral("履歴の消去")}));

    // Choosing an entry opens it and moves it to the top.
    recent->actions()[2]->trigger();
    EXPECT_EQ(window->fileName(), document(QStringLiteral("b.lbx")));
    EXPECT_EQ(menuTexts(recent).value(0), QStringLiteral("&0 ") + document(QStringLiteral("b.lbx")));

    QAction* clear = nullptr;
    for (QAction* action : recent->actions())
        if (action->text() == QStringLiteral("履歴の消去")) clear = action;
    ASSERT_NE(clear, nullptr);
    clear->trigger();
    EXPECT_TRUE(window->recentFiles().items().isEmpty());
    EXPECT_TRUE(menuTexts(recent).isEmpty());
    EXPECT_FALSE(recent->menuAction()->isEnabled());
}

TEST_F(WindowTest, CommandsCarryTheirCaptionsAndShortcuts) {
    struct Row {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
        bool enabled;
    };
    const Row rows[] = {
        {"actNew", "新規作成(&N)...", QKeySequence(Qt::CTRL | Qt::Key_N), true},
        {"actOpen", "開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O), true},
        {"actSave", "保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S), true},
        {"actSaveAs", "名前を付けて保存(&A)...", {}, true},
        {"actExport", "他形式保存(&H)...", {}, true},
        {"actExit", "ぽれみの終了(&X)", {}, true},
        {"actHelp", "ぽれみの使い方(&C)", {}, true},
        {"actEnvironment", "環境設定(&E)...", {}, true},
        {"actImportPaper", "ユーザー用紙情報の取り込み(&I)...", {}, true},
        {"actExportPaper", "ユーザー用紙情報の保存(&Y)...", {}, true},
        {"actPrint", "印刷(&P)...", QKeySequence(Qt::CTRL | Qt::Key_P), true},
        {"actPrinterSetup", "プリンタ設定(&R)...", {}, true},
        {"actTemplate", "ラベルテンプレートの呼び出し(&T)...", {}, false},
        {"actSelectPaper", "用紙選択(&L)...", {}, false},
        {"actCSVSelect", "CSVファイルの選択(&F)...", {}, false},
        {"actQelEditFree", "自由に編集(&F)", {}, true},
        {"actUpdatePaper", "用紙情報の自動更新(&U)...", {}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QAction* action = window->action(QString::fromLatin1(row.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(action->shortcut(), row.shortcut);
        EXPECT_EQ(action->isEnabled(), row.enabled);
        EXPECT_TRUE(action->isVisible());
    }
    // The special commands show only with the special menu; no home page is configured here.
    EXPECT_FALSE(window->action(QStringLiteral("actAdvancedPaper"))->isVisible());
    EXPECT_FALSE(window->action(QStringLiteral("actHomepage"))->isVisible());
    setting::write(setting::EnableSpecialMenu, true);
    makeWindow();
    EXPECT_TRUE(window->action(QStringLiteral("actAdvancedURL"))->isVisible());

    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("モード(&M)"), QStringLiteral("ツール(&T)"),
                                  QStringLiteral("ヘルプ(&H)")}));
}

TEST_F(WindowTest, AMissingPrinterIsToldInTheStatusBarWithoutAQuestion) {
    module->frame().setExecuteCondition(ExecuteCondition::ecNeedPrinter);
    module->frame().setDefaultPrinterProbe([] { return false; });
    ASSERT_TRUE(module->frame().checkExecuteConditions());
    makeWindow();
    auto* status = window->findChild<QLabel*>(QStringLiteral("PrinterStatus"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QStringLiteral("通常使うプリンタがセットされていません"));
    EXPECT_FALSE(status->text().contains(QStringLiteral("コントロールパネル")));
    EXPECT_TRUE(ui.questions().isEmpty());

    module->frame().setDefaultPrinterProbe([] { return true; });
    ASSERT_TRUE(module->frame().checkExecuteConditions());
    makeWindow();
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("PrinterStatus")), nullptr);
}

TEST_F(WindowTest, WindowPositionIsRemembered) {
    window->show();
    window->setGeometry(40, 50, 720, 600);
    const QRect placed = window->normalGeometry();
    window->close();
    makeWindow();
    EXPECT_EQ(window->normalGeometry(), placed);
}

// ---- the screen protocol ---------------------------------------------------------------

// A screen that counts what it is asked to do; stores are counted for every screen together,
// since a screen that is switched away is gone.
class CountingScreen final : public Screen {
public:
    CountingScreen(ScreenKind kind, int& stores) : kind_(kind), stores_(stores) {}
    ScreenKind kind() const override { return kind_; }
    void load(TLabelData&) override { ++loads; }
    bool store(TLabelData& document) override {
        ++stores_;
        document.setModified(true);
        return true;
    }
    bool isModified() const override { return modified; }
    void markSaved() override { modified = false; }

    bool modified = false;
    int loads = 0;

private:
    ScreenKind kind_;
    int& stores_;
};

class ScreenProtocol : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->setScreenFactory([this](ScreenKind kind) { return std::make_unique<CountingScreen>(kind, stores); });
        window->startWith(QString());
    }
    CountingScreen* screen() const { return dynamic_cast<CountingScreen*>(window->hostedScreen()); }

    int stores = 0;
};

TEST_F(ScreenProtocol, ShowingTheShownScreenAgainKeepsItAndItsEdits) {
    ASSERT_TRUE(window->ShowScreen(ScreenKind::FreeDesign));
    CountingScreen* shown = screen();
    ASSERT_NE(shown, nullptr);
    shown->modified = true;
    EXPECT_FALSE(window->ShowScreen(ScreenKind::FreeDesign));
    EXPECT_EQ(screen(), shown);
    EXPECT_TRUE(shown->modified);
    EXPECT_EQ(stores, 0);
}

TEST_F(ScreenProtocol, AStoreThatWroteIsNotRepeated) {
    ASSERT_TRUE(window->ShowScreen(ScreenKind::FreeDesign));
    screen()->modified = true;
    window->StoreScreen();
    window->StoreScreen();
    EXPECT_EQ(stores, 1);
    EXPECT_FALSE(screen()->modified);
    EXPECT_TRUE(window->document().modified());
}

TEST_F(ScreenProtocol, SwitchingStoresTheOldScreenButNotOntoANewPaper) {
    ASSERT_TRUE(window->ShowScreen(ScreenKind::FreeDesign));
    screen()->modified = true;
    ASSERT_TRUE(window->ShowScreen(ScreenKind::Template));
    EXPECT_EQ(stores, 1);

    // After a new paper the screen's objects belong to the old face.
    screen()->modified = true;
    const TPapersV2& papers = module->papers();
    const TPaperInfo& other = papers.getPaper(papers.indexOfPaper(QStringLiteral("サンワサプライ LB-CDRJP")));
    window->ApplyPaper(other, true);
    EXPECT_EQ(stores, 1);
    EXPECT_EQ(window->document().Paper()->paperName(), other.paperName());
    EXPECT_EQ(window->hostedScreen()->kind(), ScreenKind::Menu);
    EXPECT_FALSE(window->justSwitched());
}

TEST_F(ScreenProtocol, OpenReloadsTheShownFreeDesignScreenWithoutStoringIt) {
    ASSERT_TRUE(saveAs(QStringLiteral("x.lbx")));
    ASSERT_TRUE(window->ShowScreen(ScreenKind::FreeDesign));
    CountingScreen* shown = screen();
    const int loads = shown->loads;
    ASSERT_TRUE(window->OpenDocument(document(QStringLiteral("x.lbx"))));
    EXPECT_EQ(screen(), shown);
    EXPECT_EQ(shown->loads, loads + 1);
    EXPECT_EQ(stores, 0);
}

// ---- export -----------------------------------------------------------

void putBarcode(TLabelData& document, int face) {
    const TRect outer = document.Paper()->getFaceInfo(face).outerRect();
    auto* code = new TLOJANCode;
    code->setJANCode(QStringLiteral("4901234567894"));
    code->setRect({outer.left + 200, outer.top + 500, outer.left + 800, outer.top + 700});
    TDOList list;
    list.add(code);
    document.SaveLabelObjects(face, list);
    list.freeAll();
}

TEST_F(WindowTest, ExportsTheCurrentLabelInTheChosenFormat) {
    window->startWith(QString());
    putBarcode(window->document(), 0);
    struct Row {
        int filter;
        const char* name;
        QByteArray signature;
    };
    const Row rows[] = {{1, "label.bmp", "BM"}, {2, "label.jpg", "\xff\xd8\xff"}, {3, "label.png", "\x89PNG"}};
    const TFaceInfo face = window->document().Paper()->getFaceInfo(0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = document(QString::fromLatin1(row.name));
        ui.answerFile(file, row.filter);
        window->exportLabel();
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll().startsWith(row.signature));
        const QImage picture(file);
        ASSERT_FALSE(picture.isNull());
        // The real size at 96 dpi.
        EXPECT_NEAR(picture.width(), (face.outerRect().right - face.outerRect().left) * 96 / 254, 1);
        EXPECT_EQ(qGray(picture.pixel(0, 0)), 255);  // outside the round face
    }
    EXPECT_EQ(ui.fileQuestions().value(0).defaultExtension, QStringLiteral("bmp"));
}

TEST_F(WindowTest, UserPapersGoOutToABackupAndComeBack) {
    TPapersV2& papers = module->papers();
    auto mine = papers.getPaper(0).clone();
    mine->setPaperName(QStringLiteral("私の用紙"));
    mine->setReadOnly(false);
    papers.savePaper(*mine);
    const QString backup = document(QStringLiteral("mine.ppb"));

    ui.answerFile(backup);
    window->exportUserPapers();
    EXPECT_EQ(ui.fileQuestions().value(0).title, QStringLiteral("ユーザー用紙情報の保存"));
    EXPECT_EQ(ui.fileQuestions().value(0).defaultExtension, QStringLiteral("ppb"));
    EXPECT_TRUE(QFileInfo::exists(backup));

    papers.deletePaper(papers.indexOfPaper(QStringLiteral("私の用紙")));
    ui.answerFile(backup);
    window->importUserPapers();
    EXPECT_GE(papers.indexOfPaper(QStringLiteral("私の用紙")), 0);
    EXPECT_EQ(ui.texts(), (QStringList{QStringLiteral("ユーザー用紙情報を保存しました"), QStringLiteral("ユーザー用紙情報を取り込みました")}));
}

TEST_F(WindowTest, ThumbnailOfADocumentIsItsCurrentLabel) {
    window->startWith(QString());
    putBarcode(window->document(), 0);
    ASSERT_TRUE(saveAs(QStringLiteral("thumb.lbx")));
    const QString png = document(QStringLiteral("thumb.png"));
    EXPECT_EQ(runThumbnailCommand({document(QStringLiteral("thumb.lbx")), png, QStringLiteral("128")}), 0);
    const QImage picture(png);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(std::max(picture.width(), picture.height()), 128);
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) dark += qGray(picture.pixel(x, y)) < 80;
    EXPECT_GT(dark, 20);

    struct Row {
        QStringList arguments;
    };
    const Row bad[] = {{{document(QStringLiteral("thumb.png")), document(QStringLiteral("x.png"))}},
                       {{document(QStringLiteral("thumb.lbx")), document(QStringLiteral("x.png")), QStringLiteral("0")}},
                       {{document(QStringLiteral("thumb.lbx"))}}};
    for (const Row& row : bad) {
        SCOPED_TRACE(row.arguments.join(QLatin1Char(' ')).toStdString());
        EXPECT_THROW(runThumbnailCommand(row.arguments), Exception);
        EXPECT_FALSE(QFileInfo::exists(document(QStringLiteral("x.png"))));
    }
}

}  // namespace
}  // namespace poremi
