// The image screen: a picture from a file or the clipboard becomes the background of the whole
// label, cut to the label's shape; the screen leads on only once the label shows something.

#include "app/screens/image_background.h"
#include "app/screens/image_screen.h"
#include "document/model/object_list.h"
#include "edit/draw_site_widget.h"
#include "objects/dialogs/picture_file_choice.h"
#include "objects/picture_back_image.h"
#include "paper/paper_info.h"
#include "render/raster/picture_codecs.h"
#include "tests/poremi_app/window_fixture.h"

#include <QtCore/QDir>
#include <QtCore/QMimeData>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>

namespace poremi {
namespace {

struct ClipCase {
    const char* name;
    int faceWidth, faceHeight;
    QSize picture;
    TRect clip;
};

TEST(ImageScreenClip, TheLargestCentredPartWithTheFaceAspect) {
    const ClipCase cases[] = {
        {"wider picture", 1000, 500, {400, 100}, {100, 0, 300, 100}},
        {"taller picture", 1000, 500, {200, 300}, {0, 100, 200, 200}},
        {"same aspect", 1200, 1200, {300, 300}, {0, 0, 300, 300}},
        {"round face, landscape photo", 1180, 1180, {641, 480}, {80, 0, 560, 480}},
        // MulDiv(3, 3, 2) = 4.5 goes away from zero, to 5.
        {"half rounds away from zero", 3, 2, {6, 3}, {0, 0, 5, 3}},
        {"half on the height", 3, 2, {5, 5}, {0, 1, 5, 4}},
        {"zero width", 0, 500, {40, 30}, {0, 0, 40, 30}},
        {"zero height", 500, 0, {40, 30}, {0, 0, 40, 30}},
        {"empty picture", 1000, 500, {0, 0}, {0, 0, 0, 0}},
    };
    for (const ClipCase& c : cases)
        EXPECT_EQ(faceClipOfPicture(c.faceWidth, c.faceHeight, c.picture), c.clip) << c.name;
}

TEST(ImageScreenStartFolder, TheNewestHistoryFolderThenThePictureFoldersThatExistThenTheProgramsFolder) {
    EXPECT_EQ(imageStartFolder({QStringLiteral("/pictures/new"), QStringLiteral("/pictures/old")}),
              QStringLiteral("/pictures/new"));

    // The user's folders as the XDG user-dirs file names them.
    const QString home = test::freshFolder(QStringLiteral("home"));
    const QString pictures = home + QStringLiteral("/Bilder");
    const QString documents = home + QStringLiteral("/Dokumente");
    QFile userDirs(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs"));
    ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly));
    userDirs.write(QStringLiteral("XDG_PICTURES_DIR=\"%1\"\nXDG_DOCUMENTS_DIR=\"%2\"\n").arg(pictures, documents).toUtf8());
    userDirs.close();

