#pragma once
// The main data module: installs the purpose validator, registers every persisted class,
// creates the application frame with the application's macro table and start-up conditions,
// and opens the paper database for the window.

#include "core/app_frame.h"
#include "paper/database/paper_database_startup.h"
#include "paper/purpose.h"

#include <memory>

namespace poremi {

class MainDataModule {
public:
    explicit MainDataModule(const FrameEnvironment& environment = FrameEnvironment::current());
    ~MainDataModule();

    TAppFrame& frame() { return *frame_; }

    // The application's database files, from the frame's macros.
    PaperDatabaseFiles paperDatabaseFiles();
    // Opens the paper database, merging a waiting update; failures raise the error to show.
    void openPapers(const PaperDatabaseFeedback& feedback = {});
    // The open database; only after openPapers().
    TPapersV2& papers() { return *papers_; }
    // Writes the database back when it changed; failures raise.
    void closePapers();

private:
    TCDLabelPurposeValidator purposeValidator_;
    std::unique_ptr<TAppFrame> frame_;
    std::unique_ptr<TPapersV2> papers_;
};

}  // namespace poremi
