#pragma once
// The distortion preset file (".cdd"): a compound file whose name list
// "CoonsDistortionData\NameList" names one stream per preset, each holding a distortion's
// "Data" layout. Preset n is the n-th stream of the list.

#include "render/distortion/coons_distortion.h"

#include <QtCore/QString>
#include <optional>
#include <vector>

namespace poremi {

class TCDDFile {
public:
    // The file named by the macro CoonsDistortionData.
    static QString defaultFileName();

    // Reads the presets of the file. A file that cannot be opened offers no presets; a preset
    // whose data is broken keeps its place but cannot be loaded.
    void Open(const QString& fileName);
    int Count() const { return int(presets_.size()); }
    // Points, flags and identifier of preset index; EDistortionData for a broken preset or an
    // index outside the file.
    void LoadPreset(int index, TCoonsDistortion& distortion) const;
    // The first preset with the distortion's identifier; −1 for the identity or no match.
    int FindPreset(const TCoonsDistortion& distortion) const;

    // Writes a preset file, replacing fileName only once it is complete.
    static void Write(const QString& fileName, const std::vector<TCoonsDistortion>& presets);

private:
    std::vector<std::optional<TCoonsDistortion>> presets_;
};

}  // namespace poremi