    EXPECT_EQ(imageStartFolder({}), QCoreApplication::applicationDirPath());
    ASSERT_TRUE(QDir().mkpath(documents + QStringLiteral("/My Pictures")));
    EXPECT_EQ(imageStartFolder({}), documents + QStringLiteral("/My Pictures"));
    ASSERT_TRUE(QDir().mkpath(pictures));
    EXPECT_EQ(imageStartFolder({}), pictures);
    EXPECT_EQ(imageStartFolder({QStringLiteral("/pictures/new")}), QStringLiteral("/pictures/new"));
    userDirs.remove();
}

TEST(ImageScreenLoader, EveryFailureRaisesThePictureErrorAndKeepsThePicture) {
    const QString folder = test::freshFolder(QStringLiteral("loader"));
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(folder + QLatin1Char('/') + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    QImage kept(7, 5, QImage::Format_RGB32);
    kept.fill(Qt::red);
    ASSERT_TRUE(kept.save(folder + QStringLiteral("/kept.png")));
    TPicture picture;
    loadPictureFile(folder + QStringLiteral("/kept.png"), picture);
    ASSERT_EQ(picture.width(), 7);

    const QString cases[] = {
        folder + QStringLiteral("/missing.png"),
        write(QStringLiteral("text.png"), "no picture at all"),
        write(QStringLiteral("cut.png"), QByteArray("\x89PNG\r\n\x1a\n", 8) + "broken"),
    };
    for (const QString& file : cases) {
        EXPECT_THROW(loadPictureFile(file, picture), PictureDecodeError) << file.toStdString();
        EXPECT_EQ(picture.width(), 7) << file.toStdString();
    }
}

// Lets the replaced screens go.
void settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QImage stripes(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int x = 0; x < size.width(); x += 20) {
        painter.fillRect(QRect(x, 0, 10, size.height()), QColor(40, 110, 200));
        painter.fillRect(QRect(x + 10, 0, 10, size.height()), QColor(250, 200, 60));
    }
    painter.fillRect(QRect(size.width() / 3, size.height() / 3, size.width() / 3, size.height() / 3), QColor(220, 40, 60));
    return image;
}

class ImageScreenTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QDir(root).mkpath(QStringLiteral("pictures/summer"));
        QDir(root).mkpath(QStringLiteral("pictures/winter"));
        window->NewDocument();
    }

    TfrmQelImage* showImageScreen() {
        window->action(QStringLiteral("actQelEditImage"))->trigger();
        auto* screen = qobject_cast<TfrmQelImage*>(window->hostedScreen());
        if (screen) screen->refreshNow();
        return screen;
    }
    QString picture(const QString& name, QSize size = {600, 200}) const {
        const QString path = root + QStringLiteral("/pictures/") + name;
        EXPECT_TRUE(stripes(size).save(path, "PNG"));
        return path;
    }
    QString brokenPicture(const QString& name) const {
        const QString path = root + QStringLiteral("/pictures/") + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\x89PNG\r\n\x1a\n this is no picture");
        return path;
    }
    template <class Button = QPushButton>
    static Button* button(const TfrmQelImage& screen, const char* name) {
        return screen.findChild<Button*>(QString::fromLatin1(name));
    }
    static bool nextEnabled(TfrmQelImage& screen) {
        screen.refreshNow();
        const bool next = button(screen, "NextButton")->isEnabled();
        EXPECT_EQ(button<QToolButton>(screen, "RibbonArrange")->isEnabled(), next);
        return next;
    }
    TFaceInfo currentFace() {
        return window->document().Paper()->getFaceInfo(window->document().currentLabelNo());
    }
    // Puts a background with a solid fill of the colour on the current label.
    void storeSolidBackground(TColor color) {
        TDOList objects;
        auto* background = new TLOBackImage;
        background->setRect({0, 0, 100, 100});
        background->fillColor().setColor(color);
        objects.add(background);
        window->document().SaveLabelObjects(window->document().currentLabelNo(), objects);
        objects.freeAll();
    }
};

