#pragma once
// The menu screen: the whole sheet with every label's design, where the user picks the current
// label, copies, moves, cuts, pastes and clears labels (each an undoable step), and goes on to
// the other screens, printing or another paper.

#include "app/screens/hosted_screen_menus.h"
#include "app/screens/screen.h"
#include "app/screens/working_copy.h"

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;

namespace poremi {

class FaceDesigns;
class ScreenZoom;
class TMenuSheetSite;

class TfrmQelMenu final : public Screen {
    Q_OBJECT
public:
    explicit TfrmQelMenu(QWidget* parent = nullptr);
    ~TfrmQelMenu() override;

    ScreenKind kind() const override { return ScreenKind::Menu; }
    void load(TLabelData& document) override;
    bool store(TLabelData& document) override;
    bool isModified() const override;
    void markSaved() override;

    WorkingCopy& copy() { return copy_; }
    TMenuSheetSite& site() const { return *site_; }
    ScreenZoom& zoom() const { return *zoom_; }
    QScrollArea& scrollArea() const { return *scroll_; }
    QMenu& editMenu() const { return *editMenu_; }
    QMenu& viewMenu() const { return *viewMenu_; }
    // "メーカー：…" and "型番：…".
    QString makerText() const;
    QString modelText() const;

    QAction* actUndo = nullptr;
    QAction* actRedo = nullptr;
    QAction* actCut = nullptr;
    QAction* actCopy = nullptr;
    QAction* actPaste = nullptr;
    QAction* actClear = nullptr;

    // The current label dropped onto the face, copied or (move) moved after the questions.
    void dropLabel(int target, bool move);
    // Enables the commands for the current label, the clipboard and the history.
    void updateCommands();

protected:
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeButtonPanel();
    void makeMenus();
    void rebuildSheet();
    void applyZoom();
    void fitSheet();
    void chooseLabel(int face);
    bool hasCurrentLabel();
    // The user's answer to a yes/no question about labels.
    bool ask(const QString& text) const;
    // Runs a label operation on the copy as one history step when it changed something.
    template <class Operation>
    void recordLabelEdit(const std::vector<int>& faces, Operation operation);
    void restoreDesigns(const FaceDesigns& designs);
    void cutLabel();
    void copyLabel();
    void pasteLabel();
    void clearLabel();
    void showFaceMenu(QPoint global, int face);
    void runCommand(const char* name);

    WorkingCopy copy_;
    // The document last loaded: it learns the current label as soon as the user picks one.
    TLabelData* document_ = nullptr;
    // Faces of the document whose designs did not read.
    std::vector<int> unreadable_;
    ScreenZoom* zoom_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TMenuSheetSite* site_ = nullptr;
    QLabel* maker_ = nullptr;
    QLabel* model_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    std::vector<std::pair<QPushButton*, const char*>> buttons_;
    HostedScreenMenus hostedMenus_;
};

}  // namespace poremi
