#include "document/model/grid_guide.h"

#include "document/stream/byte_cursor.h"
#include "document/stream/class_declaration.h"

namespace poremi {

const TClassInfo& TGrid::staticClassInfo() {
    static const TClassInfo info = describeClass<TGrid, TPersistent>("TGrid", [](auto& c) {
        c.boolean("Visible", &TGrid::visible, &TGrid::setVisible);
        c.boolean("LineShape", &TGrid::lineShape, &TGrid::setLineShape);
        c.integer("Size", &TGrid::size, &TGrid::setSize);
        c.boolean("Enabled", &TGrid::enabled, &TGrid::setEnabled);
    });
    return info;
}

const TClassInfo& TGuide::staticClassInfo() {
    static const TClassInfo info = describeClass<TGuide, TPersistent>("TGuide", [](auto& c) {
        c.boolean("Visible", &TGuide::visible, &TGuide::setVisible);
        c.boolean("Enabled", &TGuide::enabled, &TGuide::setEnabled);
    });
    return info;
}

void TGuide::defineProperties(TFiler& filer) {
    filer.defineBinaryProperty(
        QStringLiteral("Pos"),
        [this](ByteReader& in) {
            const std::int32_t count = in.readInt32();
            std::array<QPoint, kCount> read{};
            // The count is not trusted: slots are read one by one until it or the data ends.
            for (std::int32_t i = 0; i < count; ++i) {
                const std::int32_t x = in.readInt32();
                const std::int32_t y = in.readInt32();
                if (i < kCount) read[static_cast<std::size_t>(i)] = QPoint(x, y);
            }
            slots_ = read;
        },
        [this](ByteWriter& out) {
            out.writeInt32(kCount);
            for (const QPoint& slot : slots_) {
                out.writeInt32(slot.x());
                out.writeInt32(slot.y());
            }
        },
        true);
}

}  // namespace poremi
