#include "app/module/message_form.h"

#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace poremi {
namespace {

TEST(MessageForm, TwoButtonsReadYesAndNo) {
    EXPECT_EQ(MessageForm::buttonCaptions({MessageButton::Ok, MessageButton::Cancel}),
              (QStringList{QStringLiteral("はい"), QStringLiteral("いいえ")}));
    EXPECT_EQ(MessageForm::buttonCaptions({MessageButton::Yes, MessageButton::No, MessageButton::Cancel}).size(), 3);
}

TEST(MessageForm, DefaultAndEscapeButtonsFollowTheIndexes) {
    MessageForm form(QStringLiteral("ぽれみ"), QStringLiteral("保存しますか？"),
                     {MessageButton::Yes, MessageButton::No, MessageButton::Cancel}, 1, 2);
    const auto buttons = form.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_TRUE(buttons[1]->isDefault());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("ぽれみ"));
    form.reject();
    EXPECT_EQ(form.result(), mrCancel);
    buttons[0]->click();
    EXPECT_EQ(form.result(), mrYes);
}

}  // namespace
}  // namespace poremi
