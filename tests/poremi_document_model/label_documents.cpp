#include "label_documents.h"

#include "document/model/document_model_classes.h"
#include "document/model/object_list.h"
#include "paper/paper_classes.h"
#include "tests/support/test_environment.h"
#include "test_objects.h"

#include <QtCore/QDir>
#include <QtCore/QFile>

namespace poremi::testing {

std::unique_ptr<TMatrixPaperInfo> matrixPaper(const QString& name, int columns, int rows) {
    auto paper = std::make_unique<TMatrixPaperInfo>();
    paper->setPaperName(name);
    paper->setPhysicalSize(2100, 2970);
    paper->setFaceCountX(columns);
    paper->setFaceCountY(rows);
    paper->setFaceWidth(800);
    paper->setFaceHeight(500);
    return paper;
}

QString documentPath(const QString& name) {
    const QString folder = test::outputFolder() + QStringLiteral("/documents");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void saveDesign(TLabelData& data, int face, int color) {
    TTestBox box;
    box.setRect({10, 10, 200, 100});
    box.setColor(color);
    TTestFrame frame;
    frame.setRect({0, 0, 50, 50});
    TDOList list;
    list.add(&box);
    list.add(&frame);
    data.SaveLabelObjects(face, list);
}

int designColor(TLabelData& data, int face) {
    OwnedList read;
    data.LoadLabelObjects(face, read.list);
    if (read.list.count() != 2) return -1;
    auto* box = dynamic_cast<TTestBox*>(read.list.item(1));
    if (!dynamic_cast<TTestFrame*>(read.list.item(0)) || !box) return -1;
    return box->color();
}

void registerLabelDocumentClasses() {
    registerTestObjects();
    registerPaperClasses();
    registerDocumentModelClasses();
}

}  // namespace poremi::testing
