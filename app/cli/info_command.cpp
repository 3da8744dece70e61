#include "app/cli/commands.h"
#include "app/cli/millimetres.h"
#include "base/datetime.h"
#include "base/format.h"
#include "base/native_path.h"
#include "core/app_frame.h"
#include "document/model/draw_object.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "paper/paper_info.h"

#include <QtCore/QTextStream>
#include <algorithm>
#include <utility>
#include <vector>

namespace poremi {
namespace {

QString dateText(double value) {
    const QDateTime time = fromDateTimeValue(value);
    return time.isValid() ? time.toString(QStringLiteral("yyyy-MM-dd hh:mm")) : QStringLiteral("-");
}

// "3 objects (TLOText×2, TLOImage×1)": the classes in the order they first appear.
QString objectsText(const TDOList& objects) {
    std::vector<std::pair<QString, int>> classes;
    for (const TDrawObject* object : objects.items()) {
        auto it = std::find_if(classes.begin(), classes.end(), [&](const auto& c) { return c.first == object->className(); });
        if (it == classes.end())
            classes.emplace_back(object->className(), 1);
        else
            ++it->second;
    }
    QStringList parts;
    for (const auto& [name, count] : classes) parts << name + QStringLiteral("×") + QString::number(count);
    QString text = QStringLiteral("%1 objects").arg(objects.count());
    if (!parts.isEmpty()) text += QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + u')';
    return text;
}

// Returns false when a face's design could not be read.
bool printSheet(QTextStream& out, TLabelData& data, const QString& file, int sheet) {
    data.SetCurrentSheet(sheet);
    out << "sheet " << sheet + 1 << ": " << data.sheetName() << "\n";
    const TPaperInfo* paper = data.Paper();
    if (!paper) {
        out << "  paper: -\n";
        return true;
    }
    out << "  paper: " << paper->paperName() << " (" << millimetres(paper->width()) << " x "
        << millimetres(paper->height()) << " mm, " << paper->getFaceCount() << " faces)\n";
    out << "  separately designed: " << (data.separatelyDesign() ? "yes" : "no") << "\n";
    // With one design for all faces, face 1 stands for every face.
    const int faces = data.separatelyDesign() ? paper->getFaceCount() : std::min(1, paper->getFaceCount());
    bool readable = true;
    for (int face = 0; face < faces; ++face) {
        out << "  face " << face + 1 << ": ";
        TDOList objects;
        try {
            data.LoadLabelObjects(face, objects);
            out << objectsText(objects);
        } catch (const Exception& error) {
            out << error.message();
            readable = false;
        }
        objects.freeAll();
        out << ", preview " << (TLabelData::ReadPreviewFromFile(file, sheet, face).isNull() ? "no" : "yes") << "\n";
    }
    return readable;
}

}  // namespace

int runInfoCommand(const QStringList& arguments) {
    if (arguments.size() != 1) {
        QTextStream(stderr) << "poremi --info FILE\n";
        return 2;
    }
    const QString file = fromNativePath(arguments[0]);
    TLabelData data(nullptr);
    try {
        data.LoadFromFile(file);
    } catch (const Exception&) {
        QTextStream(stderr) << format(QStringLiteral("指定されたファイルは「%s」のデータではありません"),
                                      {ExpandMacros(QStringLiteral("$(AppName)"))})
                            << "\n";
        return 1;
    }
    QTextStream out(stdout);
    out << "title: " << data.dataName() << "\n";
    out << "saved: " << dateText(data.lastSave()) << "   printed: " << (data.lastPrint() == 0 ? QStringLiteral("-") : dateText(data.lastPrint()))
        << "\n";
    bool readable = true;
    for (int sheet = 0; sheet < data.SheetCount(); ++sheet) readable = printSheet(out, data, file, sheet) && readable;
    return readable ? 0 : 1;
}

}  // namespace poremi
