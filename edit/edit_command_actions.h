#pragma once
// The standard edit commands as actions: one QAction per command, shared by every menu,
// toolbar and pop-up menu. A command acts on the focused widget: a draw site gets the site
// command; a line edit (also that of an editable combo box) keeps its own cut, copy, paste,
// clear, select all and undo.

#include "edit/edit_command.h"

#include <QtGui/QAction>
#include <QtGui/QKeySequence>
#include <memory>
#include <vector>

class QLineEdit;
class QMenu;

namespace poremi {

class TDrawSite;

// What a command does to a focused line edit.
enum class TextEditCommand { None, Cut, Copy, Paste, Clear, SelectAll, Undo };

// The focused widget as a command sees it: at most one of the two is set.
struct EditTarget {
    TDrawSite* site = nullptr;
    QLineEdit* lineEdit = nullptr;
};
EditTarget focusedEditTarget();

class TDrawSiteActionBase : public QAction, public DrawSiteEdit {
    Q_OBJECT
public:
    TDrawSiteActionBase(const QString& caption, const QKeySequence& shortcut, TargetRule rule,
                        TextEditCommand textCommand, QObject* parent = nullptr);

    // From the focused widget, by cheap checks only.
    void updateEnabled();
    // Runs on the focused widget; nothing when the command cannot run there.
    void run();

    // Whether the command would run on the site.
    virtual bool enabledOn(DrawSite& site) { return canExecute(site); }
    // Runs on the site when the targets allow it; recorded in the application's history.
    virtual void executeOn(DrawSite& site);

private:
    bool textEnabled(const QLineEdit& edit) const;
    void runText(QLineEdit& edit) const;

    TextEditCommand textCommand_;
};

class TDSABringToFront : public TDrawSiteActionBase {
public:
    explicit TDSABringToFront(QObject* parent = nullptr);

protected:
    void eachObject(DrawSite& site, TDrawObject& object) override;
};

class TDSASendToBack : public TDrawSiteActionBase {
public:
    explicit TDSASendToBack(QObject* parent = nullptr);

protected:
    void eachObject(DrawSite& site, TDrawObject& object) override;
};

class TDSACopy : public TDrawSiteActionBase {
public:
    explicit TDSACopy(QObject* parent = nullptr);

protected:
    void executeFirst(DrawSite& site) override;
    bool hasEachStep() const override { return false; }
};

// Cut and clear: the object is told it changed, then deleted (the delete action owns it).
class TDSAClear : public TDrawSiteActionBase {
public:
    explicit TDSAClear(QObject* parent = nullptr);

protected:
    TDSAClear(const QString& caption, const QKeySequence& shortcut, TextEditCommand textCommand, QObject* parent);
    void eachObject(DrawSite& site, TDrawObject& object) override;
};

class TDSACut : public TDSAClear {
public:
    explicit TDSACut(QObject* parent = nullptr);

protected:
    void executeFirst(DrawSite& site) override;
};

// Pastes the clipboard's objects, kept inside the site, or else a new text or picture object.
class TDSAPaste : public TDrawSiteActionBase {
public:
    explicit TDSAPaste(QObject* parent = nullptr);

    // The clipboard's formats only.
    bool enabledOn(DrawSite& site) override;
    void executeOn(DrawSite& site) override;
    // Reads the clipboard's objects; they stay the command's until added.
    void makeList(DrawSite& site) override;

protected:
    void executeFirst(DrawSite& site) override;
    void eachObject(DrawSite& site, TDrawObject& object) override;

private:
    std::vector<std::unique_ptr<TDrawObject>> pending_;  // read and not yet on the site
};

class TDSASelectAll : public TDrawSiteActionBase {
public:
    explicit TDSASelectAll(QObject* parent = nullptr);

protected:
    bool acceptsTarget(const TDrawObject& object) const override;
    void eachObject(DrawSite& site, TDrawObject& object) override;
};

// Lock (targets movable objects) and unlock (targets fixed ones).
class TDSALock : public TDrawSiteActionBase {
public:
    explicit TDSALock(bool lock, QObject* parent = nullptr);

protected:
    bool acceptsTarget(const TDrawObject& object) const override;
    void eachObject(DrawSite& site, TDrawObject& object) override;

private:
    bool lock_;
};

// Undo and redo of the application's history; the selection is dropped first.
class TDSAUndo : public TDrawSiteActionBase {
public:
    explicit TDSAUndo(bool redo, QObject* parent = nullptr);

    bool enabledOn(DrawSite& site) override;
    void executeOn(DrawSite& site) override;

private:
    bool redo_;
};

// Leaves label objects out of print, or puts them back.
class TDSADontPrint : public TDrawSiteActionBase {
public:
    explicit TDSADontPrint(bool dontPrint, QObject* parent = nullptr);

protected:
    bool acceptsTarget(const TDrawObject& object) const override;
    void eachObject(DrawSite& site, TDrawObject& object) override;

private:
    bool dontPrint_;
};

// Vertical or horizontal writing for the objects that have it.
class TDSAVertText : public TDrawSiteActionBase {
public:
    explicit TDSAVertText(bool vertical, QObject* parent = nullptr);

protected:
    bool acceptsTarget(const TDrawObject& object) const override;
    void eachObject(DrawSite& site, TDrawObject& object) override;

private:
    bool vertical_;
};

// Opens the property editor of the one selected label object.
class TDSAEditProperty : public TDrawSiteActionBase {
public:
    explicit TDSAEditProperty(QObject* parent = nullptr);

protected:
    void eachObject(DrawSite& site, TDrawObject& object) override;
};

// Turns the objects that can turn by a screen's angle (kept within 0…359).
class TDSAOffsetAngle : public TDrawSiteActionBase {
public:
    TDSAOffsetAngle(const QString& caption, int offsetAngle, QObject* parent = nullptr);
    int offsetAngle() const { return offsetAngle_; }

protected:
    bool acceptsTarget(const TDrawObject& object) const override;
    void eachObject(DrawSite& site, TDrawObject& object) override;

private:
    int offsetAngle_;
};

// The standard commands of the editing screens, their enabled states kept up to date on
// focus, clipboard, selection and history changes and before a menu shows.
class EditCommands : public QObject {
    Q_OBJECT
public:
    explicit EditCommands(QObject* parent = nullptr);

    TDSABringToFront* bringToFront = nullptr;
    TDSASendToBack* sendToBack = nullptr;
    TDSACopy* copy = nullptr;
    TDSACut* cut = nullptr;
    TDSAClear* clear = nullptr;
    TDSAPaste* paste = nullptr;
    TDSASelectAll* selectAll = nullptr;
    TDSALock* lock = nullptr;
    TDSALock* unlock = nullptr;
    TDSAUndo* undo = nullptr;
    TDSAUndo* redo = nullptr;
    TDSADontPrint* dontPrint = nullptr;
    TDSADontPrint* doPrint = nullptr;
    TDSAVertText* vertText = nullptr;
    TDSAVertText* horzText = nullptr;
    TDSAEditProperty* editProperty = nullptr;

    // In menu order.
    const std::vector<TDrawSiteActionBase*>& actions() const { return actions_; }
    // A screen's own command (an offset angle) kept up to date with the standard ones.
    void add(TDrawSiteActionBase& action);
    // Follows the site's selection.
    void watchSite(TDrawSite& site);
    // Updates the states before the menu shows.
    void watchMenu(QMenu& menu);
    void updateStates();

private:
    template <class Action, class... Args>
    Action* make(Args&&... args);

    std::vector<TDrawSiteActionBase*> actions_;
};

}  // namespace poremi
