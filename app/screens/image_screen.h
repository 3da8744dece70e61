#pragma once
// The image screen: one picture, from a file or the clipboard, becomes the background of the
// whole current label. The label is shown but never edited directly; the screen leads on to
// the free-design screen once the label has a background.

#include "app/screens/screen.h"
#include "app/screens/working_copy.h"
#include "core/history_manager.h"
#include "render/raster/image_data.h"

#include <QtCore/QStringList>

class QMenu;
class QPushButton;
class QToolButton;

namespace poremi {

class CoalescedRefresh;
class LabelView;
class TDrawSite;
class TPicture;

// Where the picture dialog starts at first: the newest folder of the history; else the user's
// picture folder, else "My Pictures" in the user's document folder, when they exist; else the
// application's folder.
QString imageStartFolder(const QStringList& folderHistory);

class TfrmQelImage final : public Screen {
    Q_OBJECT
public:
    // The filter of the picture dialog.
    static const QString kPictureFilter;

    explicit TfrmQelImage(QWidget* parent = nullptr);
    ~TfrmQelImage() override;

    ScreenKind kind() const override { return ScreenKind::Image; }
    void load(TLabelData& document) override;
    bool store(TLabelData& document) override;
    bool isModified() const override;
    void markSaved() override;

    TDrawSite& site() const;
    // The picture the background shows, with its clip.
    const TImageData& picture() const { return picture_; }
    const QString& startFolder() const { return startFolder_; }
    THistoryManager& imageFolders() { return folders_; }
    // The image-folder history's menu: the folders, then "履歴の消去".
    QMenu* folderMenu() const;
    // The screen's "編集(&E)" menu, shown in the window's menu bar while the screen is hosted.
    QMenu* editMenu() const { return editMenu_; }

    // Asks for a picture file starting in folder and makes it the background; false when the
    // question was cancelled or the file did not load (the loader's error is shown).
    bool chooseFile(const QString& folder);
    // Makes the clipboard's picture the background; false when it holds none that loads.
    bool takeClipboardPicture();
    // Updates the commands now instead of when the event loop is next idle.
    void refreshNow();

protected:
    bool event(QEvent* event) override;

private:
    QWidget* makePictureButtons();
    QWidget* makeRibbon();
    QWidget* makeNavigation();
    void createEditMenu();
    // Puts the edit menu into the menu bar of the main window the screen is placed in.
    void showEditMenu();
    void takePicture(const TPicture& picture);
    void showLoaderError(const QString& message);
    void refreshCommands();
    // Runs a command of the main window by its name, when it is enabled.
    void runWindowCommand(const QString& name);

    WorkingCopy copy_;
    TImageData picture_;
    THistoryManager folders_;
    QString startFolder_;

    LabelView* view_ = nullptr;
    QWidget* preview_ = nullptr;
    QToolButton* folderButton_ = nullptr;
    QPushButton* clipboard_ = nullptr;
    QPushButton* next_ = nullptr;
    QToolButton* ribbonArrange_ = nullptr;
    QMenu* editMenu_ = nullptr;
    CoalescedRefresh* refresh_ = nullptr;
};

}  // namespace poremi
