#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "render/text/simple_text.h"
#include "render/text/text_classes.h"

#include <QtCore/QBuffer>
#include <gtest/gtest.h>

namespace poremi {

// A component that owns a text, as label objects do.
class TTextHolder : public TComponent {
    POREMI_PERSISTENT(TTextHolder)
public:
    TSimpleText& text() { return text_; }

private:
    TSimpleText text_;
};

const TClassInfo& TTextHolder::staticClassInfo() {
    static const TClassInfo info = describeClass<TTextHolder, TComponent>("TTextHolder", [](auto& c) {
        c.object("Text", &TTextHolder::text);
    });
    return info;
}

namespace {

TEST(TextPersistence, WritesEveryPropertyButHeightAndAZeroFeedAngle) {
    registerTextClasses();
    RegisterClass<TTextHolder>();
    TTextHolder holder;
    TSimpleText& text = holder.text();
    text.setText({QStringLiteral("一行目"), QStringLiteral("Line 2")});
    TPointBasedFont font;
    font.setName(QStringLiteral("ＭＳ 明朝"));
    font.setSize(14);
    font.setStyle(fsBold | fsUnderline);
    font.setColor(0x0000FF);
    text.setFont(font);
    text.setAlign(taJustify);
    text.setBulge(-120);
    text.setHanToZen(true);

    const QByteArray bytes = componentStreamBytes(holder);
    const QString dump = dumpComponentStream(bytes);
    for (const char* entry : {"Text.Font.Name", "Text.Font.Size = 14", "Text.Font.Style = [fsBold, fsUnderline]",
                              "Text.Align = 3", "Text.Vertical = False", "Text.CharSpacing = 0", "Text.Bulge = -120",
                              "Text.HanToZen = True", "Text.MinusExc = False"})
        EXPECT_TRUE(dump.contains(QString::fromUtf8(entry))) << entry << "\n" << dump.toStdString();
    EXPECT_FALSE(dump.contains(QStringLiteral("Height")));
    EXPECT_FALSE(dump.contains(QStringLiteral("FeedAngle")));

    TTextHolder read;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ReadComponent(buffer, read);
    EXPECT_EQ(read.text().text(), text.text());
    EXPECT_EQ(read.text().font(), text.font());
    EXPECT_EQ(read.text().align(), taJustify);
    EXPECT_EQ(read.text().bulge(), -120);
    EXPECT_TRUE(read.text().hanToZen());
}

}  // namespace
}  // namespace poremi
