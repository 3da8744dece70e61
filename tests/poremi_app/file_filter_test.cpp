#include "app/module/file_filter.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

const QString kPictures = QStringLiteral("ビットマップ (*.bmp)|*.bmp|JPEG イメージファイル (*.jpg)|*.jpg");
const QString kBackups = QStringLiteral("用紙情報のバックアップ(*.ppb)|*.ppb|すべてのファイル(*.*)|*.*");

TEST(FileFilter, PairsBecomeDescriptionsWithTheirPatterns) {
    EXPECT_EQ(qtNameFilters(kPictures),
              (QStringList{QStringLiteral("ビットマップ (*.bmp)"), QStringLiteral("JPEG イメージファイル (*.jpg)")}));
    EXPECT_EQ(qtNameFilters(kBackups),
              (QStringList{QStringLiteral("用紙情報のバックアップ (*.ppb)"), QStringLiteral("すべてのファイル (*.*)")}));
    // Patterns not named in the description, several of them, and a dangling description.
    EXPECT_EQ(qtNameFilters(QStringLiteral("画像|*.bmp;*.jpg|余り")), QStringList{QStringLiteral("画像 (*.bmp *.jpg)")});
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
}

TEST(FileFilter, ExtensionOfAnEntry) {
    struct Row {
        QString filter;
        int index;
        QString extension;
    };
    const Row rows[] = {{kPictures, 1, QStringLiteral("bmp")}, {kPictures, 2, QStringLiteral("jpg")},
                        {kPictures, 3, QString()},             {kPictures, 0, QString()},
                        {kBackups, 2, QString()},              {QStringLiteral("CSV|*.csv;*.txt"), 1, QStringLiteral("csv")}};
    for (const Row& row : rows) EXPECT_EQ(filterExtension(row.filter, row.index), row.extension) << row.filter.toStdString() << row.index;
}

}  // namespace
}  // namespace poremi
