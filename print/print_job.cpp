#include "print/print_job.h"

#include "base/error.h"
#include "core/app_frame.h"
#include "document/model/label_data.h"
#include "print/cups_printers.h"
#include "print/pdf_sheet_file.h"
#include "print/print_site.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

namespace poremi {
namespace {

const TPaperInfo& paperOf(const TPrintSite& site) { return *site.document().Paper(); }

}  // namespace

bool printToPdf(TPrintSite& site, const QString& fileName, const QString& title) {
    TPdfSheetFile file(fileName, paperOf(site), title);
    if (!site.Print(file)) return false;
    file.commit();
    return true;
}

bool printToPrinter(TPrintSite& site, const QString& printer, const QString& title) {
    const QString queue = printer.isEmpty() ? defaultPrinterQueue() : printer;
    if (queue.isEmpty()) throw Exception(ExpandMacros(QStringLiteral("$(SysMsgNotDefaultPrinter)")));
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/poremi-print-XXXXXX"));
    if (!folder.isValid()) throw Exception(QStringLiteral("「%1」を作成できません").arg(folder.path()));
    const QString pdf = folder.filePath(QStringLiteral("job.pdf"));
    if (!printToPdf(site, pdf, title)) return false;
    submitPdf(queue, pdf, title, paperOf(site));
    return true;
}

}  // namespace poremi