TEST_F(ImageScreenTest, AChosenFileBecomesTheWholeLabelsBackgroundAndTheStoreKeepsIt) {
    TfrmQelImage* screen = showImageScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(nextEnabled(*screen));
    EXPECT_FALSE(screen->isModified());

    const QString file = picture(QStringLiteral("summer/beach.png"));
    ui.answerFile(file);
    button(*screen, "FileButton")->click();
    ASSERT_EQ(ui.fileQuestions().size(), 1);
    EXPECT_EQ(ui.fileQuestions()[0].kind, FileQuestion::Kind::Open);
    EXPECT_EQ(ui.fileQuestions()[0].filter, TfrmQelImage::kPictureFilter);
    EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join('\n').toStdString();

    const TDrawSite& site = screen->site();
    const TLOBackImage* background = findBackground(site);
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->rect(), (TRect{0, 0, site.logWidth(), site.logHeight()}));
    EXPECT_FALSE(background->isEnabled());
    EXPECT_FALSE(background->selectable());
    EXPECT_EQ(background->frameWidth(), 0);
    EXPECT_EQ(background->faceInfo(), currentFace());
    const TColorSpec& fill = background->fillColor();
    EXPECT_EQ(fill.kind(), TColorSpecKind::cskBitmap);
    EXPECT_FALSE(fill.tile());
    EXPECT_FALSE(fill.tileShift());
    EXPECT_EQ(fill.imageData().picture().width(), 600);
    const TRect outer = currentFace().outerRect();
    const TRect clip = faceClipOfPicture(rectWidth(outer), rectHeight(outer), {600, 200});
    EXPECT_EQ(fill.imageData().clipFilter().clipRect(), clip);
    EXPECT_EQ(screen->picture().clipFilter().clipRect(), clip);
    EXPECT_TRUE(screen->isModified());
    EXPECT_TRUE(nextEnabled(*screen));

    // Through the menu screen and back: the store wrote the label, the new screen finds it.
    window->ShowScreen(ScreenKind::Menu);
    TDOList stored;
    window->document().LoadLabelObjects(window->document().currentLabelNo(), stored);
    ASSERT_EQ(stored.count(), 1);
    EXPECT_NE(dynamic_cast<TLOBackImage*>(stored.item(0)), nullptr);
    stored.freeAll();
    settle();
    screen = showImageScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->isModified());
    EXPECT_EQ(screen->picture().picture().width(), 600);
    EXPECT_EQ(screen->picture().clipFilter().clipRect(), clip);
    EXPECT_TRUE(nextEnabled(*screen));
}

TEST_F(ImageScreenTest, OnlyABackgroundThatShowsMoreThanWhiteLeadsOn) {
    struct Case {
        const char* name;
        std::optional<TColor> background;
        bool next;
    };
    const Case cases[] = {
        {"no background", std::nullopt, false},
        {"white solid", 0xFFFFFF, false},
        {"yellow solid", 0x00FFFF, true},
    };
    for (const Case& c : cases) {
        window->NewDocument();
        if (c.background) storeSolidBackground(*c.background);
        TfrmQelImage* screen = showImageScreen();
        ASSERT_NE(screen, nullptr) << c.name;
        EXPECT_EQ(nextEnabled(*screen), c.next) << c.name;
        EXPECT_TRUE(screen->picture().isEmpty()) << c.name;

        // Any picture leads on, also over a white background.
        ui.answerFile(picture(QStringLiteral("summer/any.png")));
        ASSERT_TRUE(screen->chooseFile(screen->startFolder())) << c.name;
        EXPECT_TRUE(nextEnabled(*screen)) << c.name;
        int backgrounds = 0;
        for (TDrawObject* object : screen->site().drawObjects()) backgrounds += dynamic_cast<TLOBackImage*>(object) != nullptr;
        EXPECT_EQ(backgrounds, 1) << c.name;
        window->ShowScreen(ScreenKind::Menu);
        settle();
    }
}

TEST_F(ImageScreenTest, AnUnreadableFileShowsTheLoadersErrorAndChangesNothing) {
    TfrmQelImage* screen = showImageScreen();
    ASSERT_NE(screen, nullptr);
    const QString startFolder = screen->startFolder();
    ui.answerFile(brokenPicture(QStringLiteral("winter/broken.png")));
    EXPECT_FALSE(screen->chooseFile(startFolder));
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("イメージの読み込みに失敗しました")});
    EXPECT_EQ(findBackground(screen->site()), nullptr);
    EXPECT_TRUE(screen->picture().isEmpty());
    EXPECT_FALSE(screen->isModified());
    EXPECT_EQ(screen->startFolder(), startFolder);
    EXPECT_TRUE(screen->imageFolders().items().isEmpty());
    EXPECT_FALSE(nextEnabled(*screen));

    // Over a chosen picture a broken one leaves the first in place.
    ui.answerFile(picture(QStringLiteral("summer/beach.png"), {300, 300}));
    ASSERT_TRUE(screen->chooseFile(startFolder));
    ui.answerFile(brokenPicture(QStringLiteral("summer/broken.png")));
    EXPECT_FALSE(screen->chooseFile(screen->startFolder()));
    EXPECT_EQ(findBackground(screen->site())->fillColor().imageData().picture().width(), 300);
    EXPECT_EQ(screen->picture().picture().width(), 300);

    // A cancelled question changes nothing either.
    ui.cancelFile();
    EXPECT_FALSE(screen->chooseFile(screen->startFolder()));
    EXPECT_EQ(screen->picture().picture().width(), 300);
}

