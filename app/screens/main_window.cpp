#include "app/screens/main_window.h"

#include "app/frame/elided_label.h"
#include "app/frame/form_position.h"
#include "app/frame/history_menu.h"
#include "app/screens/about_box.h"
#include "app/screens/default_paper.h"
#include "app/screens/environment_dialog.h"
#include "app/screens/free_screen.h"
#include "app/screens/image_screen.h"
#include "app/screens/label_export.h"
#include "app/screens/menu_screen.h"
#include "app/screens/print_from_window.h"
#include "base/datetime.h"
#include "base/format.h"
#include "base/native_path.h"
#include "core/app_frame.h"
#include "core/settings.h"
#include "document/model/action_history.h"
#include "document/model/label_data.h"
#include "paper/database/paper_database_startup.h"
#include "paper/paper_info.h"
#include "poremi_version.h"

#include <QtCore/QDateTime>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QAction>
#include <QtGui/QCloseEvent>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QStatusBar>

namespace poremi {
namespace {

const QString kModifiedQuestion = QStringLiteral("データが修正されています\r\n保存しますか？");
const QString kSaveFailed = QStringLiteral("データの保存に失敗しました");
const QString kOpenFailed = QStringLiteral("指定されたファイルは「%s」のデータではありません\r\n%s");
const QString kNewDocumentName = QStringLiteral("新規作成");
const QString kNoPrinter = QStringLiteral("通常使うプリンタがセットされていません");
const QString kDocumentExtension = QStringLiteral("lbx");
const QString kPictureFilter = QStringLiteral(
    "ビットマップ (*.bmp)|*.bmp|JPEG イメージファイル (*.jpg)|*.jpg|PNG イメージファイル (*.png)|*.png");

// The commands whose subsystems are not built yet: shown, but disabled.
const char* const kLaterCommands[] = {
    "actNewWizard", "actTemplate", "actSelectPaper", "actCSVSelect", "actCSVView",
    "actQelEditTemplate", "actQelEditInput", "actAdvancedPaper",
    "actAdvancedURL", "actUpdatePaper"};

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

std::unique_ptr<Screen> builtScreens(ScreenKind kind) {
    if (kind == ScreenKind::Menu) return std::make_unique<TfrmQelMenu>();
    if (kind == ScreenKind::FreeDesign) return std::make_unique<TfrmQelFree>();
    if (kind == ScreenKind::Image) return std::make_unique<TfrmQelImage>();
    return nullptr;
}

}  // namespace

TfrmMain::TfrmMain(TAppFrame& frame, TPapersV2& papers, QWidget* parent)
    : QMainWindow(parent),
      frame_(frame),
      papers_(papers),
      printing_(std::make_unique<WindowPrinting>(this)),
      screenFactory_(builtScreens) {
    setObjectName(QStringLiteral("frmMain"));
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    applyShowHint();
    qApp->installEventFilter(this);
    setAcceptDrops(true);
    setWindowTitle(frame_.expandMacros(QStringLiteral("$(AppName)")));
    document_ = std::make_unique<TLabelData>(nullptr);

    recentFiles_.setRegistryKey(QStringLiteral("$(OpenFileHistory)"));
    recentFiles_.setUseAccelerator(true);
    recentFiles_.setClearHistoryCaption(QStringLiteral("履歴の消去"));
    recentFiles_.OnMenuClick = [this](const QString& file) { OpenDocument(file); };
    recentFolders_.setRegistryKey(QStringLiteral("$(LabelDataHistory)"));

    createCommands();
    createMenus();
    statusBar();
    if (frame_.defaultPrinterMissing()) showPrinterStatus(true);
    restoreFormPosition(frame_, *this, 800, 600);
}

TfrmMain::~TfrmMain() { qApp->removeEventFilter(this); }

QAction* TfrmMain::action(const QString& name) const { return findChild<QAction*>(name, Qt::FindDirectChildrenOnly); }

QAction* TfrmMain::addCommand(const QString& name, const QString& caption, const QKeySequence& shortcut) {
    auto* command = new QAction(frame_.expandMacros(caption), this);
    command->setObjectName(name);
    command->setShortcut(shortcut);
    addAction(command);
    return command;
}

void TfrmMain::createCommands() {
    const auto on = [this](QAction* command, auto handler) { connect(command, &QAction::triggered, this, handler); };
    on(addCommand(QStringLiteral("actNew"), QStringLiteral("新規作成(&N)..."), QKeySequence(Qt::CTRL | Qt::Key_N)),
       [this] { NewDocument(); });
    addCommand(QStringLiteral("actNewWizard"), QStringLiteral("新規作成ウイザード(&W)..."));
    on(addCommand(QStringLiteral("actOpen"), QStringLiteral("開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O)),
       [this] { OpenDocument(); });
    on(addCommand(QStringLiteral("actSave"), QStringLiteral("保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S)),
       [this] { save(); });
    on(addCommand(QStringLiteral("actSaveAs"), QStringLiteral("名前を付けて保存(&A)...")), [this] { saveAs(); });
    addCommand(QStringLiteral("actTemplate"), QStringLiteral("ラベルテンプレートの呼び出し(&T)..."));
    addCommand(QStringLiteral("actSelectPaper"), QStringLiteral("用紙選択(&L)..."));
    on(addCommand(QStringLiteral("actEnvironment"), QStringLiteral("環境設定(&E)...")),
       [this] { showEnvironment(TfrmEnvironment::EnvPage); });
    on(addCommand(QStringLiteral("actPrinterSetup"), QStringLiteral("プリンタ設定(&R)...")), [this] { printerSetup(); });
    on(addCommand(QStringLiteral("actPrint"), QStringLiteral("印刷(&P)..."), QKeySequence(Qt::CTRL | Qt::Key_P)),
       [this] { print(); });
    on(addCommand(QStringLiteral("actExit"), QStringLiteral("$(AppName)の終了(&X)")), [this] { close(); });
    on(addCommand(QStringLiteral("actHelp"), QStringLiteral("$(AppName)の使い方(&C)")), [this] { openHelp(); });
    on(addCommand(QStringLiteral("actHomepage"), QStringLiteral("ハルヴィクのホームページ(&H)")),
       [this] { openHomepage(); });
    action(QStringLiteral("actHomepage"))->setVisible(!QStringLiteral(POREMI_HOMEPAGE_URL).isEmpty());
    on(addCommand(QStringLiteral("actAbout"), QStringLiteral("バージョン情報(&A)...")), [this] { showAbout(); });
    on(addCommand(QStringLiteral("actExport"), QStringLiteral("他形式保存(&H)...")), [this] { exportLabel(); });
    addCommand(QStringLiteral("actCSVSelect"), QStringLiteral("CSVファイルの選択(&F)..."));
    addCommand(QStringLiteral("actCSVView"), QStringLiteral("CSVデータの一覧(&V)..."));
    on(addCommand(QStringLiteral("actQelMenu"), QStringLiteral("メニュー(&M)")), [this] { ShowScreen(ScreenKind::Menu); });
    on(addCommand(QStringLiteral("actQelEditFree"), QStringLiteral("自由に編集(&F)")),
       [this] { ShowScreen(ScreenKind::FreeDesign); });
    addCommand(QStringLiteral("actQelEditTemplate"), QStringLiteral("テンプレートから(&T)"));
    on(addCommand(QStringLiteral("actQelEditImage"), QStringLiteral("イメージから(&I)")),
       [this] { ShowScreen(ScreenKind::Image); });
    addCommand(QStringLiteral("actQelEditInput"), QStringLiteral("文字入力(&T)"));
    const bool special = setting::read(setting::EnableSpecialMenu);
    addCommand(QStringLiteral("actAdvancedPaper"), QStringLiteral("用紙選択機能の拡張"))->setVisible(special);
    addCommand(QStringLiteral("actAdvancedURL"), QStringLiteral("アップデートURLの変更"))->setVisible(special);
    addCommand(QStringLiteral("actUpdatePaper"), QStringLiteral("用紙情報の自動更新(&U)..."));
    on(addCommand(QStringLiteral("actImportPaper"), QStringLiteral("ユーザー用紙情報の取り込み(&I)...")),
       [this] { importUserPapers(); });
    on(addCommand(QStringLiteral("actExportPaper"), QStringLiteral("ユーザー用紙情報の保存(&Y)...")),
       [this] { exportUserPapers(); });
    on(addCommand(QStringLiteral("actEnvProxy"), QStringLiteral("環境設定")),
       [this] { showEnvironment(TfrmEnvironment::InternetPage); });
    for (const char* name : kLaterCommands) action(QString::fromLatin1(name))->setEnabled(false);
}

void TfrmMain::createMenus() {
    const auto add = [this](QMenu* menu, const char* name) { menu->addAction(action(QString::fromLatin1(name))); };
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("FileMenu"));
    for (const char* name : {"actNew", "actNewWizard", "actOpen"}) add(file, name);
    file->addSeparator();
    for (const char* name : {"actSave", "actSaveAs", "actExport"}) add(file, name);
    file->addSeparator();
    for (const char* name : {"actTemplate", "actSelectPaper"}) add(file, name);
    QMenu* csv = file->addMenu(QStringLiteral("差込みCSVデータ（&C)"));
    for (const char* name : {"actCSVSelect", "actCSVView"}) add(csv, name);
    csv->menuAction()->setEnabled(false);
    file->addSeparator();
    for (const char* name : {"actPrinterSetup", "actPrint"}) add(file, name);
    file->addSeparator();
    QMenu* recent = file->addMenu(QStringLiteral("最近使ったファイル(&D)"));
    recent->setObjectName(QStringLiteral("RecentFilesMenu"));
    QAction* anchor = recent->addAction(QString());
    recentMenu_ = new THistoryMenu(recentFiles_, recent, anchor, this);
    const auto enableRecent = [recent](const QStringList& items) { recent->menuAction()->setEnabled(!items.isEmpty()); };
    connect(&recentFiles_, &THistoryManager::changed, recent, enableRecent);
    enableRecent(recentFiles_.items());
    file->addSeparator();
    add(file, "actExit");

    QMenu* modes = menuBar()->addMenu(QStringLiteral("モード(&M)"));
    add(modes, "actQelMenu");
    modes->addSeparator();
    for (const char* name : {"actQelEditFree", "actQelEditTemplate", "actQelEditImage", "actQelEditInput"}) add(modes, name);

    QMenu* tools = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    add(tools, "actEnvironment");
    tools->addSeparator();
    for (const char* name : {"actUpdatePaper", "actImportPaper", "actExportPaper"}) add(tools, name);
    tools->addSeparator();
    for (const char* name : {"actAdvancedPaper", "actAdvancedURL"}) add(tools, name);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    for (const char* name : {"actHelp", "actHomepage"}) add(help, name);
    help->addSeparator();
    add(help, "actAbout");
}

void TfrmMain::applyShowHint() { showHints_ = setting::read(setting::DefaultShowHint); }

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (!showHints_ && event->type() == QEvent::ToolTip) return true;
    return QMainWindow::eventFilter(watched, event);
}

// ---- document lifecycle ----------------------------------------------------------------

bool TfrmMain::NewDocument() {
    if (!CanClose()) return false;
    DefaultPaper start = defaultPaper(papers_);
    auto fresh = std::make_unique<TLabelData>(nullptr);
    if (start.paper) fresh->ChangePaper(*start.paper);
    fresh->setSeparatelyDesign(start.separatelyDesign);
    fresh->setModified(false);
    document_ = std::move(fresh);
    fileName_.clear();
    UpdateTitle();
    justSwitched_ = true;
    showAfterSwitch(ScreenKind::Menu);
    return true;
}

bool TfrmMain::OpenDocument(const QString& fileName) {
    if (!CanClose()) return false;
    QString file = fileName;
    if (file.isEmpty()) {
        const auto chosen = askFile(false, QStringLiteral("開く"), documentFilter(), 1, kDocumentExtension, QString());
        if (!chosen) return false;
        file = *chosen;
    }
    try {
        WaitCursor wait;
        // A document that does not read leaves the open one as it was.
        document_->LoadFromFile(file);
    } catch (const std::exception&) {
        recentFiles_.remove(file);
        tell(format(kOpenFailed, {frame_.expandMacros(QStringLiteral("$(AppName)")), file}));
        return false;
    }
    fileName_ = file;
    UpdateTitle();
    justSwitched_ = true;
    showAfterSwitch(screen_ && screen_->kind() == ScreenKind::FreeDesign ? ScreenKind::FreeDesign : ScreenKind::Menu);
    recentFiles_.add(file);
    recentFolders_.add(QFileInfo(file).absolutePath());
    return true;
}

bool TfrmMain::CanClose() {
    const bool modified = (screen_ && screen_->isModified()) || document_->modified();
    if (!modified) return true;
    switch (frame_.messageBox(kModifiedQuestion, {MessageButton::Yes, MessageButton::No, MessageButton::Cancel}, 0, 2)) {
    case mrYes:
        save();
        return !((screen_ && screen_->isModified()) || document_->modified());
    case mrNo: return true;
    default: return false;
    }
}

void TfrmMain::tell(const QString& text) {
    // Not through the macro expansion: file names may hold "$(".
    userInterface().messageBox(frame_.expandMacros(QStringLiteral("$(AppName)")), text, {MessageButton::Ok}, 0, 0);
}

QString TfrmMain::documentName() const {
    return fileName_.isEmpty() ? kNewDocumentName : QFileInfo(fileName_).fileName();
}

void TfrmMain::UpdateTitle() {
    setWindowTitle(format(frame_.expandMacros(QStringLiteral("$(TitleBarFormat)")), {documentName()}));
}

void TfrmMain::StoreScreen() {
    if (!screen_ || !screen_->isModified()) return;
    // The edits are the document's now: a second store must not write them again.
    if (screen_->store(*document_)) screen_->markSaved();
}

void TfrmMain::LoadScreen() {
    justSwitched_ = false;
    if (screen_) screen_->load(*document_);
}

bool TfrmMain::ShowScreen(ScreenKind kind) {
    // Showing the screen again would throw away its unsaved edits.
    if (screen_ && screen_->kind() == kind) return false;
    std::unique_ptr<Screen> next = screenFactory_ ? screenFactory_(kind) : nullptr;
    if (!next) return false;
    TActionList::instance().clear();
    // Right after a new document, an open or a new paper the old screen's edits belong to
    // what was replaced.
    if (screen_ && !justSwitched_) StoreScreen();
    justSwitched_ = false;
    if (auto* free = qobject_cast<TfrmQelFree*>(next.get()))
        free->setEnteredFrom(screen_ ? std::optional(screen_->kind()) : std::nullopt);
    screen_ = next.release();
    setCentralWidget(screen_);  // frees the old screen
    screen_->load(*document_);
    return true;
}

void TfrmMain::showAfterSwitch(ScreenKind kind) {
    if (!ShowScreen(kind)) LoadScreen();
}

void TfrmMain::ApplyPaper(const TPaperInfo& paper, bool separatelyDesign) {
    document_->ChangePaper(paper);
    document_->setSeparatelyDesign(separatelyDesign);
    document_->setCurrentLabelNo(0);
    // The hosted screen still holds the old face's objects; they must not reach the new paper.
    justSwitched_ = true;
    showAfterSwitch(ScreenKind::Menu);
}

void TfrmMain::startWith(const QString& commandLineFile) {
    if (!commandLineFile.isEmpty() && QFileInfo(commandLineFile).isFile() && OpenDocument(commandLineFile)) return;
    NewDocument();
}

void TfrmMain::openDroppedFiles(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            OpenDocument(url.toLocalFile());
            return;
        }
    }
}

// ---- saving ----------------------------------------------------------------------------

bool TfrmMain::save() {
    if (fileName_.isEmpty()) return saveAs();
    return saveTo(fileName_);
}

bool TfrmMain::saveAs() {
    const QString proposed = fileName_.isEmpty() ? QString() : fileName_;
    const auto chosen = askFile(true, QStringLiteral("名前を付けて保存"), documentFilter(), 1, kDocumentExtension, proposed);
    return chosen && saveTo(*chosen);
}

bool TfrmMain::saveTo(const QString& fileName) {
    try {
        WaitCursor wait;
        StoreScreen();
        if (!setting::read(setting::EnableSpecialMenu) && wizardTextConversion_) wizardTextConversion_(*document_);
        document_->setLastSave(toDateTimeValue(QDateTime::currentDateTime()));
        // The file is replaced only once the new one is complete.
        document_->SaveToFile(fileName);
    } catch (const std::exception&) {
        tell(kSaveFailed);
        return false;
    }
    fileName_ = fileName;
    if (screen_) screen_->markSaved();
    document_->setModified(false);
    UpdateTitle();
    recentFiles_.add(fileName);
    recentFolders_.add(QFileInfo(fileName).absolutePath());
    return true;
}

QString TfrmMain::documentFilter() const {
    // Only the program's own type: a document written under another product's extension would
    // mislead that product.
    return format(frame_.expandMacros(QStringLiteral("$(OpenDataFilter)")),
                  {frame_.expandMacros(QStringLiteral("$(AppName)")), kDocumentExtension, kDocumentExtension});
}

std::optional<QString> TfrmMain::askFile(bool save, const QString& title, const QString& filter, int filterIndex,
                                         const QString& extension, const QString& proposed, int* chosenIndex) {
    FileQuestion question;
    question.kind = save ? FileQuestion::Kind::Save : FileQuestion::Kind::Open;
    question.title = title;
    question.filter = filter;
    question.filterIndex = filterIndex;
    question.defaultExtension = extension;
    question.fileName = proposed;
    question.folder = recentFolders_.items().value(0);
    question.overwritePrompt = save;
    const auto answer = userInterface().askFileName(question);
    if (!answer || answer->fileName.isEmpty()) return std::nullopt;
    if (chosenIndex) *chosenIndex = answer->filterIndex;
    return answer->fileName;
}

// ---- other commands --------------------------------------------------------------------

void TfrmMain::exportLabel() {
    int chosen = 1;
    const auto file = askFile(true, QStringLiteral("他形式保存"), kPictureFilter, 1, QStringLiteral("bmp"), QString(), &chosen);
    if (!file) return;
    StoreScreen();
    const QImage picture = renderCurrentLabel(*document_);
    if (picture.isNull()) return;
    const PictureFormat kind = chosen == 2 ? PictureFormat::Jpeg : chosen == 3 ? PictureFormat::Png : PictureFormat::Bmp;
    savePicture(picture, kind, *file);
}

void TfrmMain::importUserPapers() {
    const auto file = askFile(false, kImportUserPapersTitle, kUserPaperBackupFilter, 1, kUserPaperBackupExtension, QString());
    if (!file) return;
    {
        WaitCursor wait;
        poremi::importUserPapers(papers_, *file);
    }
    tell(kUserPapersImported);
}

void TfrmMain::exportUserPapers() {
    const auto file = askFile(true, kExportUserPapersTitle, kUserPaperBackupFilter, 1, kUserPaperBackupExtension, QString());
    if (!file) return;
    {
        WaitCursor wait;
        poremi::exportUserPapers(papers_, *file);
    }
    tell(kUserPapersExported);
}

bool TfrmMain::print() {
    StoreScreen();
    showPrinterStatus(printing_->printers().isEmpty());
    return printing_->print(*document_, documentName());
}

void TfrmMain::printerSetup() {
    printing_->showPrinterSetup(QString());
    showPrinterStatus(printing_->printers().isEmpty());
}

void TfrmMain::showPrinterStatus(bool noPrinter) {
    if (!printerStatus_ && noPrinter) {
        printerStatus_ = new ElidedLabel(kNoPrinter, this);
        printerStatus_->setObjectName(QStringLiteral("PrinterStatus"));
        statusBar()->addPermanentWidget(printerStatus_);
    }
    if (printerStatus_) printerStatus_->setVisible(noPrinter);
}

void TfrmMain::showEnvironment(int page) {
    TfrmEnvironment dialog(TfrmEnvironment::Page(page), this);
    if (dialog.exec() == QDialog::Accepted) applyShowHint();
}

void TfrmMain::showAbout() {
    AboutBox box(frame_, this);
    box.exec();
}

void TfrmMain::openHelp() {
    const QString guide = toNativePath(frame_.expandMacros(QStringLiteral("$(ExeDir)Data\\Help\\index.html")));
    QDesktopServices::openUrl(QUrl::fromLocalFile(guide));
}

void TfrmMain::openHomepage() { QDesktopServices::openUrl(QUrl(QStringLiteral(POREMI_HOMEPAGE_URL))); }

// ---- window events ---------------------------------------------------------------------

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!CanClose()) {
        event->ignore();
        return;
    }
    saveFormPosition(frame_, *this);
    event->accept();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    // Opened after the drop has ended: opening may ask questions.
    QMetaObject::invokeMethod(this, [this, urls] { openDroppedFiles(urls); }, Qt::QueuedConnection);
}

}  // namespace poremi
