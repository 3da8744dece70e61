// The text dialog through its designer: what OK writes and records as one step, the stored
// values it keeps when their controls were left alone, what it refuses, the distortion
// presets, the fill and position panels, captions and pages, and pictures of every page.

#include "document/model/action_history.h"
#include "document/model/document_model_classes.h"
#include "document/model/draw_site.h"
#include "objects/dialogs/color_grid.h"
#include "objects/dialogs/text_designer.h"
#include "objects/dialogs/text_property_dialog.h"
#include "objects/object_classes.h"
#include "objects/text_date_object.h"
#include "objects/text_object.h"
#include "render/distortion/cdd_file.h"
#include "render/raster/raster_classes.h"
#include "render/text/text_classes.h"
#include "tests/poremi_object_dialogs/text_dialog_support.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTabWidget>
#include <gtest/gtest.h>
#include <functional>

namespace poremi {
namespace {

const QString kNoText = QStringLiteral("文字が入力されていません");
const QString kNoPattern = QStringLiteral("変形パターンが指定されていません");

const QString& presetFile() { return test::textDialogPresetFile(); }

template <class T>
T& child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QLatin1String(name));
    if (!found) throw std::runtime_error(name);
    return *found;
}

QString tabCaption(QDialog& d) {
    auto* tabs = d.findChild<QTabWidget*>(QStringLiteral("tabs"));
    return tabs->tabText(tabs->currentIndex());
}

void showTab(QDialog& d, const QString& caption) {
    auto* tabs = d.findChild<QTabWidget*>(QStringLiteral("tabs"));
    for (int k = 0; k < tabs->count(); ++k)
        if (tabs->tabText(k) == caption) tabs->setCurrentIndex(k);
}

void pressOk(QDialog& d) { d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

class TextDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::useTextDialogFonts();
        registerRasterClasses();
        registerTextClasses();
        registerDocumentModelClasses();
        registerObjectClasses();
    }
    void SetUp() override {
        TActionList::instance().clear();
        text = new TLOText(&site);
        text->setText({QStringLiteral("アルバム")});
        text->setRect(TRect{100, 200, 600, 400});
        site.addDrawObject(*text);
    }
    void TearDown() override { TActionList::instance().clear(); }

    // Opens the dialog through the designer and lets interact work on it while it is modal.
    bool edit(TDrawObject& object, const std::function<void(TfrmTextProperty&)>& interact) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TfrmTextProperty*>(QApplication::activeModalWidget());
            if (!dialog) return;
            shown = true;
            interact(*dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        bool cancelled = false;
        const bool handled = TDOTextEditor(presetFile()).edit(object, cancelled);
        EXPECT_TRUE(handled);
        EXPECT_TRUE(shown);
        return !cancelled;
    }

    test::ScriptedUserInterface ui;
    DrawSite site;
    TLOText* text = nullptr;
};

