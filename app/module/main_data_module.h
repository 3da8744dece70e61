#pragma once
// The main data module: creates the application frame with the application's macro table and
// start-up conditions, and shows the frame's messages in the application's message form.

#include "app/frame/app_frame.h"

#include <memory>

namespace poremi {

class MainDataModule {
public:
    explicit MainDataModule(const FrameEnvironment& environment = FrameEnvironment::current());
    ~MainDataModule();

    TAppFrame& frame() { return *frame_; }

private:
    std::unique_ptr<TAppFrame> frame_;
};

}  // namespace poremi
