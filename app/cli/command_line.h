#pragma once
// The command-line mode: commands that run without a window (dump, info, list papers, …).

#include <QtCore/QStringList>
#include <functional>
#include <optional>

namespace poremi {

struct CommandLineCommand {
    QString option;   // "--version"
    QString usage;    // "--version" with its arguments, for the help text
    QString summary;  // one line for the help text
    // Runs with the arguments after the option; returns the exit code. Output goes to stdout,
    // errors to stderr.
    std::function<int(const QStringList& arguments)> run;
};

// Every command, in the order of the help text.
const QList<CommandLineCommand>& commandLineCommands();

// Runs the command named by the first argument; empty when the arguments start the window.
std::optional<int> runCommandLine(int argc, char** argv);

}  // namespace poremi
