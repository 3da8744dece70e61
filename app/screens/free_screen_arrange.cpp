#include "app/screens/free_screen_arrange.h"

#include "edit/arrange/arrange_group.h"
#include "edit/arrange/arrange_mode_dialog.h"
#include "edit/arrange/arrange_split_text.h"
#include "edit/draw_site_widget.h"

#include <QtGui/QAction>

namespace poremi {

FreeScreenArrangeCommands::FreeScreenArrangeCommands(std::function<TDrawSite*()> site,
                                                     std::function<const TFaceInfo*()> face, QObject* parent)
    : QObject(parent), site_(std::move(site)), face_(std::move(face)) {
    position_ = command("actLocation", QStringLiteral("位置合わせ(&A)..."), [this](TDrawSite& on) {
        const TFaceInfo* face = face_();
        if (!face) return;
        TfrmLocation dialog(on.window());
        if (const std::optional<int> mode = choose(dialog)) positionObjects(on, *face, PositionMode(*mode));
    });
    align_ = command("actAlign", QStringLiteral("位置揃え(&O)..."), [this](TDrawSite& on) {
        TfrmAlign dialog(on.window());
        if (const std::optional<int> mode = choose(dialog)) alignObjects(on, AlignMode(*mode));
    });
    group_ = command("actGroup", QStringLiteral("グループ化(&G)"), groupObjects);
    group_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    ungroup_ = command("actUngroup", QStringLiteral("グループ化解除(&N)"), ungroupObjects);
    ungroup_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    splitText_ = command("actSplitText", QStringLiteral("文字列の分割"), poremi::splitText);
    setModeChooser({});
    updateStates();
}

QAction* FreeScreenArrangeCommands::command(const char* name, const QString& caption,
                                            std::function<void(TDrawSite&)> run) {
    auto* made = new QAction(caption, this);
    made->setObjectName(QString::fromLatin1(name));
    connect(made, &QAction::triggered, this, [this, made, run = std::move(run)] {
        // A shortcut may arrive before the refresh disabled the command.
        updateStates();
        TDrawSite* site = site_();
        if (site && made->isEnabled()) run(*site);
        updateStates();
    });
    return made;
}

void FreeScreenArrangeCommands::setModeChooser(ModeChooser chooser) {
    chooser_ = chooser ? std::move(chooser) : [](ArrangeModeDialog& dialog) -> std::optional<int> {
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.mode();
    };
}

std::optional<int> FreeScreenArrangeCommands::choose(ArrangeModeDialog& dialog) const { return chooser_(dialog); }

void FreeScreenArrangeCommands::updateStates() {
    TDrawSite* site = site_();
    position_->setEnabled(site && canPosition(*site));
    align_->setEnabled(site && canAlign(*site));
    group_->setEnabled(site && canGroup(*site));
    ungroup_->setEnabled(site && canUngroup(*site));
    splitText_->setEnabled(site && canSplitText(*site));
}

}  // namespace poremi
