#include "app/module/main_data_module.h"

#include "app/module/class_registration.h"
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

MainDataModule::~MainDataModule() {
    TDODesignerList::instance().clear();
    installPurposeValidator(nullptr);
}

}  // namespace poremi
