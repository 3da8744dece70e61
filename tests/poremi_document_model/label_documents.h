#pragma once
// Papers, designs and files shared by the label document tests.

#include "document/model/label_data.h"
#include "paper/paper_info.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <memory>

namespace poremi::testing {

// A 210 × 297 mm sheet of columns × rows faces, each 80 × 50 mm.
std::unique_ptr<TMatrixPaperInfo> matrixPaper(const QString& name, int columns, int rows);
// A file below the build's test output, left for people to open.
QString documentPath(const QString& name);
QByteArray fileBytes(const QString& path);

// A box of the colour on top of a frame, as the site hands a design over.
void saveDesign(TLabelData& data, int face, int color);
// The colour of the top box of the face's design, or −1 when it is not such a design.
int designColor(TLabelData& data, int face);

// Registers the test objects, the papers and the document's classes.
void registerLabelDocumentClasses();

}  // namespace poremi::testing
