// The overlap and stick-out checks of a paper on the largest sheets a paper may describe:
// 1,000 faces whose boxes touch, or overlap while the outlines do not.

#include "paper/paper_info.h"

#include <benchmark/benchmark.h>

namespace {

using namespace poremi;

void fillMatrix(TMatrixPaperInfo& paper, TFaceShape shape, int gap) {
    paper.setPhysicalSize(40 * 60, 25 * 60);
    paper.setFaceWidth(60);
    paper.setFaceHeight(60);
    paper.setRightMargin(gap);
    paper.setBottomMargin(gap);
    paper.setFaceCountX(40);
    paper.setFaceCountY(25);
    paper.setFaceShape(shape);
}

void BM_OverlapOfTouchingRectangles(benchmark::State& state) {
    TMatrixPaperInfo paper;
    fillMatrix(paper, fsRect, 0);
    for (auto _ : state) benchmark::DoNotOptimize(paper.findOverlappingFace());
}
BENCHMARK(BM_OverlapOfTouchingRectangles)->Unit(benchmark::kMillisecond);

void BM_OverlapOfStaggeredRoundLabels(benchmark::State& state) {
    // Rows 53 apart, every other one shifted by half a label: the boxes of neighbouring rows
    // overlap while the circles (60 across, centres 60.9 apart) do not, so every neighbour
    // pair needs the region test.
    TFreePaperInfo paper;
    paper.setPhysicalSize(40 * 60 + 30, 25 * 53 + 7);
    for (int row = 0; row < 25; ++row) {
        for (int column = 0; column < 40; ++column) {
            TFaceItem& item = paper.faces().add();
            const int left = column * 60 + (row % 2 ? 30 : 0), top = row * 53;
            item.setFaceRect({left, top, left + 60, top + 60});
            item.setFaceShape(fsEllipse);
        }
    }
    if (paper.findOverlappingFace() != -1) state.SkipWithError("the staggered labels overlap");
    for (auto _ : state) benchmark::DoNotOptimize(paper.findOverlappingFace());
}
BENCHMARK(BM_OverlapOfStaggeredRoundLabels)->Unit(benchmark::kMillisecond);

void BM_FaceOutsidePaper(benchmark::State& state) {
    TMatrixPaperInfo paper;
    fillMatrix(paper, fsRectCD, 0);
    for (auto _ : state) benchmark::DoNotOptimize(paper.findFaceOutsidePaper());
}
BENCHMARK(BM_FaceOutsidePaper)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
