#pragma once
// The main data module: installs the purpose validator, registers every persisted class, and
// creates the application frame with the application's macro table and start-up conditions.

#include "core/app_frame.h"
#include "paper/purpose.h"

#include <memory>

namespace poremi {

class MainDataModule {
public:
    explicit MainDataModule(const FrameEnvironment& environment = FrameEnvironment::current());
    ~MainDataModule();

    TAppFrame& frame() { return *frame_; }

private:
    TCDLabelPurposeValidator purposeValidator_;
    std::unique_ptr<TAppFrame> frame_;
};

}  // namespace poremi