TEST_F(TextDialog, okWritesEachControlAsOneUndoableStep) {
    struct Case {
        const char* what;
        std::function<void(QDialog&)> interact;
        std::function<bool(const TLOText&)> written;
    };
    const Case cases[] = {
        {"lines", [](QDialog& d) { child<QPlainTextEdit>(d, "memText").setPlainText(QStringLiteral("一\n二")); },
         [](const TLOText& t) { return t.text() == QStringList{QStringLiteral("一"), QStringLiteral("二")}; }},
        {"size", [](QDialog& d) { child<QComboBox>(d, "cmbFontSize").setCurrentText(QStringLiteral("36")); },
         [](const TLOText& t) { return t.font().size() == 36; }},
        {"bold and strikeout",
         [](QDialog& d) {
             child<QCheckBox>(d, "chkBold").setChecked(true);
             child<QCheckBox>(d, "chkStrikeOut").setChecked(true);
         },
         [](const TLOText& t) { return t.font().style() == (fsBold | fsStrikeOut); }},
        {"justify", [](QDialog& d) { child<QComboBox>(d, "cmbAlign").setCurrentIndex(3); },
         [](const TLOText& t) { return t.align() == 3; }},
        {"closest characters", [](QDialog& d) { child<QComboBox>(d, "cmbCharSpacing").setCurrentIndex(0); },
         [](const TLOText& t) { return t.charSpacing() == -4 && t.lineSpacing() == 0; }},
        {"widest lines", [](QDialog& d) { child<QComboBox>(d, "cmbLineSpacing").setCurrentIndex(4); },
         [](const TLOText& t) { return t.lineSpacing() == 20 && t.charSpacing() == 0; }},
        {"vertical turns the rectangle", [](QDialog& d) { child<QCheckBox>(d, "chkVertical").setChecked(true); },
         [](const TLOText& t) { return t.vertical() && t.rect() == TRect{250, 50, 450, 550}; }},
        {"conversions",
         [](QDialog& d) {
             child<QCheckBox>(d, "chkHanToZen").setChecked(true);
             child<QCheckBox>(d, "chkMinusExc").setChecked(true);
         },
         [](const TLOText& t) { return t.hanToZen() && !t.numToKnj() && t.minusExc(); }},
        {"upper left shadow",
         [](QDialog& d) {
             child<QRadioButton>(d, "rbShadowOn").click();
             child<QRadioButton>(d, "rbShadow7").click();
         },
         [](const TLOText& t) { return t.shadow() == 1; }},
        {"shadow switched on falls to the lower right", [](QDialog& d) { child<QRadioButton>(d, "rbShadowOn").click(); },
         [](const TLOText& t) { return t.shadow() == 8; }},
        {"outline",
         [](QDialog& d) {
             child<QRadioButton>(d, "rbOutlineOn").click();
             child<QDoubleSpinBox>(d, "seOutlineWidth").setValue(1.5);
         },
         [](const TLOText& t) { return t.outline() && t.outlineWidth() == 15; }},
        {"red text",
         [](QDialog& d) {
             showTab(d, QStringLiteral("文字色"));
             auto& grid = child<TColGrid>(child<QWidget>(d, "textFill"), "colorGrid");
             QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.cellRect(1).center());
         },
         [](const TLOText& t) { return t.textColor().color() == 0x0000FF; }},
        {"place, angle, lock and not printing",
         [](QDialog& d) {
             child<QDoubleSpinBox>(d, "seLeft").setValue(-12.5);
             child<QDoubleSpinBox>(d, "seHeight").setValue(30);
             child<QSpinBox>(d, "seAngle").setValue(-90);
             child<QCheckBox>(d, "chkLock").setChecked(true);
             child<QCheckBox>(d, "chkDontPrint").setChecked(true);
         },
         [](const TLOText& t) {
             return t.rect() == TRect{-125, 200, 375, 500} && t.angle() == 270 && !t.movable() && t.dontPrint();
         }},
    };
    for (const Case& c : cases) {
        SetUp();
        const QByteArray before = text->text().join(u'|').toUtf8();
        EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
            c.interact(d);
            pressOk(d);
        })) << c.what;
        EXPECT_TRUE(c.written(*text)) << c.what;
        ASSERT_EQ(TActionList::instance().count(), 1) << c.what;
        EXPECT_EQ(TActionList::instance().undoCaption(), QStringLiteral("設定変更"));
        TActionList::instance().undo();
        EXPECT_FALSE(c.written(*text)) << c.what << " survived its undo";
        EXPECT_EQ(text->text().join(u'|').toUtf8(), before);
    }
    EXPECT_TRUE(ui.questions().isEmpty());
}

