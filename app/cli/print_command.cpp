#include "app/cli/commands.h"
#include "app/cli/print_document.h"
#include "base/error.h"
#include "core/app_frame.h"
#include "core/settings.h"
#include "document/model/label_data.h"
#include "paper/paper_info.h"
#include "print/cups_printers.h"
#include "print/print_job.h"
#include "print/print_site.h"
#include "print/printer_adjustment.h"

#include <QtCore/QFileInfo>
#include <QtCore/QTextStream>

namespace poremi {
namespace {

constexpr int kMaxCopies = 99;
constexpr double kMaxOffsetMillimetres = 99.9;

struct PrintOptions {
    QString document;
    QString printer;
    QString pdf;
    QString sheet;
    TPrintSpec spec;
    QList<int> faces;
    bool firstGiven = false;
    bool offsetGiven = false;
    bool calibration = false;
};

PrintOptions parsePrintOptions(const QStringList& arguments) {
    PrintOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--printer")) {
            options.printer = optionValue(arguments, i);
        } else if (argument == QLatin1String("--pdf")) {
            options.pdf = optionValue(arguments, i);
        } else if (argument == QLatin1String("--copies")) {
            options.spec.copies = integerOption(argument, optionValue(arguments, i), 1, kMaxCopies);
        } else if (argument == QLatin1String("--faces")) {
            const QStringList list = optionValue(arguments, i).split(QLatin1Char(','));
            for (const QString& face : list) options.faces << integerOption(argument, face, 0, TPaperInfo::kMaxFaceCount - 1);
        } else if (argument == QLatin1String("--first")) {
            options.spec.firstFace = integerOption(argument, optionValue(arguments, i), 0, TPaperInfo::kMaxFaceCount - 1);
            options.firstGiven = true;
        } else if (argument == QLatin1String("--offset")) {
            const QStringList xy = optionValue(arguments, i).split(QLatin1Char(','));
            if (xy.size() != 2) badOption(argument);
            options.offsetGiven = true;
            options.spec.offset = QPoint(millimetreOption(argument, xy[0], kMaxOffsetMillimetres),
                                         millimetreOption(argument, xy[1], kMaxOffsetMillimetres));
        } else if (argument == QLatin1String("--outlines")) {
            options.spec.printOutlines = true;
        } else if (argument == QLatin1String("--cut-lines")) {
            options.spec.printCutLines = true;
        } else if (argument == QLatin1String("--calibration")) {
            options.calibration = true;
        } else if (argument == QLatin1String("--sheet")) {
            options.sheet = optionValue(arguments, i);
        } else if (options.document.isEmpty() && !argument.startsWith(QLatin1String("--"))) {
            options.document = argument;
        } else {
            throw Exception(QStringLiteral("オプション %1 は使えません").arg(argument));
        }
    }
    if (options.document.isEmpty()) throw Exception(QStringLiteral("印刷する文書を指定してください"));
    if (!options.printer.isEmpty() && !options.pdf.isEmpty())
        throw Exception(QStringLiteral("--printer と --pdf は同時に指定できません"));
    return options;
}

}  // namespace

int runPrintCommand(const QStringList& arguments) {
    PrintOptions options = parsePrintOptions(arguments);
    const auto data = openDocumentForPrint(options.document, options.sheet);
    const int faceCount = data->Paper()->getFaceCount();
    TPrintSpec& spec = options.spec;
    if (!options.faces.isEmpty()) {
        spec.allFaces = false;
        for (const int face : options.faces) {
            if (face >= faceCount) badOption(QStringLiteral("--faces"));
            spec.selectFace(face);
        }
    }
    if (options.firstGiven && spec.firstFace >= faceCount) badOption(QStringLiteral("--first"));

    QString queue;
    if (options.pdf.isEmpty()) {
        queue = options.printer.isEmpty() ? defaultPrinterQueue() : options.printer;
        if (queue.isEmpty()) throw Exception(ExpandMacros(QStringLiteral("$(SysMsgNotDefaultPrinter)")));
        // What the user measured for this printer, unless the command gives the offset.
        const QPoint given = spec.offset;
        readPrinterAdjustment(queue).applyTo(spec);
        if (options.offsetGiven) spec.offset = given;
    }

    TPrintSite site(*data, spec);
    site.setBanding(setting::read(setting::Banding));
    site.setCalibrationSheet(options.calibration);
    const QString title =
        ExpandMacros(QStringLiteral("$(PrintTitleFormat)")).replace(QLatin1String("%s"), QFileInfo(options.document).completeBaseName());
    const bool done = queue.isEmpty() ? printToPdf(site, options.pdf, title) : printToPrinter(site, queue, title);
    return done ? 0 : 1;
}

int runListPrintersCommand(const QStringList&) {
    QTextStream out(stdout);
    const std::vector<PrinterQueue> queues = printerQueues();
    if (queues.empty()) {
        out << QStringLiteral("プリンタが設定されていません\n");
        return 0;
    }
    for (const PrinterQueue& queue : queues) out << (queue.isDefault ? "* " : "  ") << queue.name << '\n';
    return 0;
}

}  // namespace poremi
