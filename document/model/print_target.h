#pragma once
// The one test of whether a paint goes to print: objects left out of print are skipped there.

class QPainter;

namespace poremi {

// A printer or a PDF page, or any painter while a PrintRendering is alive.
bool isPrintTarget(const QPainter& painter);

// Marks the paints of its lifetime as print, for bitmaps composed for the printer.
class PrintRendering {
public:
    PrintRendering();
    ~PrintRendering();
    PrintRendering(const PrintRendering&) = delete;
    PrintRendering& operator=(const PrintRendering&) = delete;
};

}  // namespace poremi
