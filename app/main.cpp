#include "app/cli/command_line.h"
#include "app/module/application.h"

int main(int argc, char** argv) {
    if (const auto exitCode = poremi::runCommandLine(argc, argv)) return *exitCode;
    return poremi::runApplication(argc, argv);
}
