#include "render/effects/effect_tables.h"

#include <algorithm>
#include <array>

namespace poremi {

namespace {

constexpr int blendRowSize = 511;

using BlendTable = std::array<std::array<std::uint8_t, blendRowSize>, 256>;

const BlendTable& blendTable()
{
    static const BlendTable table = [] {
        BlendTable t{};
        for (int alpha = 0; alpha < 256; ++alpha)
            for (int delta = -255; delta <= 255; ++delta)
                t[alpha][delta + 255] = std::uint8_t((alpha * delta) / 255);
        return t;
    }();
    return table;
}

}  // namespace

const std::uint8_t* blendTableRow(int alpha)
{
    return blendTable()[std::clamp(alpha, 0, 255)].data() + 255;
}

const std::uint8_t* boxAverageTable()
{
    static const std::array<std::uint8_t, boxAverageTableSize> table = [] {
        std::array<std::uint8_t, boxAverageTableSize> t{};
        for (int s = 0; s < boxAverageTableSize; ++s)
            t[s] = std::uint8_t(std::min(255, (2 * s + 9) / 18));
        return t;
    }();
    return table.data();
}

}  // namespace poremi
