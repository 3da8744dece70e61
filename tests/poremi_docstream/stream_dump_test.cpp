#include "document/stream/stream_dump.h"

#include "base/error.h"
#include "tests/poremi_docstream/stream_fixture.h"

#include <gtest/gtest.h>

using namespace poremi;
using poremi::test::failure;
using poremi::test::failureOf;
using poremi::test::fixture;

namespace {

TEST(StreamDump, ConventionalTextOfEveryValueType) {
    // No class of this stream is registered: decoding is structural.
    const QByteArray stream = fixture(R"(
        FF 0A 00 'LABELDATA' 00 30 10 00 00 00 00
        'TPF0' 0A 'TLDObjects' 09 'LabelData'
        04 'Left' 02 78
        04 'Wide' 13 00 00 00 00 01 00 00 00
        07 'Caption' 06 08 83 65 83 4C 83 58 83 67
        04 'Note' 06 07 'it' 27 's' 0D 0A 'x'
        05 'Empty' 06 00
        05 'Ratio' 05 00 00 00 00 00 00 00 C0 FF 3F
        03 'Sng' 0F 00 00 20 40
        03 'Cur' 10 88 13 00 00 00 00 00 00
        04 'When' 11 00 00 00 00 00 00 F0 3F
        05 'Color' 07 05 'clRed'
        04 'Flag' 09
        03 'Ref' 0D
        05 'Style' 0B 06 'fsBold' 08 'fsItalic' 00
        05 'NoSet' 0B 00
        0D 'Lines.Strings' 01 06 01 'a' 12 01 00 00 00 5C D5 00
        04 'Data' 0A 03 00 00 00 01 AB FF
        05 'Items' 0E 01 02 'ID' 06 02 'CD' 00 02 05 01 00 00
        04 'None' 0E 00
        00
          07 'TLOText' 05 'Text1' 00 00
          F2 02 03 07 'TLOText' 00 00 00
        00)");
    const QString expected = QStringLiteral(
        "object LabelData: TLDObjects\n"
        "  Left = 120\n"
        "  Wide = 4294967296\n"
        "  Caption = 'テキスト'\n"
        "  Note = 'it''s'#13#10'x'\n"
        "  Empty = ''\n"
        "  Ratio = 1.5\n"
        "  Sng = 2.5s\n"
        "  Cur = 0.5c\n"
        "  When = 1d\n"
        "  Color = clRed\n"
        "  Flag = True\n"
        "  Ref = nil\n"
        "  Style = [fsBold, fsItalic]\n"
        "  NoSet = []\n"
        "  Lines.Strings = (\n"
        "    'a'\n"
        "    '한')\n"
        "  Data = {\n"
        "    01ABFF}\n"
        "  Items = <\n"
        "    item\n"
        "      ID = 'CD'\n"
        "    end\n"
        "    item [5]\n"
        "    end>\n"
        "  None = <>\n"
        "  object Text1: TLOText\n"
        "  end\n"
        "  object TLOText [3]\n"
        "  end\n"
        "end\n");
    EXPECT_EQ(dumpComponentStream(stream), expected);
    EXPECT_EQ(dumpComponentStream(stream.mid(19)), expected);  // the bare stream
}

TEST(StreamDump, ReportsTheReadersMessage) {
    EXPECT_EQ(failureOf([] { dumpComponentStream("TPF1"); }), failure(StreamFault::InvalidFormat, "不正なストリーム フォーマット"));
    EXPECT_EQ(failureOf([] { dumpComponentStream(fixture("'TPF0' 03 'TAB' 00 04 'Left' 04 01")); }),
              failure(StreamFault::ReadError, "ストリームからの読み込みエラー"));
    EXPECT_EQ(failureOf([] { dumpComponentStream(fixture("FF 0A 00 'X'")); }), failure(StreamFault::InvalidFormat, "不正なストリーム フォーマット"));
}

}  // namespace
