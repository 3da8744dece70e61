#include "data/tools/paper_source.h"

#include "base/error.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>
#include <QtCore/QTextStream>

namespace poremi::papersource {
namespace {

struct Line {
    QString text;
    int number = 0;
};

class SourceFile {
public:
    explicit SourceFile(const QString& path) : name_(QFileInfo(path).fileName()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) throw Exception(path + QStringLiteral(": cannot be read"));
        QTextStream in(&file);
        in.setEncoding(QStringConverter::Utf8);
        int number = 0;
        while (!in.atEnd()) {
            const QString text = in.readLine().trimmed();
            ++number;
            if (text.isEmpty() || text.startsWith(QLatin1Char('#'))) continue;
            lines_.push_back({text, number});
        }
    }

    const std::vector<Line>& lines() const { return lines_; }
    QString where(const Line& line) const { return name_ + QLatin1Char(':') + QString::number(line.number); }
    [[noreturn]] void fail(const Line& line, const QString& reason) const {
        throw Exception(where(line) + QStringLiteral(": ") + reason);
    }

private:
    QString name_;
    std::vector<Line> lines_;
};

bool isSection(const QString& text) { return text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']')); }
QString sectionName(const QString& text) { return text.mid(1, text.size() - 2).trimmed(); }

// "key = value"; false when the line has no "=".
bool splitKeyValue(const QString& text, QString& key, QString& value) {
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0) return false;
    key = text.left(equals).trimmed();
    value = text.mid(equals + 1).trimmed();
    return true;
}

int number(const SourceFile& file, const Line& line, const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok) file.fail(line, QStringLiteral("\"%1\" is not a number").arg(text));
    return value;
}

// "W x H"
void readSize(const SourceFile& file, const Line& line, const QString& text, int& width, int& height) {
    static const QRegularExpression pattern(QStringLiteral("^(-?\\d+)\\s*x\\s*(-?\\d+)$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch()) file.fail(line, QStringLiteral("\"%1\" is not a size W x H").arg(text));
    width = match.captured(1).toInt();
    height = match.captured(2).toInt();
    if (width <= 0 || height <= 0) file.fail(line, QStringLiteral("sizes must be positive"));
}

FaceKind readFace(const SourceFile& file, const Line& line, const QString& text) {
    static const QStringList shapes = {QStringLiteral("Rect"),      QStringLiteral("Doughnut"), QStringLiteral("Ellipse"),
                                       QStringLiteral("RoundRect"), QStringLiteral("RectCD"),   QStringLiteral("BarrelCD")};
    const QStringList parts = text.split(QLatin1Char(','));
    FaceKind face;
    const QString head = parts.front().trimmed();
    const qsizetype blank = head.indexOf(QLatin1Char(' '));
    if (blank < 0) file.fail(line, QStringLiteral("a face needs a shape and a size"));
    face.shape = head.left(blank);
    if (!shapes.contains(face.shape)) file.fail(line, QStringLiteral("unknown shape \"%1\"").arg(face.shape));
    readSize(file, line, head.mid(blank + 1).trimmed(), face.width, face.height);
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        const qsizetype space = part.indexOf(QLatin1Char(' '));
        const QString key = space < 0 ? part : part.left(space);
        const QString value = space < 0 ? QString() : part.mid(space + 1).trimmed();
        if (key == QLatin1String("hole")) {
            if (value.contains(QLatin1Char('x'))) {
                readSize(file, line, value, face.holeWidth, face.holeHeight);
            } else {
                face.holeWidth = face.holeHeight = number(file, line, value);
            }
        } else if (key == QLatin1String("round")) {
            face.roundSize = number(file, line, value);
        } else if (key == QLatin1String("bleed")) {
            face.bleed = number(file, line, value);
            if (face.bleed < 0) file.fail(line, QStringLiteral("a bleed cannot be negative"));
        } else if (key == QLatin1String("purpose")) {
            face.purpose = value;
        } else if (part == QLatin1String("centre barrel")) {
            face.barrelHole = true;
        } else {
            file.fail(line, QStringLiteral("unknown face attribute \"%1\"").arg(part));
        }
    }
    return face;
}

// "X Y" or "X Y grid NX x NY step DX DY"
Placement readPlacement(const SourceFile& file, const Line& line, const QString& text) {
    static const QRegularExpression single(QStringLiteral("^(-?\\d+)\\s+(-?\\d+)$"));
    static const QRegularExpression grid(
        QStringLiteral("^(-?\\d+)\\s+(-?\\d+)\\s+grid\\s+(\\d+)\\s*x\\s*(\\d+)\\s+step\\s+(-?\\d+)\\s+(-?\\d+)$"));
    Placement placement;
    if (const auto match = single.match(text); match.hasMatch()) {
        placement.x = match.captured(1).toInt();
        placement.y = match.captured(2).toInt();
        return placement;
    }
    const auto match = grid.match(text);
    if (!match.hasMatch()) file.fail(line, QStringLiteral("\"%1\" is neither \"X Y\" nor \"X Y grid NX x NY step DX DY\"").arg(text));
    placement.x = match.captured(1).toInt();
    placement.y = match.captured(2).toInt();
    placement.columns = match.captured(3).toInt();
    placement.rows = match.captured(4).toInt();
    placement.stepX = match.captured(5).toInt();
    placement.stepY = match.captured(6).toInt();
    if (placement.columns < 1 || placement.rows < 1) file.fail(line, QStringLiteral("a grid needs at least one column and row"));
    return placement;
}

