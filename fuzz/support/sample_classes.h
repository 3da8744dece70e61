#pragma once
// Persisted classes that exercise every kind of property, for the stream tests, the benchmark
// and the fuzz target.

#include "document/stream/collection.h"
#include "document/stream/component.h"
#include "document/stream/string_list.h"

#include <QtCore/QList>
#include <QtCore/QPoint>
#include <memory>

namespace poremi::sample {

enum class LineShape { lsSolid, lsDash, lsDot };
enum Option { soBold = 1, soItalic = 2, soUnderline = 4 };  // set members, bit i = element i

class TSamplePen : public TPersistent {
    POREMI_PERSISTENT(TSamplePen)
public:
    qint64 color() const { return color_; }
    void setColor(qint64 color) { color_ = color; }
    int width() const { return width_; }
    void setWidth(int width) { width_ = width; }

private:
    qint64 color_ = 0;  // clBlack
    int width_ = 1;
};

class TSampleGrid : public TPersistent {
    POREMI_PERSISTENT(TSampleGrid)
public:
    LineShape lineShape() const { return lineShape_; }
    void setLineShape(LineShape shape) { lineShape_ = shape; }
    int size() const { return size_; }
    void setSize(int size) { size_ = size; }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    TSamplePen* pen() const { return pen_.get(); }

private:
    LineShape lineShape_ = LineShape::lsSolid;
    int size_ = 10;
    bool visible_ = false;
    std::unique_ptr<TSamplePen> pen_ = std::make_unique<TSamplePen>();
};

class TSampleItem : public TCollectionItem {
    POREMI_PERSISTENT(TSampleItem)
public:
    const QString& id() const { return id_; }
    void setId(const QString& id) { id_ = id; }
    int value() const { return value_; }
    void setValue(int value) { value_ = value; }
    TComponent* link() const { return link_; }
    void setLink(TComponent* link) { link_ = link; }

private:
    QString id_;
    int value_ = 0;
    TComponent* link_ = nullptr;
};

class TSampleObject : public TComponent {
    POREMI_PERSISTENT(TSampleObject)
public:
    TSampleObject();
    ~TSampleObject() override;
    static int liveCount();

    int left() const { return left_; }
    void setLeft(int v) { left_ = v; }
    int top() const { return top_; }
    void setTop(int v) { top_ = v; }
    qint64 big() const { return big_; }
    void setBig(qint64 v) { big_ = v; }
    qint16 small() const { return small_; }
    void setSmall(qint16 v) { small_ = v; }
    const QString& caption() const { return caption_; }
    void setCaption(const QString& v) { caption_ = v; }
    const QString& title() const { return title_; }
    void setTitle(const QString& v) { title_ = v; }
    double ratio() const { return ratio_; }
    void setRatio(double v) { ratio_ = v; }
    double date() const { return date_; }
    void setDate(double v) { date_ = v; }
    bool visible() const { return visible_; }
    void setVisible(bool v) { visible_ = v; }
    bool locked() const { return locked_; }
    void setLocked(bool v) { locked_ = v; }
    LineShape shape() const { return shape_; }
    void setShape(LineShape v) { shape_ = v; }
    int options() const { return options_; }
    void setOptions(int v) { options_ = v; }
    qint64 color() const { return color_; }
    void setColor(qint64 v) { color_ = v; }
    int cursor() const { return cursor_; }
    void setCursor(int v) { cursor_ = v; }
    quint8 charset() const { return charset_; }
    void setCharset(quint8 v) { charset_ = v; }
    char mark() const { return mark_; }
    void setMark(char v) { mark_ = v; }
    int hidden() const { return hidden_; }
    void setHidden(int v) { hidden_ = v; }
    int conditional() const { return conditional_; }
    void setConditional(int v) { conditional_ = v; }
    bool hasConditional() const { return conditional_ != 0; }
    TComponent* target() const { return target_; }
    void setTarget(TComponent* v) { target_ = v; }

    TSampleGrid* grid() const { return grid_.get(); }
    TStringList* lines() const { return lines_.get(); }
    TCollectionOf<TSampleItem>* items() const { return items_.get(); }

    // Binary custom property "Points": count, then X, Y pairs; written when there are points.
    QList<QPoint> points;
    void defineProperties(TFiler& filer) override;

    int loadedCalls = 0;
    void loaded() override { ++loadedCalls; }

private:
    int left_ = 0;
    int top_ = 0;
    qint64 big_ = 0;
    qint16 small_ = 0;
    QString caption_;
    QString title_ = QStringLiteral("untitled");
    double ratio_ = 1.5;
    double date_ = 0;
    bool visible_ = true;
    bool locked_ = false;
    LineShape shape_ = LineShape::lsSolid;
    int options_ = 0;
    qint64 color_ = 0xFFFFFF;
    int cursor_ = 0;
    quint8 charset_ = 1;
    char mark_ = '*';
    int hidden_ = 0;
    int conditional_ = 0;
    TComponent* target_ = nullptr;
    std::unique_ptr<TSampleGrid> grid_ = std::make_unique<TSampleGrid>();
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    std::unique_ptr<TCollectionOf<TSampleItem>> items_ = std::make_unique<TCollectionOf<TSampleItem>>();
};

// A component with one property, owning the children it is given.
class TSampleGroup : public TComponent {
    POREMI_PERSISTENT(TSampleGroup)
public:
    int level() const { return level_; }
    void setLevel(int v) { level_ = v; }

private:
    int level_ = 0;
};

// Registers the sample classes (harmless when called again).
void registerSampleClasses();

}  // namespace poremi::sample
