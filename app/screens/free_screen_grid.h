#pragma once
// The snap grid, the guides and the move modes of the free-design screen: "グリッド設定(&G)...",
// "グリッドに吸着(&R)", "ガイドバーに吸着(&B)", the move modes "通常", "グリッド" and "円周" with
// their options, and "点で表示". They act on the document's grid and guides and on the site's
// move options.

#include <QtCore/QObject>
#include <QtWidgets/QDialog>
#include <functional>

class QAction;
class QActionGroup;
class QCheckBox;
class QMenu;
class QSpinBox;

namespace poremi {

class TDrawSite;
class TGrid;
class TGuide;

// The grid's spacing ("mm 間隔", 1 to 100 mm) and its look ("点で表示").
class GridSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit GridSettingsDialog(const TGrid& grid, QWidget* parent = nullptr);
    // Writes the choices into the grid.
    void applyTo(TGrid& grid) const;

    QSpinBox* spacingBox() const { return spacing_; }
    QCheckBox* dotsBox() const { return dots_; }

private:
    QSpinBox* spacing_;
    QCheckBox* dots_;
};

// Turns snapping to the guides on or off; switched on without any guide, it sets a horizontal
// guide across the middle and a vertical one down the middle.
void setGuideSnap(TGuide& guide, bool on, int logWidth, int logHeight);

class FreeScreenGridCommands : public QObject {
    Q_OBJECT
public:
    // The site whose grid, guides and move options the commands change (none: nothing).
    FreeScreenGridCommands(std::function<TDrawSite*()> site, QObject* parent);

    QAction* gridSettings() const { return gridSettings_; }
    QAction* snapToGrid() const { return snapToGrid_; }
    QAction* snapToGuides() const { return snapToGuides_; }
    QAction* dots() const { return dots_; }
    // "通常", "グリッド", "円周".
    QList<QAction*> moveModes() const;
    // "オブジェクトの回転", "水平・垂直移動".
    QAction* rotateWithCircle() const { return rotate_; }
    QAction* axisLock() const { return axisLock_; }
    // "ステップなし", "60ステップ(6度)", "12ステップ(30度)", "8ステップ(45度)".
    QList<QAction*> steps() const;

    // Adds the commands to a menu.
    void addTo(QMenu& menu) const;
    // Replaces the modal run of the grid dialog (tests); empty restores it.
    void setDialogRunner(std::function<bool(GridSettingsDialog&)> runner);
    // Shows the state of the grid, the guides and the move options.
    void updateStates();

private:
    QAction* toggle(const QString& caption, std::function<void(TDrawSite&, bool)> apply);
    void chooseMoveMode(int mode);
    void chooseStep(int degrees);
    void changed(TDrawSite& site);

    std::function<TDrawSite*()> site_;
    std::function<bool(GridSettingsDialog&)> runDialog_;
    QAction* gridSettings_;
    QAction* snapToGrid_;
    QAction* snapToGuides_;
    QAction* dots_;
    QActionGroup* moveModes_;
    QAction* rotate_;
    QAction* axisLock_;
    QActionGroup* steps_;
};

}  // namespace poremi
