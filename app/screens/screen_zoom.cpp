#include "app/screens/screen_zoom.h"

#include <QtGui/QAction>
#include <QtGui/QActionGroup>
#include <map>

namespace poremi {
namespace {

constexpr int kScales[] = {25, 50, 75, 100, 150, 200, 400};

std::map<ScreenKind, int>& rememberedZooms() {
    static std::map<ScreenKind, int> zooms;
    return zooms;
}

}  // namespace

ScreenZoom::ScreenZoom(ScreenKind remembered, QObject* parent)
    : QObject(parent), kind_(remembered), group_(new QActionGroup(this)) {
    group_->setExclusive(true);
    const auto add = [this](const QString& caption, int percent) {
        QAction* choice = group_->addAction(caption);
        choice->setCheckable(true);
        choice->setData(percent);
        connect(choice, &QAction::triggered, this, [this, percent] { choose(percent); });
    };
    for (int scale : kScales) add(QStringLiteral("%1%").arg(scale), scale);
    add(QStringLiteral("自動(&A)"), kAutomatic);
    const int start = ScreenZoom::remembered(kind_);
    percent_ = start;
    for (QAction* choice : group_->actions()) choice->setChecked(choice->data().toInt() == start);
}

QList<QAction*> ScreenZoom::actions() const { return group_->actions(); }

void ScreenZoom::choose(int percent) {
    QAction* match = nullptr;
    for (QAction* choice : group_->actions())
        if (choice->data().toInt() == percent) match = choice;
    if (!match) return;
    match->setChecked(true);
    percent_ = percent;
    emit chosen(percent);
}

void ScreenZoom::remember(int currentScale) const { rememberedZooms()[kind_] = automatic() ? kAutomatic : currentScale; }

int ScreenZoom::remembered(ScreenKind kind) {
    const auto known = rememberedZooms().find(kind);
    return known == rememberedZooms().end() ? kAutomatic : known->second;
}

}  // namespace poremi