TEST_F(TextDialog, storedValuesTheControlsCannotShowSurviveAnUntouchedDialog) {
    text->setCharSpacing(5);
    text->setLineSpacing(-7);
    text->setShadowOffsetX(10);
    text->setShadowOffsetY(0);
    text->setOutline(true);
    text->setOutlineWidth(1234);
    text->setFieldNo(3);
    text->setFieldType(ftCreatorEnglish);
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
        EXPECT_EQ(child<QComboBox>(d, "cmbCharSpacing").currentText(), QStringLiteral("普通"));
        pressOk(d);
    }));
    EXPECT_EQ(text->charSpacing(), 5);
    EXPECT_EQ(text->lineSpacing(), -7);
    EXPECT_EQ(text->shadowOffsetX(), 10);
    EXPECT_EQ(text->shadowOffsetY(), 0);
    EXPECT_EQ(text->outlineWidth(), 1234);
    EXPECT_EQ(text->fieldNo(), 3);
    EXPECT_EQ(text->fieldType(), ftCreatorEnglish);
    EXPECT_EQ(TActionList::instance().count(), 0);

    // A changed step writes only its own spacing.
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
        child<QComboBox>(d, "cmbCharSpacing").setCurrentIndex(3);
        pressOk(d);
    }));
    EXPECT_EQ(text->charSpacing(), 10);
    EXPECT_EQ(text->lineSpacing(), -7);
}

TEST_F(TextDialog, anUntouchedDialogRecordsNothingWhateverTheText) {
    TCDDFile presets;
    presets.Open(presetFile());
    struct Case {
        const char* what;
        std::function<void(TLOText&)> prepare;
    };
    const Case cases[] = {
        {"auto-sized", [](TLOText& t) { t.setAutoSize(true); }},
        {"vertical and turned",
         [](TLOText& t) {
             t.setVertical(true);
             t.setAngle(30);
         }},
        {"shadow preset and outline",
         [](TLOText& t) {
             t.setShadow(3);
             t.setOutline(true);
             t.setOutlineWidth(20);
         }},
        {"distorted by a preset",
         [&](TLOText& t) {
             TCoonsDistortion preset;
             presets.LoadPreset(2, preset);
             t.setCoonsDistortion(preset);
             t.setDistortionRatio(70);
         }},
        {"styled", [](TLOText& t) {
             TPointBasedFont font = t.font();
             font.setStyle(fsItalic | fsUnderline);
             font.setSize(13);
             t.setFont(font);
             t.setAlign(2);
             t.setNumToKnj(true);
             t.setDontPrint(true);
             t.setMovable(false);
         }},
    };
    for (const Case& c : cases) {
        SetUp();
        c.prepare(*text);
        EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) { pressOk(d); })) << c.what;
        EXPECT_EQ(TActionList::instance().count(), 0) << c.what;
    }
}

TEST_F(TextDialog, changedLinesUnbindAFieldAndABoundTextMayBeEmpty) {
    text->setText({});
    text->setFieldNo(2);
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) { pressOk(d); }));
    EXPECT_EQ(text->fieldNo(), 2);
    EXPECT_TRUE(ui.questions().isEmpty());
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
        child<QPlainTextEdit>(d, "memText").setPlainText(QStringLiteral("手入力"));
        pressOk(d);
    }));
    EXPECT_EQ(text->fieldNo(), 0);
    EXPECT_EQ(text->text(), QStringList{QStringLiteral("手入力")});
}

