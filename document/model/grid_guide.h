#pragma once
// The snap grid and the guide lines of a label's design, stored with the document.

#include "document/stream/persistent.h"

#include <QtCore/QPoint>
#include <array>

namespace poremi {

class TGrid : public TPersistent {
    POREMI_PERSISTENT(TGrid)
public:
    static constexpr int kDocumentSize = 50;  // new documents snap to 5 mm

    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    // Lines instead of dots.
    bool lineShape() const { return lineShape_; }
    void setLineShape(bool lineShape) { lineShape_ = lineShape; }
    // Spacing in document units.
    int size() const { return size_; }
    void setSize(int size) { size_ = size; }
    // Snapping on.
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

private:
    bool visible_ = false;
    bool lineShape_ = false;
    int size_ = kDocumentSize;
    bool enabled_ = false;
};

class TGuide : public TPersistent {
    POREMI_PERSISTENT(TGuide)
public:
    static constexpr int kCount = 10;

    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    int count() const { return kCount; }
    // A slot: X ≠ 0 is a vertical guide at x = X, else Y ≠ 0 a horizontal one at y = Y;
    // (0, 0) is empty.
    QPoint guide(int index) const { return slots_.at(static_cast<std::size_t>(index)); }
    void setGuide(int index, QPoint position) { slots_.at(static_cast<std::size_t>(index)) = position; }

    // "Pos": the count, then each slot's X and Y (32-bit). More slots than ten are read and
    // dropped; fewer leave the rest empty.
    void defineProperties(TFiler& filer) override;

private:
    bool visible_ = false;
    bool enabled_ = false;
    std::array<QPoint, kCount> slots_{};
};

}  // namespace poremi