void finishSheet(const SourceFile& file, const Line& line, const Sheet& sheet) {
    if (!sheet.sameAs.isEmpty()) {
        if (!sheet.group.isEmpty() || !sheet.maker.isEmpty() || !sheet.usage.isEmpty() || sheet.width || !sheet.faces.empty())
            file.fail(line, QStringLiteral("sheet \"%1\": same-as allows no other key").arg(sheet.name));
        return;
    }
    if (sheet.group.isEmpty() || sheet.maker.isEmpty() || sheet.width == 0)
        file.fail(line, QStringLiteral("sheet \"%1\" needs group, maker and sheet").arg(sheet.name));
    if (sheet.faces.empty()) file.fail(line, QStringLiteral("sheet \"%1\" has no face").arg(sheet.name));
    for (const FaceGroup& group : sheet.faces) {
        if (group.placements.empty()) file.fail(line, QStringLiteral("sheet \"%1\": a face has no \"at\" line").arg(sheet.name));
    }
}

}  // namespace

Catalogue readCatalogue(const QString& path) {
    const SourceFile file(path);
    Catalogue catalogue;
    QString section;
    bool hasRelease = false;
    for (const Line& line : file.lines()) {
        if (isSection(line.text)) {
            section = sectionName(line.text);
            if (section != QLatin1String("release") && section != QLatin1String("groups") && section != QLatin1String("makers") &&
                section != QLatin1String("sources"))
                file.fail(line, QStringLiteral("unknown section [%1]").arg(section));
            continue;
        }
        QString key;
        QString value;
        if (section == QLatin1String("release")) {
            if (!splitKeyValue(line.text, key, value) || key != QLatin1String("pprno")) file.fail(line, QStringLiteral("expected pprno = N"));
            catalogue.pprNo = number(file, line, value);
            hasRelease = true;
        } else if (section == QLatin1String("groups")) {
            if (!splitKeyValue(line.text, key, value) || key.isEmpty() || value.isEmpty())
                file.fail(line, QStringLiteral("expected group = genre"));
            catalogue.groups.push_back({key, value});
        } else if (section == QLatin1String("makers")) {
            catalogue.makers.append(line.text);
        } else if (section == QLatin1String("sources")) {
            catalogue.sources.append(line.text);
        } else {
            file.fail(line, QStringLiteral("text before the first section"));
        }
    }
    if (!hasRelease) throw Exception(path + QStringLiteral(": no [release] pprno"));
    return catalogue;
}

std::vector<Sheet> readSheets(const QString& path) {
    const SourceFile file(path);
    std::vector<Sheet> sheets;
    const Line* opening = nullptr;
    for (const Line& line : file.lines()) {
        if (isSection(line.text)) {
            if (opening) finishSheet(file, *opening, sheets.back());
            sheets.push_back({});
            sheets.back().name = sectionName(line.text);
            sheets.back().origin = file.where(line);
            if (sheets.back().name.isEmpty()) file.fail(line, QStringLiteral("a sheet needs a name"));
            opening = &line;
            continue;
        }
        if (!opening) file.fail(line, QStringLiteral("text before the first sheet"));
        Sheet& sheet = sheets.back();
        QString key;
        QString value;
        if (!splitKeyValue(line.text, key, value)) file.fail(line, QStringLiteral("expected key = value"));
        if (key == QLatin1String("group")) {
            sheet.group = value;
        } else if (key == QLatin1String("maker")) {
            sheet.maker = value;
        } else if (key == QLatin1String("usage")) {
            sheet.usage = value;
        } else if (key == QLatin1String("same-as")) {
            sheet.sameAs = value;
        } else if (key == QLatin1String("sheet")) {
            readSize(file, line, value, sheet.width, sheet.height);
        } else if (key == QLatin1String("face")) {
            sheet.faces.push_back({readFace(file, line, value), {}});
        } else if (key == QLatin1String("at")) {
            if (sheet.faces.empty()) file.fail(line, QStringLiteral("\"at\" before the first face"));
            sheet.faces.back().placements.push_back(readPlacement(file, line, value));
        } else {
            file.fail(line, QStringLiteral("unknown key \"%1\"").arg(key));
        }
    }
    if (opening) finishSheet(file, *opening, sheets.back());
    return sheets;
}

void resolveSheets(std::vector<Sheet>& sheets, const Catalogue& catalogue) {
    QHash<QString, qsizetype> byName;
    for (qsizetype i = 0; i < qsizetype(sheets.size()); ++i) {
        if (byName.contains(sheets[i].name))
            throw Exception(sheets[i].origin + QStringLiteral(": sheet \"%1\" is named twice").arg(sheets[i].name));
        byName.insert(sheets[i].name, i);
    }
    QSet<QString> groups;
    for (const GroupGenre& entry : catalogue.groups) groups.insert(entry.group);
    for (Sheet& sheet : sheets) {
        if (!sheet.sameAs.isEmpty()) {
            const auto found = byName.constFind(sheet.sameAs);
            if (found == byName.constEnd())
                throw Exception(sheet.origin + QStringLiteral(": no sheet \"%1\" to be the same as").arg(sheet.sameAs));
            const Sheet& model = sheets[*found];
            if (!model.sameAs.isEmpty())
                throw Exception(sheet.origin + QStringLiteral(": \"%1\" is itself a same-as sheet").arg(sheet.sameAs));
            const QString name = sheet.name;
            const QString origin = sheet.origin;
            sheet = model;
            sheet.name = name;
            sheet.origin = origin;
        }
        if (!groups.contains(sheet.group))
            throw Exception(sheet.origin + QStringLiteral(": group \"%1\" is not in the catalogue").arg(sheet.group));
        if (!catalogue.makers.contains(sheet.maker))
            throw Exception(sheet.origin + QStringLiteral(": maker \"%1\" is not in the catalogue").arg(sheet.maker));
    }
}

}  // namespace poremi::papersource
