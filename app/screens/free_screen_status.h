#pragma once
// The free-design screen's panels in the main window's status bar: the pointer, the front-most
// selected object's place and size, whether it is fixed or left out of print, and the zoom.

#include <QtCore/QObject>
#include <QtCore/QPoint>
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <array>

#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>

namespace poremi {

class DrawSite;

// A length in document units as the status bar shows it, always with the tenths digit:
// -5 → "-0.5mm", 120 → "12.0mm".
QString statusMillimetres(int units);

// What the first four panels say about a site.
struct FreeScreenStatus {
    QString pointer;    // "ﾏｳｽ(x,y)"
    QString selection;  // "位置(l,t),ｻｲｽﾞ(w,h)" of the front-most selected object, when it has a rectangle
    QString fixed;      // "固定" when that object is a label object that cannot be moved
    QString dontPrint;  // "印刷しない" when that object is a label object left out of print

    friend bool operator==(const FreeScreenStatus&, const FreeScreenStatus&) = default;
};
FreeScreenStatus freeScreenStatus(const DrawSite& site, QPoint pointer);

// The six panels, added to a status bar for as long as this lives (or the bar does).
class FreeScreenStatusBar : public QObject {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 6;

    explicit FreeScreenStatusBar(QStatusBar& bar);
    ~FreeScreenStatusBar() override;

    // Each of the first five panels takes the width of its widest text and 8 pixels.
    void sizePanels();
    void show(const FreeScreenStatus& status, int zoomPercent);
    QLabel* panel(int index) const { return panels_[static_cast<std::size_t>(index)]; }

private:
    QPointer<QStatusBar> bar_;
    std::array<QPointer<QLabel>, kPanelCount> panels_{};
};

}  // namespace poremi
