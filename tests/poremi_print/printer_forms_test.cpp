// Printer forms, the size text of paper lists, the usable printer, and the media option a
// job is submitted with.

#include "print/cups_printers.h"
#include "print/printer_forms.h"
#include "print_fixtures.h"

#include <gtest/gtest.h>

namespace poremi::printtest {
namespace {

TPrinterForm someForms() {
    return TPrinterForm({{QStringLiteral("A4"), 2100, 2970, 9},
                         {QStringLiteral("はがき"), 1000, 1480, 43},
                         {QStringLiteral("A4 (フチなし)"), 2100, 2970, 120}});
}

TEST(PrinterForms, FindsTheFirstFormOfExactlyTheSize) {
    const TPrinterForm forms = someForms();
    EXPECT_EQ(forms.FindForm(2100, 2970), 0);
    EXPECT_EQ(forms.FindForm(1000, 1480), 1);
    EXPECT_EQ(forms.FindForm(2100, 2971), -1);
    EXPECT_EQ(forms.FindForm(2970, 2100), -1);
    EXPECT_EQ(TPrinterForm().FindForm(2100, 2970), -1);
}

TEST(PrinterForms, SizeTextNamesTheFormOrGivesMillimetres) {
    const TPrinterForm forms = someForms();
    const struct {
        int width, height;
        bool landscape;
        const char16_t* text;
    } cases[] = {
        {2100, 2970, false, u"A4"},
        {2100, 2971, false, u"210x297.1mm"},
        {1150, 1155, false, u"115x115.5mm"},
        // A landscape sheet is listed as it is seen.
        {1480, 1000, true, u"はがき"},
        {1000, 1480, true, u"148x100mm"},
    };
    for (const auto& c : cases) {
        auto paper = rectGridPaper(1, 1, 0);
        paper->setPhysicalSize(c.width, c.height);
        paper->setLandscape(c.landscape);
        EXPECT_EQ(paperSizeText(*paper, forms), QString::fromUtf16(c.text)) << c.width << "x" << c.height;
    }
}

TEST(PrinterForms, UsablePrinterIsTheDefaultOrTheFirstThatOpens) {
    const struct {
        std::vector<PrinterQueue> queues;
        std::vector<QString> broken;
        QString chosen;
    } cases[] = {
        {{{QStringLiteral("a"), false}, {QStringLiteral("b"), true}}, {}, QStringLiteral("b")},
        {{{QStringLiteral("a"), false}, {QStringLiteral("b"), false}}, {QStringLiteral("a")}, QStringLiteral("b")},
        {{{QStringLiteral("a"), false}, {QStringLiteral("b"), true}}, {QStringLiteral("b")}, QStringLiteral("a")},
        {{{QStringLiteral("a"), true}}, {QStringLiteral("a")}, QString()},
        {{}, {}, QString()},
    };
    for (const auto& c : cases) {
        const auto canOpen = [&c](const QString& name) {
            return std::find(c.broken.begin(), c.broken.end(), name) == c.broken.end();
        };
        EXPECT_EQ(SelectUsablePrinter(c.queues, canOpen), c.chosen);
    }
}

TEST(PrinterForms, MediaIsTheStandardNameOrTheExactSize) {
    auto paper = rectGridPaper(1, 1, 0);
    const struct {
        int width, height;
        bool landscape;
        const char* media;
    } cases[] = {
        {2100, 2970, false, "A4"},
        {2100, 2970, true, "A4"},  // the page goes in upright, turned by the composer
        {1400, 2700, false, "Custom.140x270mm"},
        {1215, 1905, false, "Custom.121.5x190.5mm"},
    };
    for (const auto& c : cases) {
        paper->setPhysicalSize(c.width, c.height);
        paper->setLandscape(c.landscape);
        EXPECT_EQ(mediaOption(*paper), QString::fromLatin1(c.media));
    }
}

}  // namespace
}  // namespace poremi::printtest
