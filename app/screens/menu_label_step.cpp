#include "app/screens/menu_label_step.h"

#include "document/model/draw_object.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"

#include <algorithm>

namespace poremi {

FaceDesigns::FaceDesigns(TLabelData& data, const std::vector<int>& faces) {
    for (int face : faces) {
        if (std::ranges::any_of(designs_, [face](const Design& kept) { return kept.face == face; })) continue;
        Design design{face, data.HasLabelData(face), {}};
        if (design.present) {
            TDOList read;
            data.LoadLabelObjects(face, read);
            // The stream gives them back to front.
            for (auto it = read.items().rbegin(); it != read.items().rend(); ++it) design.frontToBack.emplace_back(*it);
        }
        designs_.push_back(std::move(design));
    }
}

FaceDesigns::~FaceDesigns() = default;

void FaceDesigns::restoreTo(TLabelData& data) const {
    for (const Design& design : designs_) {
        if (!design.present) {
            data.DeleteLabel(design.face);
            continue;
        }
        TDOList list;
        for (const auto& object : design.frontToBack) list.add(object.get());
        data.SaveLabelObjects(design.face, list);
    }
}

TMenuLabelAction::TMenuLabelAction(std::unique_ptr<FaceDesigns> before, std::unique_ptr<FaceDesigns> after, Restore restore)
    : before_(std::move(before)), after_(std::move(after)), restore_(std::move(restore)) {}

void TMenuLabelAction::undo() { restore_(*before_); }

void TMenuLabelAction::redo() { restore_(*after_); }

}  // namespace poremi
