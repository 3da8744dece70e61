#include "edit/arrange/arrange_mode_dialog.h"

#include "objects/dialogs/dialog_buttons.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

ArrangeModeDialog::ArrangeModeDialog(const QString& caption, const QStringList& modes, QWidget* parent)
    : QDialog(parent), modes_(new QButtonGroup(this)) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    for (qsizetype i = 0; i < modes.size(); ++i) {
        auto* choice = new QRadioButton(modes[i], this);
        modes_->addButton(choice, int(i));
        layout->addWidget(choice);
    }
    if (!modes.isEmpty()) modes_->button(0)->setChecked(true);
    layout->addSpacing(8);
    layout->addWidget(makeDialogButtons(*this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int ArrangeModeDialog::mode() const { return modes_->checkedId(); }

void ArrangeModeDialog::setMode(int mode) {
    if (QAbstractButton* choice = modes_->button(mode)) choice->setChecked(true);
}

TfrmLocation::TfrmLocation(QWidget* parent)
    : ArrangeModeDialog(QStringLiteral("位置合わせ"),
                        {QStringLiteral("左端に移動する"), QStringLiteral("右端に移動する"), QStringLiteral("上端に移動する"),
                         QStringLiteral("下端に移動する"), QStringLiteral("上下中央に移動する"),
                         QStringLiteral("左右中央に移動する"), QStringLiteral("中心に対して垂直にする"),
                         QStringLiteral("中心に対して水平にする")},
                        parent) {}

TfrmAlign::TfrmAlign(QWidget* parent)
    : ArrangeModeDialog(QStringLiteral("位置揃え"),
                        {QStringLiteral("左端で揃える"), QStringLiteral("右端で揃える"), QStringLiteral("上端で揃える"),
                         QStringLiteral("下端で揃える"), QStringLiteral("左右間隔を均等にする"),
                         QStringLiteral("上下間隔を均等にする")},
                        parent) {}

}  // namespace poremi
