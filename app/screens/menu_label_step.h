#pragma once
// Label operations of the menu screen as steps of the application's history: the designs of
// the faces an operation touched, kept before and after it, put back into the sheet copy.

#include "document/model/action_history.h"

#include <functional>
#include <memory>
#include <vector>

namespace poremi {

class TDrawObject;
class TLabelData;

// The designs of some faces as they are now; faces without a design stay without one.
class FaceDesigns {
public:
    FaceDesigns(TLabelData& data, const std::vector<int>& faces);
    ~FaceDesigns();
    FaceDesigns(const FaceDesigns&) = delete;
    FaceDesigns& operator=(const FaceDesigns&) = delete;

    void restoreTo(TLabelData& data) const;

private:
    struct Design {
        int face;
        bool present;
        std::vector<std::unique_ptr<TDrawObject>> frontToBack;
    };
    std::vector<Design> designs_;
};

class TMenuLabelAction : public TActionBase {
public:
    // Puts designs into the sheet copy the operation changed and shows it anew.
    using Restore = std::function<void(const FaceDesigns& designs)>;

    TMenuLabelAction(std::unique_ptr<FaceDesigns> before, std::unique_ptr<FaceDesigns> after, Restore restore);

    void undo() override;
    void redo() override;

private:
    std::unique_ptr<FaceDesigns> before_;
    std::unique_ptr<FaceDesigns> after_;
    Restore restore_;
};

}  // namespace poremi
