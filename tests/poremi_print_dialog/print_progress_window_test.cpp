// Closing the progress window asks before a job is thrown away, and only OK aborts it.

#include "document/model/label_data.h"
#include "paper/paper_info.h"
#include "print/dialog/print_progress_window.h"
#include "print/print_site.h"
#include "tests/support/frame_fixture.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using PrintProgressWindowTest = test::FrameTest;

TEST_F(PrintProgressWindowTest, ClosingAsksAndOnlyOkAborts) {
    TMatrixPaperInfo paper;
    paper.setPhysicalSize(500, 400);
    paper.setFaceCountX(1);
    paper.setFaceCountY(1);
    paper.setFaceWidth(400);
    paper.setFaceHeight(300);
    TLabelData data(nullptr);
    data.SetPaper(paper);
    const struct {
        int answer;
        bool aborted;
    } cases[] = {{mrCancel, false}, {mrOk, true}};
    for (const auto& c : cases) {
        TPrintSite site(data, TPrintSpec{});
        PrintProgressWindow window(site);
        window.show();
        site.progress().beginPhase(1, 4);
        site.progress().step();
        EXPECT_EQ(window.position(), PhasedProgress::kScale / 4);
        test::ScriptedUserInterface ui;
        ui.answer(c.answer);
        window.close();
        ASSERT_EQ(ui.questions().size(), 1);
        EXPECT_EQ(ui.questions()[0].text, QStringLiteral("印刷を中断しますか？"));
        EXPECT_EQ(ui.questions()[0].defaultIndex, 1);
        EXPECT_EQ(ui.questions()[0].cancelIndex, 1);
        EXPECT_EQ(site.isAborted(), c.aborted);
        EXPECT_TRUE(window.isVisible()) << "the window stays until the job has ended";
        window.finish();
        EXPECT_FALSE(window.isVisible());
        site.progress().endPhase();
    }
}

}  // namespace
}  // namespace poremi
