#include "app/screens/about_box.h"

#include "core/app_frame.h"

#include <QtCore/QTimer>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace poremi {

AboutBox::AboutBox(TAppFrame& frame, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 16);
    auto* name = new QLabel(frame.expandMacros(QStringLiteral("$(AppName)")), this);
    QFont large = name->font();
    large.setPointSizeF(large.pointSizeF() * 2.5);
    large.setBold(true);
    name->setFont(large);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    auto* subtitle = new QLabel(QStringLiteral("CDラベル作成ソフト"), this);
    subtitle->setAlignment(Qt::AlignCenter);
    layout->addWidget(subtitle);
    auto* version = new QLabel(frame.expandMacros(QStringLiteral("バージョン $(LongVer)")), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &AboutBox::accept);
    layout->addWidget(buttons);
}

void AboutBox::showSplash(TAppFrame& frame, int milliseconds) {
    auto* splash = new AboutBox(frame);
    splash->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* buttons = splash->findChild<QDialogButtonBox*>()) buttons->hide();
    splash->show();
    QTimer::singleShot(milliseconds, splash, &QWidget::close);
}

}  // namespace poremi