TEST_F(TextDialog, returnStartsALineAndCtrlReturnConfirms) {
    const bool confirmed = edit(*text, [](TfrmTextProperty& d) {
        auto& box = child<QPlainTextEdit>(d, "memText");
        box.setFocus();
        box.moveCursor(QTextCursor::End);
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClicks(&box, QStringLiteral("B"));
        EXPECT_TRUE(d.isVisible());
        QTest::keyClick(&box, Qt::Key_Return, Qt::ControlModifier);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(text->text(), (QStringList{QStringLiteral("アルバム"), QStringLiteral("B")}));
}

TEST_F(TextDialog, okIsRefusedOnThePageConcerned) {
    struct Case {
        const char* what;
        std::function<void(QDialog&)> interact;
        QString message;
        QString page;
    };
    const Case cases[] = {
        {"empty lines",
         [](QDialog& d) {
             child<QPlainTextEdit>(d, "memText").clear();
             showTab(d, QStringLiteral("影"));
         },
         kNoText, QStringLiteral("文字")},
        {"distortion without a pattern",
         [](QDialog& d) {
             child<QRadioButton>(d, "rbDistortionOn").click();
             showTab(d, QStringLiteral("位置"));
         },
         kNoPattern, QStringLiteral("変形")},
    };
    for (const Case& c : cases) {
        const qsizetype asked = ui.questions().size();
        EXPECT_FALSE(edit(*text, [&](TfrmTextProperty& d) {
            c.interact(d);
            pressOk(d);
            EXPECT_TRUE(d.isVisible()) << c.what;
            EXPECT_EQ(tabCaption(d), c.page) << c.what;
            d.reject();
        }));
        ASSERT_EQ(ui.questions().size(), asked + 1) << c.what;
        EXPECT_EQ(ui.questions().last().text, c.message);
    }
    EXPECT_EQ(text->text(), QStringList{QStringLiteral("アルバム")});
    EXPECT_EQ(TActionList::instance().count(), 0);
}

TEST_F(TextDialog, aChosenPresetIsStoredWithItsAmountAndOffClearsIt) {
    TCDDFile presets;
    presets.Open(presetFile());
    ASSERT_GT(presets.Count(), 3);
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
        auto& ratio = child<QSlider>(d, "tbRatio");
        child<QRadioButton>(d, "rbDistortionOn").click();
        EXPECT_TRUE(ratio.isHidden());
        child<QListWidget>(d, "lstPatterns").setCurrentRow(3);
        EXPECT_FALSE(ratio.isHidden());
        ratio.setValue(40);
        pressOk(d);
    }));
    EXPECT_EQ(presets.FindPreset(text->coonsDistortion()), 3);
    EXPECT_EQ(text->distortionRatio(), 40);

    // Reopened, the preset is shown chosen and an untouched OK keeps it.
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
        EXPECT_EQ(child<QListWidget>(d, "lstPatterns").currentRow(), 3);
        EXPECT_TRUE(child<QRadioButton>(d, "rbDistortionOn").isChecked());
        pressOk(d);
    }));
    EXPECT_EQ(presets.FindPreset(text->coonsDistortion()), 3);

    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
        child<QRadioButton>(d, "rbDistortionOff").click();
        pressOk(d);
    }));
    EXPECT_TRUE(text->coonsDistortion().isIdentity());
}

TEST_F(TextDialog, aDistortionNoPresetNamesIsKept) {
    TCoonsDistortion own;
    own.setSideCount(dsTop, 3);
    own.setSideCount(dsBottom, 2);
    own.setPoint(dsTop, 0, {0, 0});
    own.setPoint(dsTop, 1, {0.5, -0.3});
    own.setPoint(dsTop, 2, {1, 0});
    own.setPoint(dsBottom, 0, {0, 1});
    own.setPoint(dsBottom, 1, {1, 1});
    text->setCoonsDistortion(own);
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) { pressOk(d); }));
    EXPECT_EQ(text->coonsDistortion().identifier(), own.identifier());
    EXPECT_EQ(text->coonsDistortion().sideCount(dsTop), 3);
    EXPECT_TRUE(ui.questions().isEmpty());
}

TEST_F(TextDialog, gradientStopsAreAppendedWithTheirPresetColours) {
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
        showTab(d, QStringLiteral("文字色"));
        auto* fill = d.findChild<QWidget*>(QStringLiteral("textFill"));
        child<QRadioButton>(*fill, "rbGradation").click();
        child<QSpinBox>(*fill, "seColorCount").setValue(4);
        pressOk(d);
    }));
    EXPECT_EQ(text->textColor().kind(), TColorSpecKind::cskGradation);
    EXPECT_EQ(text->textColor().gradColors().colors(), (QList<TColor>{0xFFFFFF, 0x000000, 0x0000FF, 0x00FFFF}));
}

