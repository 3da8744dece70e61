#pragma once
// The readable source of the shipped distortion presets (data/distortion/presets.txt):
//   [{identifier}] name
//   top / right / bottom / left  x,y  ~x,y  …   ("~" marks a smoothing control point)
// Adjacent sides must share their corner points; identifiers must be unique.

#include "render/distortion/coons_distortion.h"

#include <QtCore/QString>
#include <vector>

namespace poremi {

struct TDistortionPreset {
    QString name;
    TCoonsDistortion distortion;
};

// Throws EDistortionData naming the line of the first fault.
std::vector<TDistortionPreset> parseDistortionPresets(const QString& source);
std::vector<TDistortionPreset> readDistortionPresets(const QString& fileName);

}  // namespace poremi
