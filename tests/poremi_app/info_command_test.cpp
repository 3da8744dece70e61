#include "app/cli/commands.h"
#include "app/module/main_data_module.h"
#include "base/datetime.h"
#include "document/model/group_object.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "objects/jan_object.h"
#include "paper/paper_info.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace poremi {
namespace {

class InfoCommand : public ::testing::Test {
protected:
    QString run(const QString& file, int& exitCode, QString* errors = nullptr) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        exitCode = runInfoCommand({file});
        const QString out = QString::fromStdString(testing::internal::GetCapturedStdout());
        const QString err = QString::fromStdString(testing::internal::GetCapturedStderr());
        if (errors) *errors = err;
        return out;
    }

    static QString documentPath(const QString& name) {
        const QString folder = test::outputFolder() + QStringLiteral("/documents");
        QDir().mkpath(folder);
        return folder + QLatin1Char('/') + name;
    }

    MainDataModule module_;
};

std::unique_ptr<TLOJANCode> janCode(int left) {
    auto code = std::make_unique<TLOJANCode>();
    code->setJANCode(QStringLiteral("4901234567894"));
    code->setRect({left, 50, left + 300, 250});
    return code;
}

// Two sheets: a matrix paper designed face by face, and a free paper with one design for all.
void writeDocument(const QString& path) {
    TLabelData data(nullptr);
    data.setDataName(QStringLiteral("夏のアルバム"));
    data.setLastSave(toDateTimeValue(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 59))));
    data.setLastPrint(0);
    TMatrixPaperInfo matrix;
    matrix.setPaperName(QStringLiteral("二面"));
    matrix.setPhysicalSize(2100, 2970);
    matrix.setFaceCountX(1);
    matrix.setFaceCountY(2);
    matrix.setFaceWidth(1000);
    matrix.setFaceHeight(1000);
    data.SetPaper(matrix);
    auto first = janCode(10);
    auto second = janCode(400);
    TDOGroup group;
    TDOList design;
    design.add(first.get());
    design.add(second.get());
    design.add(&group);
    data.SaveLabelObjects(0, design);

    data.AddNewSheet();
    TFreePaperInfo free;
    free.setPaperName(QStringLiteral("Free"));
    free.setPhysicalSize(1000, 1505);
    free.setLandscape(true);
    free.faces().add().setFaceRect({100, 100, 900, 600});
    free.faces().add().setFaceRect({100, 700, 900, 1200});
    data.SetPaper(free);
    data.setSeparatelyDesign(false);
    TDOList shared;
    shared.add(first.get());
    data.SaveLabelObjects(1, shared);
    data.SaveToFile(path);
}

TEST_F(InfoCommand, PrintsTitleTimesSheetsPapersAndFaces) {
    const QString path = documentPath(QStringLiteral("info.lbx"));
    writeDocument(path);
    int exitCode = -1;
    EXPECT_EQ(run(path, exitCode), QStringLiteral("title: 夏のアルバム\n"
                                                  "saved: 2026-03-04 05:06   printed: -\n"
                                                  "sheet 1: 新規シート1\n"
                                                  "  paper: 二面 (210 x 297 mm, 2 faces)\n"
                                                  "  separately designed: yes\n"
                                                  "  face 1: 3 objects (TDOGroup×1, TLOJANCode×2), preview yes\n"
                                                  "  face 2: 0 objects, preview no\n"
                                                  "sheet 2: 新規シート2\n"
                                                  "  paper: Free (150.5 x 100 mm, 2 faces)\n"
                                                  "  separately designed: no\n"
                                                  "  face 1: 1 objects (TLOJANCode×1), preview yes\n"));
    EXPECT_EQ(exitCode, 0);
}

TEST_F(InfoCommand, NonDocumentsAreToldInTheApplicationsWords) {
    const QString text = documentPath(QStringLiteral("info_not_a_document.lbx"));
    {
        QFile file(text);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("no compound file");
    }
    for (const QString& path : {text, documentPath(QStringLiteral("info_missing.lbx"))}) {
        int exitCode = 0;
        QString errors;
        EXPECT_TRUE(run(path, exitCode, &errors).isEmpty());
        EXPECT_NE(exitCode, 0);
        EXPECT_EQ(errors, QStringLiteral("指定されたファイルは「ぽれみ」のデータではありません\n")) << path.toStdString();
    }
}

}  // namespace
}  // namespace poremi
