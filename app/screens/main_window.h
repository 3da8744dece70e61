#pragma once
// The main window: owns the one open document, hosts one screen at a time, and carries the
// document's lifecycle (new, open, save, save as, export, the close prompt) and the commands
// of its menus.

#include "app/screens/screen.h"
#include "core/history_manager.h"

#include <QtWidgets/QMainWindow>
#include <functional>
#include <optional>
#include <memory>

class QLabel;
class QUrl;

namespace poremi {

class TAppFrame;
class THistoryMenu;
class TLabelData;
class TPaperInfo;
class TPapersV2;
class WindowPrinting;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // Makes the screens of the kinds that exist; none for the others.
    using ScreenFactory = std::function<std::unique_ptr<Screen>(ScreenKind kind)>;
    // Turns the wizard texts of every face into plain text before saving.
    using WizardTextConversion = std::function<void(TLabelData& document)>;

    static constexpr int kMinimumWidth = 690;
    static constexpr int kMinimumHeight = 570;

    // The paper database stays the caller's and must outlive the window.
    TfrmMain(TAppFrame& frame, TPapersV2& papers, QWidget* parent = nullptr);
    ~TfrmMain() override;

    TLabelData& document() { return *document_; }
    Screen* hostedScreen() const { return screen_; }
    bool justSwitched() const { return justSwitched_; }
    // The document's file name; empty for a new document.
    const QString& fileName() const { return fileName_; }
    THistoryManager& recentFiles() { return recentFiles_; }
    THistoryManager& recentFolders() { return recentFolders_; }
    // The command of the given name ("actSave", …).
    QAction* action(const QString& name) const;

    void setScreenFactory(ScreenFactory factory) { screenFactory_ = std::move(factory); }
    void setWizardTextConversion(WizardTextConversion conversion) { wizardTextConversion_ = std::move(conversion); }

    // The document lifecycle; each is false when the user cancelled or it failed.
    bool NewDocument();
    // Without a name the open dialog asks for one.
    bool OpenDocument(const QString& fileName = QString());
    bool CanClose();
    void UpdateTitle();
    void StoreScreen();
    void LoadScreen();
    // Shows a screen of the kind; false when it is already shown or none exists.
    bool ShowScreen(ScreenKind kind);
    void ApplyPaper(const TPaperInfo& paper, bool separatelyDesign);

    // The first idle moment after start: the command-line file, or a new document when that
    // is not given, missing or does not open.
    void startWith(const QString& commandLineFile);
    // Files dropped onto the window: the first local one is opened, the rest ignored.
    void openDroppedFiles(const QList<QUrl>& urls);

    bool save();
    bool saveAs();
    void exportLabel();
    // Prints the document through the print dialog; true when a job was delivered.
    bool print();
    void printerSetup();
    // The printing of this window, its dialog choices and where its queues come from.
    WindowPrinting& printing() { return *printing_; }
    void importUserPapers();
    void exportUserPapers();
    void showEnvironment(int page);
    void showAbout();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addCommand(const QString& name, const QString& caption, const QKeySequence& shortcut = {});
    void createCommands();
    void createMenus();
    void applyShowHint();
    void showAfterSwitch(ScreenKind kind);
    bool saveTo(const QString& fileName);
    std::optional<QString> askFile(bool save, const QString& title, const QString& filter, int filterIndex,
                                   const QString& extension, const QString& proposed, int* chosenIndex = nullptr);
    QString documentFilter() const;
    // The document's file name without folder, or the name of a new document.
    QString documentName() const;
    // Says in the status bar whether no printer is set up.
    void showPrinterStatus(bool noPrinter);
    // A message with one OK button, shown as it is.
    void tell(const QString& text);
    void openHelp();
    void openHomepage();

    TAppFrame& frame_;
    TPapersV2& papers_;
    std::unique_ptr<TLabelData> document_;
    Screen* screen_ = nullptr;
    bool justSwitched_ = false;
    bool showHints_ = true;
    QString fileName_;
    THistoryManager recentFiles_;
    THistoryManager recentFolders_;
    THistoryMenu* recentMenu_ = nullptr;
    QLabel* printerStatus_ = nullptr;
    std::unique_ptr<WindowPrinting> printing_;
    ScreenFactory screenFactory_;
    WizardTextConversion wizardTextConversion_;
};

}  // namespace poremi
