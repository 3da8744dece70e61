// The golden streams are also made by an independent writer: Free Pascal's own component
// streaming (ObjectTextToBinary) turns the text form of each fixture into binary. Its bytes must
// equal the hand-written ones, and the reader must read from them, property by property, the
// object the fixture describes.

#include "document/stream/collection.h"
#include "document/stream/component_stream.h"
#include "tests/poremi_docstream/golden_fixtures.h"
#include "tests/poremi_docstream/stream_fixture.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <bit>
#include <gtest/gtest.h>

using namespace poremi;
using namespace poremi::sample;

namespace {

void expectSameProperties(const TPersistent& expected, const TPersistent& actual, const QString& path) {
    ASSERT_EQ(expected.className(), actual.className()) << path.toStdString();
    for (const PropertyInfo* p : expected.classInfo().properties()) {
        if (!p->isStored(expected)) continue;
        const std::string where = (path + p->name).toStdString();
        switch (p->kind) {
        case PropertyKind::Integer:
        case PropertyKind::Character:
        case PropertyKind::Enumeration:
        case PropertyKind::Set: EXPECT_EQ(p->getOrdinal(actual), p->getOrdinal(expected)) << where; break;
        case PropertyKind::Float:
            EXPECT_EQ(std::bit_cast<quint64>(p->getFloat(actual)), std::bit_cast<quint64>(p->getFloat(expected))) << where;
            break;
        case PropertyKind::String: EXPECT_EQ(p->getString(actual), p->getString(expected)) << where; break;
        case PropertyKind::Object: {
            const TPersistent* e = p->getObject(expected);
            const TPersistent* a = p->getObject(actual);
            ASSERT_TRUE(e && a) << where;
            if (const auto* items = dynamic_cast<const TCollection*>(e)) {
                const auto& actualItems = dynamic_cast<const TCollection&>(*a);
                ASSERT_EQ(actualItems.count(), items->count()) << where;
                for (qsizetype i = 0; i < items->count(); ++i)
                    expectSameProperties(items->item(i), actualItems.item(i), path + p->name + QStringLiteral("[%1].").arg(i));
            } else {
                expectSameProperties(*e, *a, path + p->name + u'.');
            }
            break;
        }
        case PropertyKind::Reference:
        case PropertyKind::Event: break;  // neither writer writes them
        }
    }
}

void expectSameComponents(const TComponent& expected, const TComponent& actual) {
    EXPECT_EQ(actual.name(), expected.name());
    expectSameProperties(expected, actual, expected.name() + u'.');
    ASSERT_EQ(actual.components().size(), expected.components().size()) << expected.name().toStdString();
    for (std::size_t i = 0; i < expected.components().size(); ++i)
        expectSameComponents(*expected.components()[i], *actual.components()[i]);
    // Custom properties (string lists, binary data) compare through what they write.
    EXPECT_EQ(componentStreamBytes(actual).toHex(' '), componentStreamBytes(expected).toHex(' '));
}

class IndependentWriter : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerSampleClasses();
        folder_ = new QString(test::freshFolder(QStringLiteral("object-text-to-binary")));
        const QString fpc = QStandardPaths::findExecutable(QStringLiteral("fpc"));
        if (fpc.isEmpty()) return;  // each test reports it
        QProcess compile;
        compile.start(fpc, {QStringLiteral("-v0"), QStringLiteral("-FE") + *folder_, QStringLiteral("-FU") + *folder_,
                            QStringLiteral(POREMI_SOURCE_DIR "/tests/poremi_docstream/object_text_to_binary.pas")});
        compile.waitForFinished(120000);
        if (compile.exitStatus() == QProcess::NormalExit && compile.exitCode() == 0)
            converter_ = new QString(*folder_ + QStringLiteral("/object_text_to_binary"));
    }
    static void TearDownTestSuite() {
        delete folder_;
        delete converter_;
        folder_ = converter_ = nullptr;
    }

    // The binary stream Free Pascal makes of a text form.
    static QByteArray freePascalBinary(const char* textForm) {
        if (!converter_) {
            ADD_FAILURE() << "fpc is missing or could not compile the converter (scripts/install-deps.sh installs it)";
            return {};
        }
        const QString text = *folder_ + QStringLiteral("/form.txt");
        const QString binary = *folder_ + QStringLiteral("/form.bin");
        QFile out(text);
        if (!out.open(QIODevice::WriteOnly)) return {};
        out.write(textForm);
        out.close();
        QFile::remove(binary);
        QProcess convert;
        convert.start(*converter_, {text, binary});
        convert.waitForFinished(30000);
        EXPECT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
        QFile in(binary);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    static void expectSameAsFixture(const test::GoldenFixture& fixture, const TComponent& expected) {
        const QByteArray made = freePascalBinary(fixture.textForm);
        EXPECT_EQ(made.toHex(' '), test::fixture(fixture.bytes).toHex(' '));
        ASSERT_FALSE(made.isEmpty());
        expectSameComponents(expected, *test::readStream(made));
    }

private:
    static QString* folder_;
    static QString* converter_;
};

QString* IndependentWriter::folder_ = nullptr;
QString* IndependentWriter::converter_ = nullptr;

TEST_F(IndependentWriter, FreshObject) { expectSameAsFixture(test::kFreshObject, *test::freshObject()); }

TEST_F(IndependentWriter, EveryKindOfProperty) {
    expectSameAsFixture(test::kEveryKindOfProperty, *test::everyKindOfProperty());
}

TEST_F(IndependentWriter, ChildrenFollowTheProperties) {
    expectSameAsFixture(test::kChildrenFollowTheProperties, *test::childrenFollowTheProperties());
}

// Encodings this system's writer does not choose for these values but must read.
TEST_F(IndependentWriter, WideStringsInt64AndDecimalFloats) {
    const QByteArray made = freePascalBinary(R"(object Obj: TSampleObject
  Top = 0
  Big = -2147483649
  Small = -32768
  Caption = 'a'#12354'b'
  Title = #12354
  Ratio = 1.0E-3
  Date = -1.25
  Locked = False
  Items = <
    item
      ID = #54620
    end>
end
)");
    ASSERT_FALSE(made.isEmpty());
    const auto expected = test::freshObject();
    expected->setBig(-2147483649LL);
    expected->setSmall(-32768);
    expected->setCaption(QStringLiteral("aあb"));
    expected->setTitle(QStringLiteral("あ"));
    expected->setRatio(1.0e-3);
    expected->setDate(-1.25);
    expected->items()->add().setId(QStringLiteral("한"));
    expectSameComponents(*expected, *test::readStream(made));
}

}  // namespace
