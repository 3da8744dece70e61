// Writing and reading a component stream of 10,000 objects with a dozen properties each.

#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "document/stream/component_stream.h"
#include "document/stream/name_tables.h"
#include "document/stream/string_list.h"

#include <QtCore/QBuffer>
#include <benchmark/benchmark.h>

namespace {

using namespace poremi;

constexpr int kObjects = 10000;

enum class Align { alLeft, alCenter, alRight };

class TBenchObject : public TComponent {
    POREMI_PERSISTENT(TBenchObject)
public:
    int left = 0, top = 0, width = 0, height = 0, angle = 0;
    qint64 color = color::clBlack;
    bool visible = true, locked = false;
    Align align = Align::alLeft;
    double ratio = 1.0;
    QString caption, fontName;
    std::unique_ptr<TStringList> lines = std::make_unique<TStringList>();

    int getLeft() const { return left; }
    void setLeft(int v) { left = v; }
    int getTop() const { return top; }
    void setTop(int v) { top = v; }
    int getWidth() const { return width; }
    void setWidth(int v) { width = v; }
    int getHeight() const { return height; }
    void setHeight(int v) { height = v; }
    int getAngle() const { return angle; }
    void setAngle(int v) { angle = v; }
    qint64 getColor() const { return color; }
    void setColor(qint64 v) { color = v; }
    bool getVisible() const { return visible; }
    void setVisible(bool v) { visible = v; }
    bool getLocked() const { return locked; }
    void setLocked(bool v) { locked = v; }
    Align getAlign() const { return align; }
    void setAlign(Align v) { align = v; }
    double getRatio() const { return ratio; }
    void setRatio(double v) { ratio = v; }
    const QString& getCaption() const { return caption; }
    void setCaption(const QString& v) { caption = v; }
    const QString& getFontName() const { return fontName; }
    void setFontName(const QString& v) { fontName = v; }
    TStringList* getLines() const { return lines.get(); }
};

const TClassInfo& TBenchObject::staticClassInfo() {
    static const TClassInfo info = describeClass<TBenchObject, TComponent>("TBenchObject", [](auto& c) {
        using T = TBenchObject;
        c.integer("Left", &T::getLeft, &T::setLeft);
        c.integer("Top", &T::getTop, &T::setTop);
        c.integer("Width", &T::getWidth, &T::setWidth);
        c.integer("Height", &T::getHeight, &T::setHeight);
        c.integer("Angle", &T::getAngle, &T::setAngle).defaultValue(0);
        c.integer("Color", &T::getColor, &T::setColor).defaultValue(color::clBlack).names(colorNames());
        c.boolean("Visible", &T::getVisible, &T::setVisible).defaultValue(true);
        c.boolean("Locked", &T::getLocked, &T::setLocked).defaultValue(false);
        c.enumeration("Align", &T::getAlign, &T::setAlign, {"alLeft", "alCenter", "alRight"}).defaultValue(Align::alLeft);
        c.floating("Ratio", &T::getRatio, &T::setRatio);
        c.string("Caption", &T::getCaption, &T::setCaption);
        c.string("FontName", &T::getFontName, &T::setFontName);
        c.object("Lines", &T::getLines);
    });
    return info;
}

class TBenchRoot : public TComponent {
    POREMI_PERSISTENT(TBenchRoot)
};

const TClassInfo& TBenchRoot::staticClassInfo() {
    static const TClassInfo info = describeClass<TBenchRoot, TComponent>("TBenchRoot");
    return info;
}

// Every object differs from its defaults in all twelve properties (Lines holds two lines).
std::unique_ptr<TBenchRoot> makeDesign() {
    auto root = std::make_unique<TBenchRoot>();
    root->setName(QStringLiteral("Design"));
    for (int i = 0; i < kObjects; ++i) {
        auto* o = new TBenchObject;
        root->insertComponent(o);
        o->setName(QStringLiteral("Text%1").arg(i + 1));
        o->left = 100 + i % 1000;
        o->top = 200 + i % 700;
        o->width = 400 + i % 50;
        o->height = 120;
        o->angle = i % 360;
        o->color = i % 2 ? 0x0000FF : 0x123456;
        o->visible = i % 3 != 0;
        o->locked = true;
        o->align = Align::alCenter;
        o->ratio = 0.5 + i * 0.001;
        o->caption = QStringLiteral("曲名 %1").arg(i);
        o->fontName = QStringLiteral("IPAGothic");
        o->lines->setLines({QStringLiteral("アルバム"), QStringLiteral("Artist %1").arg(i)});
    }
    return root;
}

void registerBenchClasses() {
    RegisterClass<TBenchObject>();
    RegisterClass<TBenchRoot>();
}

void reportRates(benchmark::State& state, qsizetype bytes) {
    state.counters["objects/s"] = benchmark::Counter(kObjects, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB/s"] = benchmark::Counter(double(bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["stream_MB"] = double(bytes) / 1e6;
}

void BM_WriteComponentStream(benchmark::State& state) {
    const std::unique_ptr<TBenchRoot> design = makeDesign();
    qsizetype bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        WriteComponentRes(buffer, QStringLiteral("LabelData"), *design);
        bytes = buffer.size();
        benchmark::DoNotOptimize(buffer.data().data());
    }
    reportRates(state, bytes);
}
BENCHMARK(BM_WriteComponentStream)->Unit(benchmark::kMillisecond);

void BM_ReadComponentStream(benchmark::State& state) {
    registerBenchClasses();
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    WriteComponentRes(buffer, QStringLiteral("LabelData"), *makeDesign());
    for (auto _ : state) {
        buffer.seek(0);
        std::unique_ptr<TComponent> read = ReadComponentRes(buffer);
        if (read->components().size() != std::size_t(kObjects)) state.SkipWithError("objects lost");
    }
    reportRates(state, buffer.size());
}
BENCHMARK(BM_ReadComponentStream)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
