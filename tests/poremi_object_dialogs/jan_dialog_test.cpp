// The barcode dialog through its designer: what OK stores and records, the digits it refuses,
// the characters it filters, its captions and pages, and a picture of its pages.

#include "document/model/action_history.h"
#include "document/model/document_model_classes.h"
#include "document/model/draw_site.h"
#include "objects/dialogs/color_grid.h"
#include "objects/dialogs/jan_designer.h"
#include "objects/dialogs/jan_property_dialog.h"
#include "objects/jan_object.h"
#include "objects/object_classes.h"
#include "render/text/text_classes.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtGui/QClipboard>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <gtest/gtest.h>
#include <functional>

namespace poremi {
namespace {

const QString kInvalid = QStringLiteral("バーコードが正しくありません。");

class JanDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerTextClasses();
        registerDocumentModelClasses();
        registerObjectClasses();
    }
    void SetUp() override {
        TActionList::instance().clear();
        code = new TLOJANCode(&site);
        site.addDrawObject(*code);
    }
    void TearDown() override { TActionList::instance().clear(); }

    // Opens the dialog through the designer and lets interact work on it while it is modal.
    bool edit(TDrawObject& object, const std::function<void(TfrmJANCodeProperty&)>& interact) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TfrmJANCodeProperty*>(QApplication::activeModalWidget());
            if (!dialog) return;
            shown = true;
            interact(*dialog);
            // A dialog the interaction failed to close would hang the test.
            if (dialog->isVisible()) dialog->reject();
        });
        bool cancelled = false;
        const bool handled = TDOJANCodeEditor().edit(object, cancelled);
        EXPECT_TRUE(handled);
        EXPECT_TRUE(shown);
        return !cancelled;
    }

    static QLineEdit& digits(QDialog& d) { return *d.findChild<QLineEdit*>(QStringLiteral("edtJANCode")); }
    // Types each character as a key press carrying it (QTest only types ASCII).
    static void setDigits(QDialog& d, const QString& text) {
        digits(d).clear();
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&digits(d), &press);
        }
    }
    static void pressOk(QDialog& d) {
        d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }

    test::ScriptedUserInterface ui;
    DrawSite site;
    TLOJANCode* code = nullptr;
};

TEST_F(JanDialog, okStoresCompletedDigitsAsOneUndoableStep) {
    struct Case {
        const char* typed;
        const char* stored;
    };
    for (const Case& c : {Case{"490123456789", "4901234567894"}, Case{"9638507", "96385074"},
                          Case{"4006381333931", "4006381333931"}, Case{"96385074", "96385074"}}) {
        TActionList::instance().clear();
        const QString before = QStringLiteral("0");
        code->setJANCode(before);
        EXPECT_TRUE(edit(*code, [&](TfrmJANCodeProperty& d) {
            setDigits(d, QString::fromLatin1(c.typed));
            pressOk(d);
        }));
        EXPECT_EQ(code->janCode().toStdString(), c.stored);
        ASSERT_EQ(TActionList::instance().count(), 1) << c.typed;
        EXPECT_EQ(TActionList::instance().undoCaption(), QStringLiteral("設定変更"));
        TActionList::instance().undo();
        EXPECT_EQ(code->janCode(), before);
        TActionList::instance().redo();
        EXPECT_EQ(code->janCode().toStdString(), c.stored);
    }
    EXPECT_TRUE(ui.questions().isEmpty());
}

TEST_F(JanDialog, refusedDigitsKeepTheDialogOpenWithTheReason) {
    // Loaded texts are not filtered, so a full-width digit reaches the check too.
    for (const QString& text : {QStringLiteral("4901234567890"), QStringLiteral("12345"), QStringLiteral("49012345678a"),
                                QStringLiteral("49012345678９"), QStringLiteral("490123456789４"), QString(),
                                QStringLiteral("4901234567894 ")}) {
        code->setJANCode(text);
        const qsizetype asked = ui.questions().size();
        bool stayedOpen = false;
        EXPECT_FALSE(edit(*code, [&](TfrmJANCodeProperty& d) {
            pressOk(d);
            stayedOpen = d.isVisible();
            d.reject();
        })) << text.toStdString();
        EXPECT_TRUE(stayedOpen) << text.toStdString();
        ASSERT_EQ(ui.questions().size(), asked + 1) << text.toStdString();
        EXPECT_EQ(ui.questions().last().text, kInvalid);
        EXPECT_EQ(code->janCode(), text);
    }
    EXPECT_EQ(TActionList::instance().count(), 0);
}

TEST_F(JanDialog, wideCharactersCannotBeTypedOrPasted) {
    EXPECT_FALSE(edit(*code, [&](TfrmJANCodeProperty& d) {
        setDigits(d, QStringLiteral("４9ｱ0１1ｶﾞ2"));
        EXPECT_EQ(digits(d).text(), QStringLiteral("9012"));
        EXPECT_EQ(digits(d).cursorPosition(), 4);
        QApplication::clipboard()->setText(QStringLiteral("３4ﾃ5"));
        digits(d).setCursorPosition(2);
        digits(d).paste();
        EXPECT_EQ(digits(d).text(), QStringLiteral("904512"));
        EXPECT_EQ(digits(d).cursorPosition(), 4);
        d.reject();
    }));
}

