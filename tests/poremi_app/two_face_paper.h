#pragma once
// A small sheet of two rectangular faces side by side, away from the sheet's corner.

#include "paper/paper_info.h"

#include <memory>

namespace poremi::test {

inline std::unique_ptr<TMatrixPaperInfo> twoFacePaper(bool landscape = false) {
    auto paper = std::make_unique<TMatrixPaperInfo>();
    paper->setPaperName(QStringLiteral("二面"));
    paper->setPhysicalSize(1000, 800);
    paper->setFaceCountX(2);
    paper->setFaceCountY(1);
    paper->setFaceWidth(400);
    paper->setFaceHeight(300);
    paper->setLeftOffset(70);
    paper->setTopOffset(90);
    paper->setRightMargin(50);
    paper->setBottomMargin(50);
    paper->setLandscape(landscape);
    return paper;
}

}  // namespace poremi::test
