#pragma once
// The base of everything drawn on a label. A draw object is a plain persisted component shown
// by a draw site; its pixel bounds follow from its logical bounds through the site's scaler
// and are never stored. Every change goes out on its change broadcaster as one msgChanged.

#include "document/model/change_channel.h"
#include "document/stream/component.h"
#include "document/stream/string_list.h"
#include "render/geometry/rect.h"

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <exception>
#include <functional>

class QPainter;

namespace poremi {

class DrawSite;

// The layer groups that order a label's objects below the user's.
inline constexpr int kBackgroundLayer = -100;
// The paper's own designs: shown, never edited or stored as label data.
inline constexpr int kPaperTemplateLayer = -50;

class TDrawObject : public TComponent {
    POREMI_PERSISTENT(TDrawObject)
public:
    explicit TDrawObject(TComponent* owner = nullptr);
    // Leaves its site first, so that the site never shows a freed object.
    ~TDrawObject() override;

    // Published.
    bool border() const { return border_; }
    void setBorder(bool border);
    bool movable() const { return movable_; }
    // A change broadcasts msgMovableChanged.
    virtual void setMovable(bool movable);
    bool selectable() const { return selectable_; }
    // Making an object not selectable deselects it.
    void setSelectable(bool selectable);
    // Back to front: kBackgroundLayer, kPaperTemplateLayer, 0 for the user's objects.
    int layerGroup() const { return layerGroup_; }
    void setLayerGroup(int layerGroup);
    TStringList& appendix() { return appendix_; }
    const TStringList& appendix() const { return appendix_; }
    // Editing the lines counts as a change of the object.
    void setAppendix(const QStringList& lines);

    // The pixel bounds of the object on its site, published but never stored.
    QRect controlBounds() const { return controlBounds_; }
    void setControlBounds(const QRect& bounds) { controlBounds_ = bounds; }
    int controlLeft() const { return controlBounds_.left(); }
    void setControlLeft(int left) { controlBounds_.moveLeft(left); }
    int controlTop() const { return controlBounds_.top(); }
    void setControlTop(int top) { controlBounds_.moveTop(top); }
    int controlWidth() const { return controlBounds_.width(); }
    void setControlWidth(int width) { controlBounds_.setWidth(width); }
    int controlHeight() const { return controlBounds_.height(); }
    void setControlHeight(int height) { controlBounds_.setHeight(height); }
    // Recomputes the pixel bounds from getBounds through the site's scaler.
    void updateControlBounds();

    // Control state that is copied but not published.
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isVisible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    const QString& hint() const { return hint_; }
    void setHint(const QString& hint) { hint_ = hint; }
    Qt::CursorShape cursor() const { return cursor_; }
    void setCursor(Qt::CursorShape cursor) { cursor_ = cursor; }

    bool isSelected() const { return selected_; }
    // Takes True only when selectable; always broadcasts msgSelectionChanged.
    virtual void setSelected(bool selected);

    // The site that shows the object (its parent), or none.
    DrawSite* site() const { return site_; }

    TChangeNotify& changeNotify() { return changeNotify_; }
    // Receives the changes of owned sub-objects (fills, pictures) and hands them to notify.
    TListener& listener() { return listener_; }
    // Fired after every change of the object.
    std::function<void(TDrawObject&)> OnModify;

    // One copy of the published properties and the copied control state: one msgChanged when
    // anything differed, none when nothing did.
    void assign(const TPersistent& source) override;
    // A new object of the source's own class assigned from the source; never through a stream.
    static std::unique_ptr<TDrawObject> clone(const TDrawObject& source);

    // With the blending capability, when the opacity is below 100 % or the shade is on.
    virtual bool needsBlending() const;
    // The painter is in document units; off-screen paints go through paintTo. An object that
    // needs blending is composed through a transparent layer at BlendRatio percent opacity.
    virtual void paintContent(QPainter& painter);
    virtual void notify(MessageSender sender, const Guid& message);
    virtual bool hitTest(QPoint point) const = 0;
    virtual TRect getBounds() const = 0;
    // Readies a new object for the drawing tool that makes it (automatic size, picture
    // source, …); the base needs nothing.
    virtual void prepareForTool(const QString& toolName, const DrawSite& site);
    // Makes the handles of the selected object.
    virtual void showHandles() = 0;
    // Starts a drag by the handle: −1 moves the object, −2 creates it, 0 and up resize it.
    virtual void beginDrag(int handle) = 0;
    // One change unit on the change broadcaster.
    virtual void changed();
    // The paint on the site's widget, the painter in the site's pixels. After a paint that
    // failed the object shows a red hatched frame with "描画に失敗しました" instead; the
    // failure is returned, once, for the site to report after the paint.
    std::exception_ptr paintOnSite(QPainter& painter);
    // Off-screen paint (printing, previews, group members), clipped to the bounds; nothing
    // when no part of the bounds lies in the painter's clip.
    virtual void paintTo(QPainter& painter);

    // Moves the object in its site's order to just above the last object of a layer group
    // not greater than its own; nothing (and no change) when it is already there.
    void bringToFrontInLayer();
    // Moves the object to just above the last object of a smaller layer group (the very back
    // when there is none); nothing when it is already there.
    void sendToBackInLayer();

protected:
    // The control's own paint; the base draws nothing.
    virtual void paint(QPainter& painter);
    // Called once the object shows on a site, its pixel bounds known; the base needs nothing.
    virtual void joinedSite() {}

private:
    friend class DrawSite;

    void modified();
    void paintFailureFrame(QPainter& painter) const;
    // False when the layer could not be had.
    bool paintBlended(QPainter& painter);
    void moveInSite(qsizetype index);

    bool border_ = false;
    bool selected_ = false;
    bool paintFailed_ = false;  // set during a paint; still set after one that failed
    bool movable_ = true;
    bool selectable_ = true;
    TChangeNotify changeNotify_{this};
    int layerGroup_ = 0;
    TListener listener_;
    TListener changeWatch_;  // turns this object's own msgChanged into site Modified and OnModify
    TStringList appendix_;

    DrawSite* site_ = nullptr;
    QRect controlBounds_;
    bool enabled_ = true;
    bool visible_ = true;
    QString hint_;
    Qt::CursorShape cursor_ = Qt::ArrowCursor;
};

}  // namespace poremi
