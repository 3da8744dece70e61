#pragma once
// Starts the windowed application: the frame, the start-up conditions, the main window.

namespace poremi {

int runApplication(int argc, char** argv);

}  // namespace poremi
