#pragma once
// Where composed sheets go: a painter in the page's device pixels whose (0, 0) is the
// physical corner of the sheet, one page per copy.

class QPainter;

namespace poremi {

class TPrintCanvas {
public:
    virtual ~TPrintCanvas() = default;
    virtual QPainter& painter() = 0;
    // Device pixels per inch, both axes.
    virtual int resolution() const = 0;
    virtual void newPage() = 0;
    // Printers take a landscape sheet as a portrait page with the drawing turned; a picture of
    // the sheet keeps the sheet's own orientation.
    virtual bool turnsLandscape() const = 0;
};

}  // namespace poremi
