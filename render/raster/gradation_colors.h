#pragma once
// The colour stops of a gradient: white then black after construction, repeated RepeatCount
// times when painted. Persisted as RepeatCount and the binary "Colors" (a signed 32-bit count,
// then the colours), the latter only when the list is not the default.

#include "document/stream/persistent.h"
#include "render/raster/change_notifier.h"
#include "render/raster/pixel_layout.h"

#include <QtCore/QList>

namespace poremi {

class TGradationColors : public TPersistent {
    POREMI_PERSISTENT(TGradationColors)
public:
    // Painting takes at most this many stops into account.
    static constexpr int maxStops = 256;

    TGradationColors();

    int count() const { return int(colors_.size()); }
    // Keeps existing entries; new ones are 0.
    void setCount(int count);
    // Out of range raises the list index error.
    TColor item(int index) const;
    // Out of range (or above 255) is ignored.
    void setItem(int index, TColor color);
    const QList<TColor>& colors() const { return colors_; }
    void setColors(const QList<TColor>& colors);

    int repeatCount() const { return repeatCount_; }
    void setRepeatCount(int count);
    // The list repeated RepeatCount times (at least once), at most maxStops entries.
    QList<TColor> expanded() const;

    bool isDefault() const;
    ChangeNotifier& notifier() { return notifier_; }

    void defineProperties(TFiler& filer) override;
    void assign(const TPersistent& source) override;

private:
    QList<TColor> colors_;
    int repeatCount_ = 1;
    ChangeNotifier notifier_;
};

}  // namespace poremi
