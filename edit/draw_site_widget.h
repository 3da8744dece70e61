#pragma once
// The editing surface: a widget (usually inside a QScrollArea) that shows draw objects through
// their own paint, keeps the selection with its handles and runs every drag through ghosts.
// Objects are painted once into a cached layer; handles and ghosts are painted over it.

#include "document/model/draw_site.h"
#include "edit/move_ghost.h"
#include "edit/pivot.h"
#include "edit/snapping.h"

#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtWidgets/QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace poremi {

class TGrid;
class TGuide;
class WatchedObject;

class TDrawSite : public QWidget, public DrawSite {
    Q_OBJECT
public:
    // The colour that leaves the background unpainted.
    static constexpr QRgb kTransparentColor = 0x1FFFFFFF;

    explicit TDrawSite(QWidget* parent = nullptr);
    ~TDrawSite() override;

    int logWidth() const { return logicalSize().width(); }
    int logHeight() const { return logicalSize().height(); }
    // Resizes the widget to the pixel size of the area and lays the objects out anew.
    void setLogSize(int width, int height);
    TRect logicalArea() const { return {0, 0, logWidth(), logHeight()}; }

    // A fixed resolution instead of the screen's (previews, tests).
    void setResolution(DeviceResolution resolution);
    DeviceResolution resolution() const override;

    bool border() const { return border_; }
    void setBorder(bool border);
    QColor color() const { return color_; }
    // kTransparentColor paints no background.
    void setColor(QColor color);

    QPoint logToPixel(QPoint logical) const;
    QPoint pixelToLog(QPoint pixel) const;
    // Outward, one pixel larger to the right and bottom.
    QRect logToPixelRect(const TRect& logical) const;
    // The scale at which the area fits the pixel size: the smaller fit with both flags, else
    // the fit asked for, 100 with neither; at least 1, and 100 for an area of no size.
    int fitScale(QSize pixels, bool fitWidth, bool fitHeight) const;

    // The front-most visible object whose hit test takes the point.
    TDrawObject* objectAt(QPoint logical) const;
    // Front to back.
    std::vector<TDrawObject*> collectObjects(bool selectedOnly) const;
    void selectAll(bool select);
    // Selects every object whose pixel bounds lie wholly inside the rectangle.
    void selectInRect(const QRect& pixels);

    // Handles.
    void refreshHandles() override;
    // True when handles were shown.
    bool hideHandles();
    void addPivot(TPivot pivot);
    const std::vector<TPivot>& pivots() const { return pivots_; }
    const TPivot* pivotAt(QPoint pixel) const;

    // Draws the whole surface onto another painter at a scale, its logical origin at origin
    // (in the painter's device pixels); the site's own scale is left alone.
    void drawTo(QPainter& painter, QPoint origin, int scale);

    // Pulls dragged points to the grid and guides; nothing while Alt is held.
    SnapFunction snapFunction;
    // The grid and guides painted on the site (not owned; none paints none).
    void setGridGuide(TGrid* grid, TGuide* guide);
    TGrid* grid() const { return grid_; }
    TGuide* guide() const { return guide_; }
    // The snap function of the edit screens: the site's grid and guides, a tolerance of ten
    // pixels at the current scale.
    SnapFunction gridGuideSnap() const;
    // Snaps one point, unless Alt is held.
    SnapOffset snap(std::span<const QPoint> points, Qt::KeyboardModifiers modifiers) const;

    void setModified(bool modified) override;
    // Whether the site was modified before the object was put on it (as far as the site has
    // seen since the object arrived).
    bool wasModifiedBeforeAdding(const TDrawObject& object) const;

    // The options move drags start with (the free-design screen sets them).
    MoveOptions moveOptions;
    void clearGhosts() override;
    void setSiteCursor(Qt::CursorShape shape) override;
    QPoint visibleCentre() const override;

    // The cached object layer is painted anew.
    void invalidateObjects();

    // Drags guide slot (a new guide from a ruler: an empty slot) with the pointer until the
    // button is released; vertical guides follow x, horizontal ones y. False without guides.
    bool beginGuideDrag(int slot, bool vertical);
    bool isDraggingGuide() const { return guideDrag_.has_value(); }
    // The hint shown while a guide is dragged: its distances from both edges, or that it
    // will be removed.
    QString guideHint() const;

    std::function<void(QPainter&)> onPaint;       // background, in logical units
    std::function<void(QPainter&)> onPaintAfter;  // over the objects, in logical units
    std::function<void()> onClearGhost;
    std::function<void()> onModifyChanged;
    std::function<void(int)> onDrawToProgress;
    // A paint of an object failed; without it the failure goes to the event loop's guard.
    std::function<void(std::exception_ptr)> onPaintFailure;

signals:
    void scalerChanged();
    // The pointer's logical position over the site.
    void pointerMoved(QPoint logical);
    // The selection or the selected objects' bounds changed.
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void orderChanged() override;

private:
    struct GuideDrag {
        int slot;
        bool vertical;
        int position;
    };

    void layout();
    void moveGuide(QPoint logical, Qt::KeyboardModifiers modifiers, QPoint globalPosition);
    void finishGuideDrag(bool apply);
    bool startGuideDragAt(QPoint pixel);
    void objectNotified(const void* sender, const Guid& message);
    void pressObject(TDrawObject& object, int handle, Qt::KeyboardModifiers modifiers);
    void startGhosts(QPoint logical, Qt::KeyboardModifiers modifiers);
    void cancelDrag();
    void autoScroll(QPoint pixel);
    void updateCursor(QPoint pixel);
    void paintLayer(const QRect& pixels);
    void paintSurface(QPainter& painter, const QRect& pixels, std::vector<std::exception_ptr>& failures);
    void reportFailures(std::vector<std::exception_ptr> failures);

    std::optional<DeviceResolution> fixedResolution_;  // none: the screen's
    bool border_ = true;
    QColor color_ = Qt::white;
    Qt::CursorShape siteCursor_ = Qt::ArrowCursor;
    TGrid* grid_ = nullptr;
    TGuide* guide_ = nullptr;

    QImage layer_;
    QRect layerRect_;  // the pixels the layer holds
    bool layerDirty_ = true;

    std::vector<TPivot> pivots_;
    bool handlesDirty_ = true;

    std::optional<GuideDrag> guideDrag_;
    QWidget* guideHint_ = nullptr;

    std::unique_ptr<WatchedObject> clicked_;
    bool deselectOnClick_ = false;
    TListener objectListener_;
    std::vector<const TDrawObject*> known_;            // the objects listened to
    std::vector<const TDrawObject*> madeModifiedBy_;  // new objects when Modified last became set
};

// The widget site that shows the object, or none.
TDrawSite* drawSiteOf(const TDrawObject& object);

}  // namespace poremi
