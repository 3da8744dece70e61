#include "app/screens/image_screen.h"

#include "app/frame/history_menu.h"
#include "app/screens/coalesced_refresh.h"
#include "app/screens/face_site.h"
#include "app/screens/image_background.h"
#include "app/screens/label_view.h"
#include "base/error.h"
#include "base/user_interface.h"
#include "core/app_frame.h"
#include "document/model/action_history.h"
#include "document/model/label_data.h"
#include "edit/clipboard_objects.h"
#include "edit/draw_site_widget.h"
#include "objects/dialogs/picture_file_choice.h"
#include "objects/picture_back_image.h"
#include "render/raster/picture_codecs.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtCore/QStandardPaths>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

const QString TfrmQelImage::kPictureFilter = QStringLiteral(
    "すべてのイメージファイル (*.jpg;*.jpeg;*.bmp;*.emf;*.wmf;*.gif;*.png)|*.jpg;*.jpeg;*.bmp;*.emf;*.wmf;*.pcd;*.gif;*.png|"
    "JPEG Image (*.jpg)|*.jpg|JPEG Image (*.jpeg)|*.jpeg|ビットマップ (*.bmp)|*.bmp|エンハンス メタファイル (*.emf)|*.emf|"
    "メタファイル (*.wmf)|*.wmf|PhotoCD(*.pcd)|*.pcd|GIF Image (*.gif)|*.gif|PNG Image (*.png)|*.png|すべてのファイル(*.*)|*.*");

namespace {

// The chosen picture as the background shows it (clipped and filtered), fitted into the
// widget with its shape kept.
class PicturePreview final : public QFrame {
public:
    PicturePreview(const TImageData& picture, QWidget* parent) : QFrame(parent), picture_(picture) {
        setObjectName(QStringLiteral("Preview"));
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Sunken);
        setMinimumSize(160, 120);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect room = contentsRect().adjusted(6, 6, -6, -6);
        painter.fillRect(contentsRect(), palette().base());
        const TGraphic* shown = picture_.isEmpty() ? nullptr : picture_.processedPicture();
        if (!shown || shown->size().isEmpty()) {
            painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
            painter.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("画像が選択されていません"));
            return;
        }
        QSize fitted = shown->size().scaled(room.size(), Qt::KeepAspectRatio);
        const QRect target(room.center() - QPoint(fitted.width() / 2, fitted.height() / 2), fitted);
        picture_.draw(painter, target);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(target.adjusted(0, 0, -1, -1));
    }

private:
    const TImageData& picture_;
};

// The document's design of the current label, put into the copy for the view to show.
QPushButton* pushButton(const QString& name, const QString& caption, const QString& hint) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(hint);
    return button;
}

}  // namespace

QString imageStartFolder(const QStringList& folderHistory) {
    if (!folderHistory.isEmpty()) return folderHistory.first();
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir()) return pictures;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString myPictures = QDir(documents).filePath(QStringLiteral("My Pictures"));
    if (!documents.isEmpty() && QFileInfo(myPictures).isDir()) return myPictures;
    return QCoreApplication::applicationDirPath();
}

TfrmQelImage::TfrmQelImage(QWidget* parent) : Screen(parent) {
    setObjectName(QStringLiteral("frmQelImage"));
    TActionList::instance().clear();
    TActionList::instance().setRepeatMode(false);

    folders_.setRegistryKey(QStringLiteral("$(UserImageHistory)"));
    folders_.setUseAccelerator(true);
    folders_.setClearHistoryCaption(QStringLiteral("履歴の消去"));
    folders_.OnMenuClick = [this](const QString& folder) { chooseFile(folder); };
    startFolder_ = imageStartFolder(folders_.items());

    refresh_ = new CoalescedRefresh([this] { refreshCommands(); }, this);

    view_ = new LabelView;
    view_->setAutomatic(true);
    // The screen never edits objects directly: the picture buttons change the label.
    site().setEnabled(false);
    site().onModifyChanged = [this] { refresh_->request(); };

    QWidget* side = makePictureButtons();
    side->setFixedWidth(240);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    middle->addWidget(view_, 1);
    middle->addWidget(side);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(makeRibbon());
    layout->addLayout(middle, 1);
    layout->addWidget(makeNavigation());

    createEditMenu();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, refresh_, &CoalescedRefresh::request);
    refresh_->request();
}

TfrmQelImage::~TfrmQelImage() = default;

TDrawSite& TfrmQelImage::site() const { return view_->site(); }

