#include "render/distortion/cdd_file.h"

#include "core/app_frame.h"
#include "document/container/doc_name_list.h"
#include "document/container/storage_mode.h"

namespace poremi {
namespace {

const QString kNameList = QStringLiteral("CoonsDistortionData\\NameList");

}  // namespace

QString TCDDFile::defaultFileName() { return ExpandMacros(QStringLiteral("$(CoonsDistortionData)")); }

void TCDDFile::Open(const QString& fileName) {
    presets_.clear();
    std::vector<QByteArray> streams;
    try {
        TFileStorage root(fileName, fmOpenRead | fmShareDenyWrite);
        TDocStreamList list(root, kNameList);
        for (int i = 0; i < list.Count(); ++i) {
            if (!list.ItemExists(i)) {
                streams.emplace_back();
                continue;
            }
            streams.push_back(list.OpenItem(i, fmOpenRead | fmShareExclusive)->ReadRest());
        }
    } catch (const Exception&) {
        return;   // no presets to offer
    }
    for (const QByteArray& data : streams) {
        std::optional<TCoonsDistortion> preset(std::in_place);
        try {
            preset->readData(data);
        } catch (const EDistortionData&) {
            preset.reset();
        }
        presets_.push_back(std::move(preset));
    }
}

void TCDDFile::LoadPreset(int index, TCoonsDistortion& distortion) const {
    if (index < 0 || index >= Count() || !presets_[std::size_t(index)])
        throw EDistortionData(QStringLiteral("変形パターン %1 を読み込めません。").arg(index));
    const TCoonsDistortion& preset = *presets_[std::size_t(index)];
    const TRect source = distortion.source(), destination = distortion.destination();
    distortion.assign(preset);
    distortion.setSource(source);
    distortion.setDestination(destination);
}

int TCDDFile::FindPreset(const TCoonsDistortion& distortion) const {
    if (distortion.isIdentity()) return -1;
    for (int i = 0; i < Count(); ++i)
        if (presets_[std::size_t(i)] && presets_[std::size_t(i)]->identifier() == distortion.identifier()) return i;
    return -1;
}

void TCDDFile::Write(const QString& fileName, const std::vector<TCoonsDistortion>& presets) {
    TTemporaryStorage root;
    {
        TDocStreamList list(root, kNameList);
        for (const TCoonsDistortion& preset : presets) {
            const int index = list.AddItem();
            list.OpenItem(index, fmCreate)->WriteBytes(preset.writeData());
        }
    }
    root.Commit();
    root.SaveTo(fileName);
}

}  // namespace poremi