TEST_F(ImageScreenTest, TheFolderOfAChosenFileLeadsTheHistoryAndStartsTheNextChoice) {
    TfrmQelImage* screen = showImageScreen();
    ASSERT_NE(screen, nullptr);
    const QString summer = root + QStringLiteral("/pictures/summer");
    const QString winter = root + QStringLiteral("/pictures/winter");
    EXPECT_FALSE(button<QToolButton>(*screen, "FolderHistoryButton")->isEnabled());

    ui.answerFile(picture(QStringLiteral("summer/a.png")));
    ui.answerFile(picture(QStringLiteral("summer/b.png")));
    ui.answerFile(picture(QStringLiteral("winter/c.png")));
    for (int i = 0; i < 3; ++i) button(*screen, "FileButton")->click();
    ASSERT_EQ(ui.fileQuestions().size(), 3);
    EXPECT_EQ(ui.fileQuestions()[1].folder, summer);
    EXPECT_EQ(ui.fileQuestions()[2].folder, summer);
    // The same folder again is not added twice.
    EXPECT_EQ(screen->imageFolders().items(), (QStringList{winter, summer}));
    EXPECT_EQ(screen->startFolder(), winter);
    EXPECT_TRUE(button<QToolButton>(*screen, "FolderHistoryButton")->isEnabled());

    // The menu lists the folders with accelerators, then the clear item.
    QStringList captions;
    for (QAction* item : screen->folderMenu()->actions())
        if (item->isVisible() && !item->isSeparator()) captions << item->text();
    ASSERT_EQ(captions.size(), 3);
    EXPECT_TRUE(captions[0].startsWith(QStringLiteral("&0"))) << captions[0].toStdString();
    EXPECT_TRUE(captions[0].contains(QStringLiteral("winter")));
    EXPECT_EQ(captions[2], QStringLiteral("履歴の消去"));

    // A folder from the menu starts the question there and moves to the top.
    ui.answerFile(picture(QStringLiteral("summer/d.png")));
    for (QAction* item : screen->folderMenu()->actions())
        if (item->text().contains(QStringLiteral("summer"))) item->trigger();
    ASSERT_EQ(ui.fileQuestions().size(), 4);
    EXPECT_EQ(ui.fileQuestions()[3].folder, summer);
    EXPECT_EQ(screen->imageFolders().items(), (QStringList{summer, winter}));

    // A new screen starts in the newest folder.
    window->ShowScreen(ScreenKind::Menu);
    settle();
    screen = showImageScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->startFolder(), summer);

    for (QAction* item : screen->folderMenu()->actions())
        if (item->text() == QStringLiteral("履歴の消去")) item->trigger();
    EXPECT_TRUE(screen->imageFolders().items().isEmpty());
    EXPECT_FALSE(button<QToolButton>(*screen, "FolderHistoryButton")->isEnabled());
}

TEST_F(ImageScreenTest, TheClipboardButtonFollowsTheClipboardAndTakesItsPicture) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("文字だけ"));
    TfrmQelImage* screen = showImageScreen();
    ASSERT_NE(screen, nullptr);
    QPushButton* take = button(*screen, "ClipboardButton");
    EXPECT_FALSE(take->isEnabled());

    clipboard->setImage(stripes({320, 240}));
    QApplication::processEvents();
    screen->refreshNow();
    ASSERT_TRUE(take->isEnabled());
    take->click();
    const TLOBackImage* background = findBackground(screen->site());
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->fillColor().imageData().picture().width(), 320);
    EXPECT_TRUE(nextEnabled(*screen));

    clipboard->clear();
    QApplication::processEvents();
    screen->refreshNow();
    EXPECT_FALSE(take->isEnabled());
}

