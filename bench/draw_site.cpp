// Frames of a move drag on a draw site with 200 objects, at 100 % and 400 %: one pointer move
// and the repaint it causes, against the same scene in a QGraphicsView. Frames per second are
// 1000 / (ms per run).

#include "bench/cpu_time_table.h"
#include "document/model/rect_object.h"
#include "document/stream/class_declaration.h"
#include "edit/draw_site_widget.h"
#include "edit/ghost.h"
#include "edit/rect_designer.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGraphicsRectItem>
#include <QtWidgets/QGraphicsScene>
#include <QtWidgets/QGraphicsView>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

namespace poremi {

class BenchBox : public TLORectBase {
    POREMI_PERSISTENT(BenchBox)
public:
    using TLORectBase::TLORectBase;
    void setExtent(int width, int height) override { setRect({left(), top(), left() + width, top() + height}); }
    void strokeOutline(QPainter& painter) override { painter.drawRect(rect().toQRectF()); }

protected:
    void paint(QPainter& painter) override {
        painter.fillRect(rect().toQRectF(), QColor(70, 130, 180));
        painter.setPen(QPen(Qt::black, 3));
        painter.drawRect(rect().toQRectF());
    }
};

const TClassInfo& BenchBox::staticClassInfo() {
    static const TClassInfo info = describeClass<BenchBox, TLORectBase>("BenchBox");
    return info;
}

}  // namespace poremi

namespace {

using namespace poremi;

constexpr int kColumns = 20;
constexpr int kRows = 10;
constexpr QSize kView(800, 800);

TRect boxAt(int i) {
    const int x = 20 + (i % kColumns) * 58;
    const int y = 20 + (i / kColumns) * 110;
    return {x, y, x + 50, y + 90};
}

// Counts the paints a widget receives, so that a run that paints nothing shows.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void sendMouse(QWidget* widget, QEvent::Type type, QPoint pixel, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(pixel), QPointF(widget->mapToGlobal(pixel)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
    QApplication::sendEvent(widget, &event);
}

template <int scale>
void siteMoveDrag(benchmark::State& state) {
    TDODesignerList::instance().clear();
    registerSiteDesigners();
    QScrollArea area;
    auto* site = new TDrawSite;
    site->scaler().setUnitDpi(254);
    site->setLogSize(1200, 1200);
    site->scaler().setScale(scale);
    for (int i = 0; i < kColumns * kRows; ++i) {
        auto* box = new BenchBox(site);
        box->setRect(boxAt(i));
        site->addDrawObject(*box);
    }
    area.setWidget(site);
    area.resize(kView);
    area.show();
    QApplication::processEvents();
    const QPoint from = site->logToPixel(rectCenter(boxAt(22)));
    sendMouse(site, QEvent::MouseButtonPress, from, Qt::LeftButton);
    PaintCounter counter;
    site->installEventFilter(&counter);
    int step = 0;
    for (auto _ : state) {
        ++step;
        sendMouse(site, QEvent::MouseMove, from + QPoint(step % 40, (step * 3) % 40), Qt::LeftButton);
        QApplication::processEvents();
    }
    sendMouse(site, QEvent::MouseButtonRelease, from, Qt::NoButton);
    TGhostList::instance().clear();
    state.counters["paints/frame"] = double(counter.paints) / double(state.iterations());
}

template <int scale>
void graphicsViewMoveDrag(benchmark::State& state) {
    QGraphicsScene scene(0, 0, 1200, 1200);
    std::vector<QGraphicsRectItem*> items;
    for (int i = 0; i < kColumns * kRows; ++i) {
        const TRect r = boxAt(i);
        auto* item = scene.addRect(0, 0, 50, 90, QPen(Qt::black, 3), QColor(70, 130, 180));
        item->setPos(r.left, r.top);
        items.push_back(item);
    }
    QGraphicsView view(&scene);
    const double pixelsPerUnit = 96.0 / 254 * scale / 100;
    view.setTransform(QTransform::fromScale(pixelsPerUnit, pixelsPerUnit));
    view.resize(kView);
    view.show();
    view.horizontalScrollBar()->setValue(0);  // the top-left part, as the site shows it
    view.verticalScrollBar()->setValue(0);
    QApplication::processEvents();
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    QGraphicsRectItem* moved = items[22];
    const QPointF from = moved->pos();
    int step = 0;
    for (auto _ : state) {
        ++step;
        moved->setPos(from + QPointF(step % 40, (step * 3) % 40) / pixelsPerUnit);
        QApplication::processEvents();
    }
    state.counters["paints/frame"] = double(counter.paints) / double(state.iterations());
}

}  // namespace

BENCHMARK(siteMoveDrag<100>)->Name("MoveDrag100/site")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(graphicsViewMoveDrag<100>)->Name("MoveDrag100/QGraphicsView")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(siteMoveDrag<400>)->Name("MoveDrag400/site")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(graphicsViewMoveDrag<400>)->Name("MoveDrag400/QGraphicsView")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    poremi::bench::CpuTimeTable table({"site", "QGraphicsView"}, "QGraphicsView");
    return poremi::bench::runWithTable(argc, argv, table);
}
