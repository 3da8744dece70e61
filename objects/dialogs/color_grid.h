#pragma once
// The colour palette of the property dialogs: eight columns by five rows of fixed colours, and
// a button that shows a colour and drops the palette down under itself to change it.

#include <QtWidgets/QPushButton>
#include <QtWidgets/QWidget>
#include <array>
#include <cstdint>

namespace poremi {

// The 40 colours, row by row, as 0x00BBGGRR.
const std::array<std::uint32_t, 40>& paletteColors();

QColor toQColor(std::uint32_t color);

class TColGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = 5;

    explicit TColGrid(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    // The cell under a point of the widget, or -1.
    int cellAt(QPoint point) const;
    QRect cellRect(int index) const;

signals:
    void colorChosen(std::uint32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Shows its colour as a swatch; a click drops the palette down, and a choice there sets the
// colour.
class ColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent = nullptr);
    std::uint32_t color() const { return color_; }
    void setColor(std::uint32_t color);
    // The drop-down palette (made on the first click).
    TColGrid* palette() const { return palette_; }

signals:
    void colorChanged(std::uint32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void dropDown();

    std::uint32_t color_ = 0;
    QWidget* popup_ = nullptr;
    TColGrid* palette_ = nullptr;
};

}  // namespace poremi