TEST_F(TextDialog, aFillThatIsNoLongerAPictureKeepsNoHiddenPicture) {
    const QString file = test::freshFolder(QStringLiteral("text_dialog_fill")) + QStringLiteral("/tile.png");
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(Qt::green);
    ASSERT_TRUE(tile.save(file));
    TColorSpec pictureFill;
    pictureFill.imageData().picture().loadFromFile(file);
    pictureFill.setKind(TColorSpecKind::cskBitmap);
    text->setTextColor(pictureFill);
    ASSERT_EQ(text->textColor().kind(), TColorSpecKind::cskBitmap);
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) { pressOk(d); }));
    EXPECT_EQ(text->textColor().kind(), TColorSpecKind::cskBitmap);
    EXPECT_EQ(TActionList::instance().count(), 0);

    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
        child<QRadioButton>(child<QWidget>(d, "textFill"), "rbSolid").click();
        pressOk(d);
    }));
    EXPECT_EQ(text->textColor().kind(), TColorSpecKind::cskSolid);
    EXPECT_TRUE(text->textColor().imageData().isEmpty());
}

TEST_F(TextDialog, typedMillimetresKeepOneDecimal) {
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
        showTab(d, QStringLiteral("位置"));
        auto& left = child<QDoubleSpinBox>(d, "seLeft");
        left.selectAll();
        QTest::keyClicks(&left, QStringLiteral("12.34"));
        pressOk(d);
    }));
    EXPECT_EQ(text->left(), 123);
}

TEST_F(TextDialog, autoSizeFreesTheSizeBoxesAndFitsTheText) {
    EXPECT_TRUE(edit(*text, [&](TfrmTextProperty& d) {
        child<QCheckBox>(d, "chkAutoSize").setChecked(true);
        EXPECT_FALSE(child<QDoubleSpinBox>(d, "seWidth").isEnabled());
        EXPECT_TRUE(child<QDoubleSpinBox>(d, "seLeft").isEnabled());
        pressOk(d);
    }));
    EXPECT_TRUE(text->autoSize());
    EXPECT_NE(text->rect(), (TRect{100, 200, 600, 400}));
}

TEST_F(TextDialog, captionsAndRememberedPages) {
    EXPECT_FALSE(edit(*text, [&](TfrmTextProperty& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("文字の編集・設定"));
        showTab(d, QStringLiteral("縁取り"));
        d.reject();
    }));
    EXPECT_FALSE(edit(*text, [&](TfrmTextProperty& d) {
        EXPECT_EQ(tabCaption(d), QStringLiteral("縁取り"));
        d.reject();
    }));
    TLOText fresh;
    EXPECT_FALSE(edit(fresh, [&](TfrmTextProperty& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("文字の追加"));
        EXPECT_EQ(tabCaption(d), QStringLiteral("文字"));
        d.reject();
    }));
}

TEST_F(TextDialog, datesAndOtherObjectsAreLeftToOtherDesigners) {
    TLODate date;
    bool cancelled = false;
    EXPECT_FALSE(TDOTextEditor(presetFile()).edit(date, cancelled));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(TextDialogPicture, eachPageIsLeftForAPersonToLookAt) {
    test::useTextDialogFonts();
    registerTextClasses();
    TLOText text;
    text.setText({QStringLiteral("ポレミ"), QStringLiteral("Label")});
    text.setShadow(8);
    text.setOutline(true);
    text.setOutlineWidth(5);
    text.setRect(TRect{0, 0, 500, 300});
    TfrmTextProperty dialog(false, presetFile());
    dialog.load(text);
    dialog.show();
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tabs"));
    QDir().mkpath(test::outputFolder());
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        const QImage shot = dialog.grab().toImage();
        EXPECT_GT(shot.width(), 300);
        EXPECT_TRUE(shot.save(test::outputFolder() + QStringLiteral("/text_dialog_page%1.png").arg(page + 1)));
    }
    dialog.reject();
}

}  // namespace
}  // namespace poremi
