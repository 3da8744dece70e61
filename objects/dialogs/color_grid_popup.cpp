#include "objects/dialogs/color_grid_popup.h"

#include "objects/dialogs/color_grid.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace poremi {
namespace {

std::optional<std::uint32_t> systemColorDialog(std::uint32_t current, QWidget* parent) {
    const QColor start = current == TfrmColorGrid::kTransparent ? QColor(Qt::white) : toQColor(current);
    const QColor chosen = QColorDialog::getColor(start, parent, QStringLiteral("その他の色"));
    if (!chosen.isValid()) return std::nullopt;
    return std::uint32_t(chosen.red()) | std::uint32_t(chosen.green()) << 8 | std::uint32_t(chosen.blue()) << 16;
}

TfrmColorGrid::OtherColorDialog& otherColorDialog() {
    static TfrmColorGrid::OtherColorDialog dialog = systemColorDialog;
    return dialog;
}

}  // namespace

TfrmColorGrid& TfrmColorGrid::instance() {
    // Lives as long as the process; a top-level widget that nothing else owns.
    static TfrmColorGrid* grid = new TfrmColorGrid;
    return *grid;
}

void TfrmColorGrid::setOtherColorDialog(OtherColorDialog dialog) {
    otherColorDialog() = dialog ? std::move(dialog) : OtherColorDialog(systemColorDialog);
}

TfrmColorGrid::TfrmColorGrid() : QFrame(nullptr, Qt::Popup) {
    setObjectName(QStringLiteral("frmColorGrid"));
    setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(3);
    grid_ = new TColGrid(this);
    layout->addWidget(grid_);
    auto* extra = new QHBoxLayout;
    extra->setSpacing(2);
    other_ = new QPushButton(QStringLiteral("その他の色"), this);
    other_->setObjectName(QStringLiteral("btnOtherColor"));
    transparent_ = new QPushButton(QStringLiteral("透過"), this);
    transparent_->setObjectName(QStringLiteral("btnTransparent"));
    transparent_->setCheckable(true);
    for (QPushButton* button : {other_, transparent_}) {
        button->setFocusPolicy(Qt::NoFocus);
        extra->addWidget(button);
    }
    layout->addLayout(extra);
    connect(grid_, &TColGrid::colorChosen, this, &TfrmColorGrid::choose);
    connect(other_, &QPushButton::clicked, this, &TfrmColorGrid::chooseOther);
    connect(transparent_, &QPushButton::clicked, this, [this] { choose(kTransparent); });
}

void TfrmColorGrid::dropDown(QWidget& button, std::uint32_t current, Opener opener) {
    if (isVisible()) hide();
    opener_ = std::move(opener);
    color_ = current;
    transparent_->setVisible(opener_->allowTransparent);
    transparent_->setChecked(opener_->allowTransparent && current == kTransparent);
    adjustSize();
    QPoint place = button.mapToGlobal(QPoint(0, button.height()));
    // Kept on the screen: above the button when there is no room below it.
    if (const QScreen* screen = button.screen()) {
        const QRect area = screen->availableGeometry();
        if (place.y() + height() > area.bottom()) place.setY(button.mapToGlobal(QPoint(0, 0)).y() - height());
        place.setX(qBound(area.left(), place.x(), qMax(area.left(), area.right() - width())));
    }
    move(place);
    show();
    activateWindow();
    setFocus();
}

std::optional<TfrmColorGrid::Opener> TfrmColorGrid::takeOpener() {
    std::optional<Opener> taken = std::move(opener_);
    opener_.reset();
    return taken;
}

void TfrmColorGrid::choose(std::uint32_t color) {
    std::optional<Opener> opener = takeOpener();
    color_ = color;
    hide();
    if (opener && opener->colorChosen) opener->colorChosen(color);
}

void TfrmColorGrid::chooseOther() {
    // The dialog is modal: the drop-down goes away first but the opener waits for the answer.
    std::optional<Opener> opener = takeOpener();
    hide();
    QWidget* parent = parentWidget() ? parentWidget()->window() : nullptr;
    const std::optional<std::uint32_t> chosen = otherColorDialog()(color_, parent);
    if (!opener) return;
    if (chosen) {
        color_ = *chosen;
        if (opener->colorChosen) opener->colorChosen(*chosen);
    } else if (opener->closed) {
        opener->closed();
    }
}

void TfrmColorGrid::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    // Esc and a click outside hide the popup without a choice.
    if (std::optional<Opener> opener = takeOpener(); opener && opener->closed) opener->closed();
}

void TfrmColorGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QFrame::keyPressEvent(event);
}

}  // namespace poremi
