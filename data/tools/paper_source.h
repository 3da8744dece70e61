#pragma once
// The shipped sheets as written in data/papers: a catalogue and one file of sheets per maker
// (data/papers/README.md describes the format). Parsing only; nothing here knows the database.

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <vector>

namespace poremi::papersource {

struct FaceKind {
    QString shape;  // element name without the "fs" prefix, as written
    int width = 0;
    int height = 0;
    int holeWidth = 410;
    int holeHeight = 410;
    int roundSize = 100;
    int bleed = 0;
    QString purpose;
    bool barrelHole = false;
};

struct Placement {
    int x = 0;
    int y = 0;
    int columns = 1;
    int rows = 1;
    int stepX = 0;
    int stepY = 0;
};

struct FaceGroup {
    FaceKind kind;
    std::vector<Placement> placements;
};

struct Sheet {
    QString name;
    QString group;
    QString maker;
    QString usage;
    QString sameAs;
    int width = 0;
    int height = 0;
    std::vector<FaceGroup> faces;
    QString origin;  // "file:line" of the name, for messages

    // One face kind in one grid: a matrix paper. Anything else lists its faces one by one.
    bool isMatrix() const { return faces.size() == 1 && faces.front().placements.size() == 1; }
};

struct GroupGenre {
    QString group;
    QString genre;
};

struct Catalogue {
    int pprNo = 0;
    std::vector<GroupGenre> groups;
    QStringList makers;
    QStringList sources;
};

// Both throw poremi::Exception with "file:line: reason" on anything they do not understand.
Catalogue readCatalogue(const QString& path);
std::vector<Sheet> readSheets(const QString& path);

// Resolves "same-as" sheets and checks names, groups and makers against the catalogue.
void resolveSheets(std::vector<Sheet>& sheets, const Catalogue& catalogue);

}  // namespace poremi::papersource
