#include "app/screens/free_screen_ribbon.h"

#include "app/screens/free_screen_route.h"

#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QToolButton>

namespace poremi {

FreeScreenRibbon::FreeScreenRibbon(QWidget* parent) : QWidget(parent), row_(new QHBoxLayout(this)) {
    setObjectName(QStringLiteral("FreeScreenRibbon"));
    setAutoFillBackground(true);
    QPalette shade = palette();
    shade.setColor(QPalette::Window, shade.color(QPalette::Window).darker(108));
    setPalette(shade);
    row_->setContentsMargins(8, 4, 8, 4);
    row_->setSpacing(4);
}

void FreeScreenRibbon::setSteps(const QStringList& steps) {
    steps_ = steps;
    while (QLayoutItem* item = row_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (i > 0) row_->addWidget(new QLabel(QStringLiteral("›"), this));
        auto* step = new QToolButton(this);
        step->setText(steps[i]);
        step->setObjectName(QStringLiteral("RibbonStep"));
        step->setFocusPolicy(Qt::NoFocus);
        step->setAutoRaise(true);
        const bool current = i + 1 == steps.size();
        if (current) {
            // The screen the user is on: shown as reached, nothing to run.
            step->setCheckable(true);
            step->setChecked(true);
            QFont bold = step->font();
            bold.setBold(true);
            step->setFont(bold);
            step->setAttribute(Qt::WA_TransparentForMouseEvents);
        } else {
            const QString command = ribbonStepCommand(steps[i]);
            connect(step, &QToolButton::clicked, this, [this, command] { emit commandChosen(command); });
        }
        row_->addWidget(step);
    }
    row_->addStretch(1);
}

QToolButton* FreeScreenRibbon::stepButton(const QString& caption) const {
    for (QToolButton* step : findChildren<QToolButton*>())
        if (step->text() == caption) return step;
    return nullptr;
}

}  // namespace poremi
