#include "app/cli/command_line.h"

#include "app/cli/commands.h"
#include "app/module/main_data_module.h"
#include "base/error.h"

#include <QtCore/QTextStream>
#include <QtGui/QGuiApplication>
#include <cstdio>

namespace poremi {
namespace {

int printHelp(const QStringList&) {
    QTextStream out(stdout);
    out << "poremi [FILE]\n";
    for (const CommandLineCommand& command : commandLineCommands()) {
        out << "poremi " << command.usage << "\n    " << command.summary << "\n";
    }
    return 0;
}

}  // namespace

const QList<CommandLineCommand>& commandLineCommands() {
    static const QList<CommandLineCommand> commands = {
        {QStringLiteral("--version"), QStringLiteral("--version"), QStringLiteral("アプリケーション名とバージョンを表示します"), runVersionCommand},
        {QStringLiteral("--list-papers"), QStringLiteral("--list-papers [TEXT]"),
         QStringLiteral("用紙の一覧を表示します（TEXTで用紙名・メーカー・用途を絞り込みます）"), runListPapersCommand},
        {QStringLiteral("--info"), QStringLiteral("--info FILE"),
         QStringLiteral("ラベルデータの内容（シート・用紙・ラベルごとのオブジェクトとプレビュー）を表示します"), runInfoCommand},
        {QStringLiteral("--dump"), QStringLiteral("--dump FILE [PATH]"),
         QStringLiteral("複合ファイルの構成を表示します（PATH を指定するとそのストリームの内容を表示します）"), runDumpCommand},
        {QStringLiteral("--help"), QStringLiteral("--help"), QStringLiteral("この説明を表示します"), printHelp},
    };
    return commands;
}

std::optional<int> runCommandLine(int argc, char** argv) {
    if (argc < 2 || !QByteArray(argv[1]).startsWith("--")) return std::nullopt;
    const QString option = QString::fromLocal8Bit(argv[1]);
    for (const CommandLineCommand& command : commandLineCommands()) {
        if (command.option != option) continue;
        // Pictures and fonts need Qt Gui, never a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        MainDataModule module;
        QStringList arguments = QGuiApplication::arguments().mid(2);
        try {
            return command.run(arguments);
        } catch (const Exception& error) {
            std::fprintf(stderr, "%s\n", error.message().toLocal8Bit().constData());
            return 1;
        }
    }
    std::fprintf(stderr, "poremi: unknown option %s (see poremi --help)\n", argv[1]);
    return 2;
}

}  // namespace poremi
