#include "app/screens/free_screen_grid.h"

#include "document/model/grid_guide.h"
#include "edit/draw_site_widget.h"
#include "objects/dialogs/dialog_buttons.h"

#include <QtGui/QAction>
#include <QtGui/QActionGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QMenu>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace poremi {
namespace {

enum MoveMode { Normal, Grid, Circle };

constexpr int kStepChoices[] = {0, 6, 30, 45};  // degrees; 0 moves without steps

}  // namespace

GridSettingsDialog::GridSettingsDialog(const TGrid& grid, QWidget* parent)
    : QDialog(parent), spacing_(new QSpinBox(this)), dots_(new QCheckBox(QStringLiteral("点で表示"), this)) {
    setWindowTitle(QStringLiteral("グリッド設定"));
    spacing_->setRange(1, 100);
    spacing_->setSuffix(QStringLiteral(" mm 間隔"));
    spacing_->setValue(std::clamp(grid.size() / 10, 1, 100));
    dots_->setChecked(!grid.lineShape());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("間隔"), spacing_);
    form->addRow(QString(), dots_);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addWidget(makeDialogButtons(*this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void GridSettingsDialog::applyTo(TGrid& grid) const {
    grid.setSize(spacing_->value() * 10);
    grid.setLineShape(!dots_->isChecked());
}

void setGuideSnap(TGuide& guide, bool on, int logWidth, int logHeight) {
    if (on) {
        bool any = false;
        for (int i = 0; i < guide.count(); ++i) any = any || !guide.guide(i).isNull();
        if (!any) {
            guide.setGuide(0, QPoint(0, logHeight / 2));
            guide.setGuide(1, QPoint(logWidth / 2, 0));
        }
    }
    guide.setEnabled(on);
    guide.setVisible(on);
}

FreeScreenGridCommands::FreeScreenGridCommands(std::function<TDrawSite*()> site, QObject* parent)
    : QObject(parent), site_(std::move(site)), moveModes_(new QActionGroup(this)), steps_(new QActionGroup(this)) {
    gridSettings_ = new QAction(QStringLiteral("グリッド設定(&G)..."), this);
    gridSettings_->setObjectName(QStringLiteral("actGridSetting"));
    connect(gridSettings_, &QAction::triggered, this, [this] {
        TDrawSite* site = site_();
        if (!site || !site->grid()) return;
        GridSettingsDialog dialog(*site->grid(), site->window());
        if (!runDialog_(dialog)) return;
        dialog.applyTo(*site->grid());
        changed(*site);
    });
    snapToGrid_ = toggle(QStringLiteral("グリッドに吸着(&R)"), [](TDrawSite& site, bool on) {
        if (site.grid()) site.grid()->setEnabled(on);
    });
    snapToGuides_ = toggle(QStringLiteral("ガイドバーに吸着(&B)"), [](TDrawSite& site, bool on) {
        if (site.guide()) setGuideSnap(*site.guide(), on, site.logWidth(), site.logHeight());
    });
    dots_ = toggle(QStringLiteral("点で表示"), [](TDrawSite& site, bool on) {
        if (site.grid()) site.grid()->setLineShape(!on);
    });
    int mode = 0;
    for (const QString& caption : {QStringLiteral("通常"), QStringLiteral("グリッド"), QStringLiteral("円周")}) {
        QAction* choice = moveModes_->addAction(caption);
        choice->setCheckable(true);
        connect(choice, &QAction::triggered, this, [this, mode] { chooseMoveMode(mode); });
        ++mode;
    }
    rotate_ = toggle(QStringLiteral("オブジェクトの回転"), [](TDrawSite& site, bool on) { site.moveOptions.rotateInCircle = on; });
    axisLock_ = toggle(QStringLiteral("水平・垂直移動"), [](TDrawSite& site, bool on) { site.moveOptions.axisLock = on; });
    const QString stepCaptions[] = {QStringLiteral("ステップなし"), QStringLiteral("60ステップ(6度)"),
                                    QStringLiteral("12ステップ(30度)"), QStringLiteral("8ステップ(45度)")};
    for (std::size_t i = 0; i < std::size(kStepChoices); ++i) {
        QAction* choice = steps_->addAction(stepCaptions[i]);
        choice->setCheckable(true);
        const int degrees = kStepChoices[i];
        connect(choice, &QAction::triggered, this, [this, degrees] { chooseStep(degrees); });
    }
    setDialogRunner({});
    updateStates();
}

QList<QAction*> FreeScreenGridCommands::moveModes() const { return moveModes_->actions(); }
QList<QAction*> FreeScreenGridCommands::steps() const { return steps_->actions(); }

QAction* FreeScreenGridCommands::toggle(const QString& caption, std::function<void(TDrawSite&, bool)> apply) {
    auto* made = new QAction(caption, this);
    made->setCheckable(true);
    connect(made, &QAction::triggered, this, [this, apply = std::move(apply)](bool on) {
        if (TDrawSite* site = site_()) {
            apply(*site, on);
            changed(*site);
        }
    });
    return made;
}

void FreeScreenGridCommands::chooseMoveMode(int mode) {
    TDrawSite* site = site_();
    if (!site) return;
    site->moveOptions.circle = mode == Circle;
    if (mode == Grid) site->moveOptions.axisLock = false;
    if (TGrid* grid = site->grid()) {
        grid->setVisible(mode == Grid);
        grid->setEnabled(mode == Grid);
    }
    changed(*site);
}

void FreeScreenGridCommands::chooseStep(int degrees) {
    TDrawSite* site = site_();
    if (!site) return;
    site->moveOptions.angleSnap = degrees != 0;
    if (degrees != 0) site->moveOptions.angleStep = degrees;
    changed(*site);
}

void FreeScreenGridCommands::changed(TDrawSite& site) {
    site.invalidateObjects();
    updateStates();
}

void FreeScreenGridCommands::addTo(QMenu& menu) const {
    menu.addAction(gridSettings_);
    menu.addAction(snapToGrid_);
    menu.addAction(snapToGuides_);
    menu.addAction(dots_);
    QMenu* modes = menu.addMenu(QStringLiteral("移動モード"));
    modes->addActions(moveModes());
    modes->addSeparator();
    modes->addAction(rotate_);
    QMenu* steps = modes->addMenu(QStringLiteral("ステップ移動"));
    steps->addActions(this->steps());
    modes->addAction(axisLock_);
}

void FreeScreenGridCommands::setDialogRunner(std::function<bool(GridSettingsDialog&)> runner) {
    runDialog_ = runner ? std::move(runner) : [](GridSettingsDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
}

void FreeScreenGridCommands::updateStates() {
    TDrawSite* site = site_();
    const bool usable = site && site->grid() && site->guide();
    for (QAction* command : {gridSettings_, snapToGrid_, snapToGuides_, dots_}) command->setEnabled(usable);
    if (!usable) return;
    const TGrid& grid = *site->grid();
    const MoveOptions& options = site->moveOptions;
    snapToGrid_->setChecked(grid.enabled());
    snapToGuides_->setChecked(site->guide()->enabled());
    dots_->setChecked(!grid.lineShape());
    const int mode = options.circle ? Circle : grid.visible() && grid.enabled() ? Grid : Normal;
    moveModes_->actions().at(mode)->setChecked(true);
    rotate_->setChecked(options.rotateInCircle);
    axisLock_->setChecked(options.axisLock);
    const int step = options.angleSnap ? options.angleStep : 0;
    const QList<QAction*> choices = steps_->actions();
    for (qsizetype i = 0; i < choices.size(); ++i) choices[i]->setChecked(kStepChoices[i] == step);
}

}  // namespace poremi
