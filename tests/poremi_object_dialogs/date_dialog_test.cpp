// The date dialog through its designer: the moment, refresh and format it writes with the
// text pages as one step, its caption and pages, and pictures of every page.

#include "base/datetime.h"
#include "document/model/action_history.h"
#include "document/model/document_model_classes.h"
#include "document/model/draw_site.h"
#include "objects/dialogs/date_dialog.h"
#include "objects/dialogs/date_dialog_designer.h"
#include "objects/object_classes.h"
#include "objects/text_date_object.h"
#include "render/text/text_classes.h"
#include "tests/poremi_object_dialogs/text_dialog_support.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTabWidget>
#include <gtest/gtest.h>
#include <functional>

namespace poremi {
namespace {

// No preset file: the dialog offers no patterns.
const QString kNoPresets = QStringLiteral("/nonexistent/presets.cdd");

double at(int year, int month, int day, int hour = 0, int minute = 0) {
    return joinDateTimeValue(QDate(year, month, day), QTime(hour, minute));
}

template <class T>
T& child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QLatin1String(name));
    if (!found) throw std::runtime_error(name);
    return *found;
}

class DateDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::useTextDialogFonts();
        registerTextClasses();
        registerDocumentModelClasses();
        registerObjectClasses();
    }
    void SetUp() override {
        TActionList::instance().clear();
        date = new TLODate(&site);
        date->setFormat(QStringLiteral("yyyy\"/\"m\"/\"d"));
        date->setDate(at(2024, 3, 5, 14, 7));
        date->setRect(TRect{0, 0, 400, 100});
        site.addDrawObject(*date);
    }
    void TearDown() override { TActionList::instance().clear(); }

    bool edit(TDrawObject& object, const std::function<void(TfrmDateProperty&)>& interact) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TfrmDateProperty*>(QApplication::activeModalWidget());
            if (!dialog) return;
            shown = true;
            interact(*dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        bool cancelled = false;
        const bool handled = TDODateEditor(kNoPresets).edit(object, cancelled);
        EXPECT_TRUE(handled);
        EXPECT_TRUE(shown);
        return !cancelled;
    }
    static void pressOk(QDialog& d) { d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

    test::ScriptedUserInterface ui;
    DrawSite site;
    TLODate* date = nullptr;
};

TEST_F(DateDialog, okWritesFormatMomentRefreshAndTextPagesAsOneStep) {
    EXPECT_TRUE(edit(*date, [&](TfrmDateProperty& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("日付オブジェクトの設定"));
        child<QListWidget>(d, "lstFormat").setCurrentRow(29);   // format 30
        child<QSpinBox>(d, "spnHour").setValue(9);
        child<QRadioButton>(d, "rdoUpdate3").click();
        child<QCheckBox>(d, "chkItalic").setChecked(true);
        pressOk(d);
    }));
    EXPECT_EQ(date->format(), QStringLiteral("$(ShortMonthA) d\",\"yyyy"));
    EXPECT_EQ(date->text(), QStringList{QStringLiteral("Mar 5,2024")});
    EXPECT_DOUBLE_EQ(date->date(), at(2024, 3, 5, 9, 7));
    EXPECT_EQ(date->updateFlag(), dufSave);
    EXPECT_TRUE(date->font().italic());
    ASSERT_EQ(TActionList::instance().count(), 1);
    EXPECT_EQ(TActionList::instance().undoCaption(), QStringLiteral("設定変更"));
    TActionList::instance().undo();
    EXPECT_EQ(date->text(), QStringList{QStringLiteral("2024/3/5")});
    EXPECT_EQ(date->updateFlag(), dufNo);
    EXPECT_FALSE(date->font().italic());
}

TEST_F(DateDialog, anUntouchedDialogChangesNothing) {
    EXPECT_TRUE(edit(*date, [&](TfrmDateProperty& d) { pressOk(d); }));
    EXPECT_EQ(TActionList::instance().count(), 0);
    EXPECT_EQ(date->text(), QStringList{QStringLiteral("2024/3/5")});
}

TEST_F(DateDialog, distortionWithoutAPatternIsRefusedOnItsPage) {
    EXPECT_FALSE(edit(*date, [&](TfrmDateProperty& d) {
        child<QRadioButton>(d, "rbDistortionOn").click();
        pressOk(d);
        EXPECT_TRUE(d.isVisible());
        auto& tabs = child<QTabWidget>(d, "tabs");
        EXPECT_EQ(tabs.tabText(tabs.currentIndex()), QStringLiteral("変形"));
        d.reject();
    }));
    ASSERT_EQ(ui.questions().size(), 1);
    EXPECT_EQ(ui.questions().last().text, QStringLiteral("変形パターンが指定されていません"));
}

TEST_F(DateDialog, textsAndOtherObjectsAreLeftToOtherDesigners) {
    TLOText text;
    bool cancelled = false;
    EXPECT_FALSE(TDODateEditor(kNoPresets).edit(text, cancelled));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(DateDialogPicture, eachPageIsLeftForAPersonToLookAt) {
    test::useTextDialogFonts();
    registerTextClasses();
    TLODate date;
    date.setFormat(QStringLiteral("ggge\"年\"m\"月\"d\"日\""));
    date.setDate(at(2024, 3, 5, 14, 7));
    TfrmDateProperty dialog(false, test::textDialogPresetFile());
    dialog.load(date);
    dialog.show();
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tabs"));
    QDir().mkpath(test::outputFolder());
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        const QImage shot = dialog.grab().toImage();
        EXPECT_GT(shot.width(), 300);
        EXPECT_TRUE(shot.save(test::outputFolder() + QStringLiteral("/date_dialog_page%1.png").arg(page + 1)));
    }
    dialog.reject();
}

}  // namespace
}  // namespace poremi
