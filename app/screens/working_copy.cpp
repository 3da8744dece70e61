#include "app/screens/working_copy.h"

#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "paper/database/extra_paper_info.h"
#include "paper/paper_info.h"

#include <algorithm>
#include <vector>

namespace poremi {
namespace {

void copySheet(const TLabelData& from, TLabelData& to) {
    if (const TPaperInfo* paper = from.Paper()) to.SetPaper(*paper);
    to.setSeparatelyDesign(from.separatelyDesign());
    to.setCurrentLabelNo(clampedLabelNo(from));
    to.SetExtraPaperInfo(&from.ExtraPaperInfo());
    to.SetImagePaperInfo(&from.ImagePaperInfo());
}

}  // namespace

int clampedLabelNo(const TLabelData& data) {
    const int faces = data.Paper() ? data.Paper()->getFaceCount() : 0;
    return std::clamp(int(data.currentLabelNo()), 0, std::max(0, faces - 1));
}

void copyLabelDesign(TLabelData& from, int face, TLabelData& to) {
    TDOList objects;
    from.LoadLabelObjects(face, objects);
    // The stream gives them back to front; they are written front to back.
    std::vector<TDrawObject*> items = objects.items();
    std::reverse(items.begin(), items.end());
    TDOList frontToBack;
    for (TDrawObject* object : items) frontToBack.add(object);
    try {
        to.SaveLabelObjects(face, frontToBack);
    } catch (...) {
        objects.freeAll();
        throw;
    }
    objects.freeAll();
}

WorkingCopy::WorkingCopy() : data_(std::make_unique<TLabelData>(nullptr)) {}

WorkingCopy::~WorkingCopy() = default;

void WorkingCopy::takeSheetFrom(const TLabelData& document) { copySheet(document, *data_); }

void WorkingCopy::giveSheetTo(TLabelData& document) const { copySheet(*data_, document); }

int WorkingCopy::currentLabel() const { return clampedLabelNo(*data_); }

}  // namespace poremi
