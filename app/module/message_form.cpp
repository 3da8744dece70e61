#include "app/module/message_form.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

namespace poremi {
namespace {

constexpr int kMaxButtons = 3;

QString standardCaption(MessageButton button) {
    switch (button) {
    case MessageButton::Ok: return QStringLiteral("OK");
    case MessageButton::Cancel: return QStringLiteral("キャンセル");
    case MessageButton::Help: return QStringLiteral("ヘルプ(&H)");
    case MessageButton::Yes: return QStringLiteral("はい(&Y)");
    case MessageButton::No: return QStringLiteral("いいえ(&N)");
    case MessageButton::Close: return QStringLiteral("閉じる");
    case MessageButton::Abort: return QStringLiteral("中止(&A)");
    case MessageButton::Retry: return QStringLiteral("再試行(&R)");
    case MessageButton::Ignore: return QStringLiteral("無視(&I)");
    case MessageButton::All: return QStringLiteral("すべて(&A)");
    }
    return QString();
}

}  // namespace

QStringList MessageForm::buttonCaptions(const QList<MessageButton>& buttons) {
    QStringList captions;
    const qsizetype count = std::min<qsizetype>(buttons.size(), kMaxButtons);
    for (qsizetype i = 0; i < count; ++i) {
        if (count <= 2) {
            captions << (i == 0 ? QStringLiteral("はい") : QStringLiteral("いいえ"));
        } else {
            captions << standardCaption(buttons[i]);
        }
    }
    return captions;
}

MessageForm::MessageForm(const QString& caption, const QString& text, const QList<MessageButton>& buttons,
                         int defaultIndex, int cancelIndex, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    row->addStretch();
    const QStringList captions = buttonCaptions(buttons);
    for (qsizetype i = 0; i < captions.size(); ++i) {
        auto* button = new QPushButton(captions[i], this);
        const MessageButton kind = buttons[i];
        if (kind == MessageButton::Ok || kind == MessageButton::Yes) {
            button->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
        }
        const int result = modalResultOf(kind);
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        if (i == defaultIndex) {
            button->setDefault(true);
            button->setFocus();
        }
        row->addWidget(button);
    }
    if (cancelIndex >= 0 && cancelIndex < captions.size()) cancelResult_ = modalResultOf(buttons[cancelIndex]);
    row->addStretch();
    layout->addLayout(row);
}

void MessageForm::reject() { done(cancelResult_); }

int WidgetUserInterface::messageBox(const QString& caption, const QString& text, const QList<MessageButton>& buttons,
                                    int defaultIndex, int cancelIndex) {
    QWidget* parent = QApplication::activeWindow();
    if (parent) {
        parent->raise();
        parent->activateWindow();
    }
    MessageForm form(caption, text, buttons, defaultIndex, cancelIndex, parent);
    return form.exec();
}

QString WidgetUserInterface::openFileName(const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, QString(), filter);
}

}  // namespace poremi