QWidget* TfrmQelImage::makeRibbon() {
    auto* ribbon = new QFrame;
    ribbon->setObjectName(QStringLiteral("Ribbon"));
    ribbon->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(ribbon);
    layout->setContentsMargins(6, 4, 6, 4);
    const auto step = [&](const QString& name, const QString& caption) {
        auto* button = new QToolButton;
        button->setObjectName(name);
        button->setText(caption);
        button->setAutoRaise(true);
        button->setMinimumWidth(96);
        layout->addWidget(button);
        return button;
    };
    const auto arrow = [&] {
        auto* label = new QLabel(QStringLiteral("→"));
        label->setEnabled(false);
        layout->addWidget(label);
    };
    QToolButton* menu = step(QStringLiteral("RibbonMenu"), QStringLiteral("メニュー"));
    arrow();
    QToolButton* image = step(QStringLiteral("RibbonImage"), QStringLiteral("イメージ"));
    image->setCheckable(true);
    image->setChecked(true);
    // The step the user is on: shown, not a command.
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    image->setFocusPolicy(Qt::NoFocus);
    arrow();
    ribbonArrange_ = step(QStringLiteral("RibbonArrange"), QStringLiteral("アレンジ"));
    layout->addStretch(1);
    connect(menu, &QToolButton::clicked, this, [this] { runWindowCommand(QStringLiteral("actQelMenu")); });
    connect(ribbonArrange_, &QToolButton::clicked, this, [this] { runWindowCommand(QStringLiteral("actQelEditFree")); });
    return ribbon;
}

QWidget* TfrmQelImage::makePictureButtons() {
    auto* group = new QGroupBox(QStringLiteral("背景にする画像"));
    group->setObjectName(QStringLiteral("PicturePanel"));
    auto* layout = new QVBoxLayout(group);

    QPushButton* twain = pushButton(QStringLiteral("TwainButton"), QStringLiteral("TWAIN"), QStringLiteral("スキャナなどから画像を取り込みます"));
    QPushButton* gallery = pushButton(QStringLiteral("GalleryButton"), QStringLiteral("一覧選択"), QStringLiteral("イラスト集から画像を選びます"));
    // Their picture sources are not part of the program yet.
    twain->setEnabled(false);
    gallery->setEnabled(false);

    QPushButton* file = pushButton(QStringLiteral("FileButton"), QStringLiteral("ファイル選択"), QStringLiteral("画像ファイルを選びます"));
    connect(file, &QPushButton::clicked, this, [this] { chooseFile(startFolder_); });
    folderButton_ = new QToolButton;
    folderButton_->setObjectName(QStringLiteral("FolderHistoryButton"));
    folderButton_->setArrowType(Qt::DownArrow);
    folderButton_->setToolTip(QStringLiteral("最近使ったフォルダから画像ファイルを選びます"));
    folderButton_->setPopupMode(QToolButton::InstantPopup);
    folderButton_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* folders = new QMenu(folderButton_);
    folders->setObjectName(QStringLiteral("ImageFolderMenu"));
    QAction* anchor = folders->addAction(QString());
    new THistoryMenu(folders_, folders, anchor, this);
    folderButton_->setMenu(folders);
    const auto enableFolders = [this](const QStringList& items) { folderButton_->setEnabled(!items.isEmpty()); };
    connect(&folders_, &THistoryManager::changed, folderButton_, enableFolders);
    enableFolders(folders_.items());
    auto* fileRow = new QHBoxLayout;
    fileRow->setSpacing(0);
    fileRow->addWidget(file, 1);
    fileRow->addWidget(folderButton_);

    clipboard_ = pushButton(QStringLiteral("ClipboardButton"), QStringLiteral("クリップボード"),
                            QStringLiteral("クリップボードの画像を使います"));
    connect(clipboard_, &QPushButton::clicked, this, [this] { takeClipboardPicture(); });

    auto* sources = new QGridLayout;
    sources->addWidget(twain, 0, 0);
    sources->addWidget(gallery, 0, 1);
    sources->addLayout(fileRow, 1, 0);
    sources->addWidget(clipboard_, 1, 1);
    layout->addLayout(sources);

    preview_ = new PicturePreview(picture_, group);
    layout->addWidget(preview_, 1);

    QPushButton* retouch = pushButton(QStringLiteral("RetouchButton"), QStringLiteral("画像レタッチ..."),
                          QStringLiteral("背景の画像の明るさやぼかしを調整します"));
    // The picture editor is not part of the program yet.
    retouch->setEnabled(false);
    layout->addWidget(retouch);
    return group;
}

QWidget* TfrmQelImage::makeNavigation() {
    auto* bar = new QWidget;
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* hint = new QLabel(QStringLiteral("画像を選ぶと、ラベル全体の背景になります。"));
    hint->setObjectName(QStringLiteral("Hint"));
    layout->addWidget(hint, 1);
    QPushButton* back = pushButton(QStringLiteral("BackButton"), QStringLiteral("戻る"), QStringLiteral("メニューに戻ります"));
    next_ = pushButton(QStringLiteral("NextButton"), QStringLiteral("次へ"), QStringLiteral("アレンジに進みます"));
    for (QPushButton* button : {back, next_}) {
        button->setMinimumWidth(96);
        layout->addWidget(button);
    }
    connect(back, &QPushButton::clicked, this, [this] { runWindowCommand(QStringLiteral("actQelMenu")); });
    connect(next_, &QPushButton::clicked, this, [this] { runWindowCommand(QStringLiteral("actQelEditFree")); });
    return bar;
}

