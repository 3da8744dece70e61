#include "app/module/main_data_module.h"

#include "app/module/class_registration.h"
#include "base/native_path.h"
#include "core/application_macros.h"
#include "document/model/designer.h"
#include "paper/purpose.h"

namespace poremi {

MainDataModule::MainDataModule(const FrameEnvironment& environment) : frame_(std::make_unique<TAppFrame>()) {
    installPurposeValidator(&purposeValidator_);
    registerAllClasses();
    registerAllDesigners();
    TMacroString table;
    table.setLines(applicationMacroTable());
    frame_->setMacro(table);
    frame_->setExecuteCondition(ExecuteCondition::ecNeedHighColor | ExecuteCondition::ecNeedPrinter |
                                ExecuteCondition::ecExclusive | ExecuteCondition::ecPowerUsers);
    frame_->load(environment);
}

PaperDatabaseFiles MainDataModule::paperDatabaseFiles() {
    const auto path = [this](const char* macro) { return toNativePath(frame_->expandMacros(QString::fromLatin1(macro))); };
    return PaperDatabaseFiles{path("$(PaperInfo)"), path("$(UpdatePaperInfo)"), path("$(SystemPaperInfo)"),
                              path("$(UserPreferenceFolder)")};
}

void MainDataModule::openPapers(const PaperDatabaseFeedback& feedback) {
    papers_ = openPaperDatabaseAtStart(paperDatabaseFiles(), feedback);
}

void MainDataModule::closePapers() {
    if (!papers_) return;
    const std::unique_ptr<TPapersV2> papers = std::move(papers_);
    papers->close();
}

MainDataModule::~MainDataModule() {
    // Unsaved changes are written by closePapers(), never here.
    papers_.reset();
    TDODesignerList::instance().clear();
    installPurposeValidator(nullptr);
}

}  // namespace poremi
