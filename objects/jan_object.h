#pragma once
// The JAN barcode on a label: digits, their font, the frame flag and an angle about the centre
// of its rectangle, which is drawn by TJANCode.

#include "document/model/rect_object.h"
#include "render/text/point_based_font.h"

#include <QtGui/QPolygon>

namespace poremi {

class TLOJANCode : public TLORectBase {
    POREMI_PERSISTENT(TLOJANCode)
public:
    // A new barcode is 300 × 100 units, shows its digits and has no frame.
    explicit TLOJANCode(TComponent* owner = nullptr);

    // Published: Angle, JANCode, Font, ShowNumber, ShowFrame; every change redraws.
    int angle() const { return angle_; }
    void setAngle(int angle);
    const QString& janCode() const { return janCode_; }
    void setJANCode(const QString& code);
    const TPointBasedFont& font() const { return font_; }
    void setFont(const TPointBasedFont& font);
    TPointBasedFont& fontObject() { return font_; }
    bool showNumber() const { return showNumber_; }
    void setShowNumber(bool show);
    bool showFrame() const { return showFrame_; }
    void setShowFrame(bool show);

    // The rectangle turned by Angle about its centre.
    QPolygon outline() const;
    TRect getBounds() const override;
    bool hitTest(QPoint point) const override;
    // Turned, width and height scale by the ratio of the extent to the turned bounds.
    void setExtent(int width, int height) override;
    void strokeOutline(QPainter& painter) override;

protected:
    void paint(QPainter& painter) override;

private:
    template <class T>
    void set(T& member, const T& value);

    int angle_ = 0;
    QString janCode_;
    TPointBasedFont font_;
    bool showNumber_ = true;
    bool showFrame_ = false;
};

}  // namespace poremi