QMenu* TfrmQelImage::folderMenu() const { return folderButton_->menu(); }

void TfrmQelImage::createEditMenu() {
    editMenu_ = new QMenu(QStringLiteral("編集(&E)"), this);
    editMenu_->setObjectName(QStringLiteral("EditMenu"));
    const std::pair<QString, QKeySequence> items[] = {
        {QStringLiteral("切り取り(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X)},
        {QStringLiteral("コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C)},
        {QStringLiteral("貼り付け(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V)},
        {QStringLiteral("クリア(&D)"), QKeySequence(Qt::Key_Delete)},
    };
    // Nothing on this screen is picked, so there is never anything to cut, copy, paste or clear.
    for (const auto& [caption, shortcut] : items) {
        QAction* item = editMenu_->addAction(caption);
        item->setShortcut(shortcut);
        item->setEnabled(false);
    }
}

void TfrmQelImage::showEditMenu() {
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (!window) return;
    QMenuBar* bar = window->menuBar();
    if (bar->actions().contains(editMenu_->menuAction())) return;
    // Right after the file menu; the menu leaves the bar when the screen is destroyed.
    const QList<QAction*> menus = bar->actions();
    bar->insertMenu(menus.size() > 1 ? menus[1] : nullptr, editMenu_);
}

bool TfrmQelImage::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange) showEditMenu();
    return Screen::event(event);
}

void TfrmQelImage::load(TLabelData& document) {
    TActionList::instance().clear();
    copy_.takeSheetFrom(document);
    copy_.takeCurrentLabelFrom(document);
    view_->load(copy_);
    view_->fit();
    site().show();
    site().setModified(false);
    const TLOBackImage* background = findBackground(site());
    if (background && background->fillColor().kind() == TColorSpecKind::cskBitmap)
        picture_.assign(background->fillColor().imageData());
    else
        // A picture of another label must not stand for this one's.
        picture_.assign(TImageData());
    preview_->update();
    refresh_->request();
}

bool TfrmQelImage::store(TLabelData& document) {
    if (!site().isModified()) return false;
    storeSiteObjects(site(), document, copy_.currentLabel());
    TActionList::instance().clear();
    return true;
}

bool TfrmQelImage::isModified() const { return site().isModified(); }

void TfrmQelImage::markSaved() { site().setModified(false); }

bool TfrmQelImage::chooseFile(const QString& folder) {
    FileQuestion question;
    question.kind = FileQuestion::Kind::Open;
    question.title = QStringLiteral("ファイル選択");
    question.filter = kPictureFilter;
    question.folder = folder;
    const std::optional<FileAnswer> answer = userInterface().askFileName(question);
    if (!answer || answer->fileName.isEmpty()) return false;
    TPicture loaded;
    try {
        loadPictureFile(answer->fileName, loaded);
    } catch (const PictureDecodeError& error) {
        showLoaderError(error.message());
        return false;
    }
    const QString chosenFolder = QFileInfo(answer->fileName).absolutePath();
    if (QString::compare(chosenFolder, startFolder_, Qt::CaseInsensitive) != 0) {
        startFolder_ = chosenFolder;
        folders_.add(chosenFolder);
    }
    takePicture(loaded);
    return true;
}

bool TfrmQelImage::takeClipboardPicture() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime) return false;
    std::unique_ptr<TGraphic> graphic;
    try {
        graphic = pictureFrom(*mime);
    } catch (const Exception& error) {
        showLoaderError(error.message());
        return false;
    }
    if (!graphic || graphic->isEmpty()) return false;
    TPicture taken;
    taken.setGraphic(std::move(graphic));
    takePicture(taken);
    return true;
}

void TfrmQelImage::takePicture(const TPicture& picture) {
    picture_.picture().assign(picture);
    const TRect outer = view_->face().outerRect();
    picture_.clipFilter().setClipRect(
        faceClipOfPicture(rectWidth(outer), rectHeight(outer), QSize(picture_.picture().width(), picture_.picture().height())));
    applyBackground(site(), picture_, view_->face());
    site().invalidateObjects();
    preview_->update();
    refresh_->request();
}

void TfrmQelImage::showLoaderError(const QString& message) {
    if (TAppFrame* frame = TAppFrame::instance())
        frame->showMessageBox(message);
    else
        userInterface().messageBox(QString(), message, {MessageButton::Ok}, 0, 0);
}

void TfrmQelImage::refreshNow() { refresh_->flush(); }

void TfrmQelImage::refreshCommands() {
    const bool shown = hasShownBackground(site());
    next_->setEnabled(shown);
    ribbonArrange_->setEnabled(shown);
    clipboard_->setEnabled(holdsPicture(QGuiApplication::clipboard()->mimeData()));
}

void TfrmQelImage::runWindowCommand(const QString& name) {
    QWidget* host = window();
    QAction* command = host ? host->findChild<QAction*>(name, Qt::FindDirectChildrenOnly) : nullptr;
    if (command && command->isEnabled()) command->trigger();
}

}  // namespace poremi