TEST_F(JanDialog, okWritesFlagsFontAndColour) {
    code->setJANCode(QStringLiteral("4901234567894"));
    TPointBasedFont font = code->font();
    font.setSize(12);
    code->setFont(font);
    EXPECT_TRUE(edit(*code, [&](TfrmJANCodeProperty& d) {
        d.findChild<QCheckBox*>(QStringLiteral("chkShowNumber"))->setChecked(false);
        d.findChild<QCheckBox*>(QStringLiteral("chkShowFrame"))->setChecked(true);
        d.findChild<QComboBox*>(QStringLiteral("cmbFontSize"))->setCurrentText(QStringLiteral("24"));
        auto* colour = d.findChild<ColorButton*>(QStringLiteral("btnTextColor"));
        colour->click();
        TColGrid* grid = colour->palette();
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(1).center());  // red
        pressOk(d);
    }));
    EXPECT_FALSE(code->showNumber());
    EXPECT_TRUE(code->showFrame());
    EXPECT_EQ(code->font().size(), 24);
    EXPECT_EQ(code->font().color(), 0x0000FF);
    EXPECT_EQ(code->janCode(), QStringLiteral("4901234567894"));
    EXPECT_EQ(TActionList::instance().count(), 1);

    // A size that is not a number keeps the size; the colour survives another OK.
    EXPECT_TRUE(edit(*code, [&](TfrmJANCodeProperty& d) {
        d.findChild<QComboBox*>(QStringLiteral("cmbFontSize"))->setCurrentText(QStringLiteral("大きい"));
        pressOk(d);
    }));
    EXPECT_EQ(code->font().size(), 24);
    EXPECT_EQ(code->font().color(), 0x0000FF);
}

TEST_F(JanDialog, escapeCancelsAndRecordsNothing) {
    code->setJANCode(QStringLiteral("4901234567894"));
    EXPECT_FALSE(edit(*code, [&](TfrmJANCodeProperty& d) {
        setDigits(d, QStringLiteral("96385074"));
        d.findChild<QCheckBox*>(QStringLiteral("chkShowFrame"))->setChecked(true);
        QTest::keyClick(&digits(d), Qt::Key_Escape);
    }));
    EXPECT_EQ(code->janCode(), QStringLiteral("4901234567894"));
    EXPECT_FALSE(code->showFrame());
    EXPECT_EQ(TActionList::instance().count(), 0);
}

TEST_F(JanDialog, enterAccepts) {
    EXPECT_TRUE(edit(*code, [&](TfrmJANCodeProperty& d) {
        setDigits(d, QStringLiteral("9638507"));
        QTest::keyClick(&digits(d), Qt::Key_Return);
    }));
    EXPECT_EQ(code->janCode(), QStringLiteral("96385074"));
}

TEST_F(JanDialog, aNewBarcodeIsAddedOnTheFirstPageAndAnOldOneReopensOnTheLastPage) {
    EXPECT_FALSE(edit(*code, [&](TfrmJANCodeProperty& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("バーコードの編集・設定"));
        d.findChild<QTabWidget*>()->setCurrentIndex(1);
        d.reject();
    }));
    EXPECT_FALSE(edit(*code, [&](TfrmJANCodeProperty& d) {
        EXPECT_EQ(d.findChild<QTabWidget*>()->currentIndex(), 1);
        d.reject();
    }));
    TLOJANCode fresh;
    EXPECT_FALSE(edit(fresh, [&](TfrmJANCodeProperty& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("バーコードの追加"));
        EXPECT_EQ(d.findChild<QTabWidget*>()->currentIndex(), 0);
        d.reject();
    }));
}

// A rectangle object that is no barcode.
class PlainRect : public TLORectBase {
public:
    void setExtent(int, int) override {}
    void strokeOutline(QPainter&) override {}
};

TEST_F(JanDialog, otherObjectsAreLeftToOtherDesigners) {
    PlainRect other;
    bool cancelled = false;
    EXPECT_FALSE(TDOJANCodeEditor().edit(other, cancelled));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(JanDialogPicture, eachPageIsLeftForAPersonToLookAt) {
    registerTextClasses();
    TLOJANCode code;
    code.setJANCode(QStringLiteral("4901234567894"));
    code.setShowFrame(true);
    TfrmJANCodeProperty dialog(false);
    dialog.load(code);
    dialog.show();
    auto* tabs = dialog.findChild<QTabWidget*>();
    QDir().mkpath(test::outputFolder());
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        const QImage shot = dialog.grab().toImage();
        EXPECT_GT(shot.width(), 200);
        EXPECT_TRUE(shot.save(test::outputFolder() + QStringLiteral("/jan_dialog_page%1.png").arg(page + 1)));
    }
    dialog.reject();
}

}  // namespace
}  // namespace poremi
