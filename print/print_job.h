#pragma once
// A composed job delivered: to a PDF file, or to a printer queue through a PDF. Nothing is
// written or submitted unless every copy was composed.

#include <QtCore/QString>

namespace poremi {

class TPrintSite;

// The file appears (replacing an older one) only when the job completed; false when it was
// aborted, and an error propagates; either way nothing is left behind.
bool printToPdf(TPrintSite& site, const QString& fileName, const QString& title);

// Submits the composed sheets to the queue (the default queue when the name is empty); false
// when the job was aborted, and then nothing is submitted.
bool printToPrinter(TPrintSite& site, const QString& printer, const QString& title);

}  // namespace poremi
