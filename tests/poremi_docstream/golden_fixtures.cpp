#include "tests/poremi_docstream/golden_fixtures.h"

namespace poremi::test {

using namespace poremi::sample;

const GoldenFixture kFreshObject = {
    R"('TPF0' 0D 'TSampleObject' 03 'Obj'
       03 'Top' 02 00                  # Top and Locked have no default
       06 'Locked' 08
       05 'Items' 0E 00                # a collection is always written
       00 00)",
    R"(object Obj: TSampleObject
  Top = 0
  Locked = False
  Items = <>
end
)"};

std::unique_ptr<TSampleObject> freshObject() {
    auto object = std::make_unique<TSampleObject>();
    object->setName(QStringLiteral("Obj"));
    return object;
}

const GoldenFixture kEveryKindOfProperty = {
    R"('TPF0' 0D 'TSampleObject' 03 'Obj'
       04 'Left' 03 2C 01                       # 300
       03 'Top' 02 F6                           # -10
       07 'Caption' 06 02 'Hi'
       05 'Title' 06 00                         # empty, though the constructor says "untitled"
       05 'Ratio' 05 00 00 00 00 00 00 00 00 00 00   # 0, though the constructor says 1.5
       04 'Date' 05 00 00 00 00 00 80 AE 8E 0E 40    # 36526.5 as extended
       07 'Visible' 08
       06 'Locked' 09
       05 'Shape' 07 05 'lsDot'
       07 'Options' 0B 06 'soBold' 0B 'soUnderline' 00
       05 'Color' 07 05 'clRed'
       06 'Cursor' 07 0B 'crHandPoint'
       07 'Charset' 07 10 'SHIFTJIS_CHARSET'
       04 'Mark' 06 01 '#'
       0B 'Conditional' 02 05
       0E 'Grid.LineShape' 07 06 'lsDash'
       09 'Grid.Size' 02 05
       0E 'Grid.Pen.Color' 04 56 34 12 00       # no name for 0x123456
       0D 'Lines.Strings' 01 06 01 'a' 06 00 06 01 'b' 00
       05 'Items' 0E
         01 02 'ID' 06 02 'CD' 05 'Value' 02 03 00
         01 00
       00
       06 'Points' 0A 14 00 00 00  02 00 00 00  01 00 00 00 02 00 00 00  FD FF FF FF 04 00 00 00
       00
       00)",
    R"(object Obj: TSampleObject
  Left = 300
  Top = -10
  Caption = 'Hi'
  Title = ''
  Ratio = 0.0
  Date = 36526.5
  Visible = False
  Locked = True
  Shape = lsDot
  Options = [soBold, soUnderline]
  Color = clRed
  Cursor = crHandPoint
  Charset = SHIFTJIS_CHARSET
  Mark = '#'
  Conditional = 5
  Grid.LineShape = lsDash
  Grid.Size = 5
  Grid.Pen.Color = 1193046
  Lines.Strings = (
    'a'
    ''
    'b')
  Items = <
    item
      ID = 'CD'
      Value = 3
    end
    item
    end>
  Points = {
    020000000100000002000000FDFFFFFF04000000}
end
)"};

std::unique_ptr<TSampleObject> everyKindOfProperty() {
    auto object = freshObject();
    object->setLeft(300);
    object->setTop(-10);
    object->setCaption(QStringLiteral("Hi"));
    object->setTitle(QString());
    object->setRatio(0);
    object->setDate(36526.5);
    object->setVisible(false);
    object->setLocked(true);
    object->setShape(LineShape::lsDot);
    object->setOptions(soBold | soUnderline);
    object->setColor(0x0000FF);
    object->setCursor(-21);
    object->setCharset(128);
    object->setMark('#');
    object->setHidden(77);  // not stored
    object->setConditional(5);
    object->grid()->setLineShape(LineShape::lsDash);
    object->grid()->setSize(5);
    object->grid()->pen()->setColor(0x123456);
    object->lines()->setLines({"a", "", "b"});
    TSampleItem& first = object->items()->add();
    first.setId(QStringLiteral("CD"));
    first.setValue(3);
    object->items()->add();
    object->points = {QPoint(1, 2), QPoint(-3, 4)};
    return object;
}

const GoldenFixture kChildrenFollowTheProperties = {
    R"('TPF0' 0C 'TSampleGroup' 04 'Root'
       05 'Level' 02 02
       00
         0C 'TSampleGroup' 01 'A' 00
           0C 'TSampleGroup' 02 'A1' 00 00
         00
         0C 'TSampleGroup' 01 'B' 00 00
       00)",
    R"(object Root: TSampleGroup
  Level = 2
  object A: TSampleGroup
    object A1: TSampleGroup
    end
  end
  object B: TSampleGroup
  end
end
)"};

std::unique_ptr<TSampleGroup> childrenFollowTheProperties() {
    auto root = std::make_unique<TSampleGroup>();
    root->setName(QStringLiteral("Root"));
    root->setLevel(2);
    auto* a = new TSampleGroup;
    root->insertComponent(a);
    a->setName(QStringLiteral("A"));
    auto* a1 = new TSampleGroup;
    a->insertComponent(a1);
    a1->setName(QStringLiteral("A1"));
    auto* b = new TSampleGroup;
    root->insertComponent(b);
    b->setName(QStringLiteral("B"));
    return root;
}

}  // namespace poremi::test