TEST_F(ImageScreenTest, CommandsOfTheScreenAndItsEditMenu) {
    TfrmQelImage* screen = showImageScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(window->action(QStringLiteral("actQelEditImage"))->isEnabled());

    // Shown, but their sources are not there yet; nor is the picture editor.
    for (const char* name : {"TwainButton", "GalleryButton", "RetouchButton"}) {
        ASSERT_NE(button(*screen, name), nullptr) << name;
        EXPECT_FALSE(button(*screen, name)->isEnabled()) << name;
    }
    EXPECT_EQ(button(*screen, "TwainButton")->text(), QStringLiteral("TWAIN"));
    EXPECT_EQ(button(*screen, "GalleryButton")->text(), QStringLiteral("一覧選択"));
    EXPECT_EQ(button(*screen, "FileButton")->text(), QStringLiteral("ファイル選択"));
    EXPECT_EQ(button(*screen, "ClipboardButton")->text(), QStringLiteral("クリップボード"));
    EXPECT_EQ(button(*screen, "RetouchButton")->text(), QStringLiteral("画像レタッチ..."));

    // The edit menu sits after the file menu while the screen is shown.
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_GE(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("編集(&E)"));
    QStringList items;
    for (QAction* item : screen->editMenu()->actions()) {
        items << item->text();
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
    }
    EXPECT_EQ(items, (QStringList{QStringLiteral("切り取り(&T)"), QStringLiteral("コピー(&C)"),
                                  QStringLiteral("貼り付け(&P)"), QStringLiteral("クリア(&D)")}));

    // The navigation runs the window's screen commands.
    struct Route {
        const char* button;
        const char* command;
    };
    ui.answerFile(picture(QStringLiteral("summer/a.png")));
    ASSERT_TRUE(screen->chooseFile(screen->startFolder()));
    screen->refreshNow();
    for (const Route& route : {Route{"BackButton", "actQelMenu"}, Route{"NextButton", "actQelEditFree"},
                               Route{"RibbonMenu", "actQelMenu"}, Route{"RibbonArrange", "actQelEditFree"}}) {
        QAction* command = window->action(QString::fromLatin1(route.command));
        command->setEnabled(true);
        QSignalSpy runs(command, &QAction::triggered);
        // Disconnected so that the screen stays while every route is tried.
        command->disconnect(window.get());
        screen->findChild<QAbstractButton*>(QString::fromLatin1(route.button))->click();
        EXPECT_EQ(runs.size(), 1) << route.button;
    }

    window->ShowScreen(ScreenKind::Menu);
    settle();
    for (QAction* menu : window->menuBar()->actions()) EXPECT_TRUE(menu->text() != QStringLiteral("編集(&E)") || menu->menu()->objectName() == u"MenuScreenEditMenu");
}

// Under a real X server: the screen with a chosen picture, left for people to look at.
TEST_F(ImageScreenTest, ScreenshotUnderX) {
    if (QGuiApplication::platformName() != u"xcb") GTEST_SKIP() << "needs an X server";
    window->resize(900, 640);
    window->show();
    TfrmQelImage* screen = showImageScreen();
    ASSERT_NE(screen, nullptr);
    ui.answerFile(picture(QStringLiteral("summer/beach.png"), {800, 500}));
    ASSERT_TRUE(screen->chooseFile(screen->startFolder()));
    screen->refreshNow();
    QTest::qWait(300);
    const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
    const QString dir = test::outputFolder();
    QDir().mkpath(dir);
    ASSERT_TRUE(shot.save(dir + QStringLiteral("/image_screen.png")));
    // The label shows the picture's colours (off the centre, where a disc has its hole).
    const QRect site = screen->site().rect();
    const QPoint onLabel = screen->site().mapTo(window.get(), site.center() + QPoint(site.width() / 4, 0));
    EXPECT_NE(shot.pixelColor(onLabel * shot.devicePixelRatio()), QColor(Qt::white));
}

}  // namespace
}  // namespace poremi
