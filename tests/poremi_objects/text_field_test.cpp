// Texts bound to fields of the product and creator information, and the field object.

#include "document/model/document_model_classes.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "objects/object_classes.h"
#include "objects/text_field_object.h"
#include "paper/product_info.h"

#include <QtCore/QBuffer>
#include <gtest/gtest.h>

namespace poremi {
namespace {

class TextField : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerDocumentModelClasses();
        registerObjectClasses();
    }

    TextField() {
        product.items()[1].info().setLines({QStringLiteral("サブタイトル"), QStringLiteral("二行目")});
        product.items()[0].info().setLines({QStringLiteral("メイン")});
    }

    TProductInfo product;
};

TEST_F(TextField, aBoundTextTakesTheLinesOfItsFieldOnlyFromItsOwnInformation) {
    const QStringList own{QStringLiteral("元の文字")};
    const QStringList second{QStringLiteral("サブタイトル"), QStringLiteral("二行目")};
    struct Case {
        int fieldNo;
        TFieldType boundTo;
        TFieldType changed;
        bool withInfo;
        QStringList expected;
    };
    const std::vector<Case> cases{
        {2, ftProduct, ftProduct, true, second},
        {1, ftCreatorJapanese, ftCreatorJapanese, true, {QStringLiteral("メイン")}},
        {2, ftProduct, ftCreatorEnglish, true, own},     // another information changed
        {0, ftProduct, ftProduct, true, own},            // unbound
        {2, ftProduct, ftProduct, false, own},           // the information is absent
        {11, ftProduct, ftProduct, true, own},           // beyond the record's ten items
        {-3, ftProduct, ftProduct, true, own},
    };
    for (const Case& c : cases) {
        TLOText text;
        text.setText(own);
        text.setFieldNo(c.fieldNo);
        text.setFieldType(c.boundTo);
        text.applyField(c.changed, c.withInfo ? &product : nullptr);
        EXPECT_EQ(text.text(), c.expected) << c.fieldNo << " " << c.boundTo << " " << c.changed;
    }
}

TEST_F(TextField, aFieldObjectAlwaysWritesItsFieldNumberAndReadsBackAsAFieldObject) {
    TLOField field;
    field.setRect({10, 10, 300, 100});
    const QByteArray bytes = componentStreamBytes(field);
    EXPECT_TRUE(dumpComponentStream(bytes).contains(QStringLiteral("FieldNo = 0")));

    field.setFieldNo(4);
    QBuffer buffer;
    buffer.setData(componentStreamBytes(field));
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<TComponent> read = ReadComponent(buffer);
    const auto* back = dynamic_cast<const TLOField*>(read.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->fieldNo(), 4);
    EXPECT_EQ(back->rect(), field.rect());
}

}  // namespace
}  // namespace poremi
