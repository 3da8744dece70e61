#pragma once
// The drop-down colour grid that the colour buttons of the process share: the palette, "その他の色"
// and, where the opener allows it, "透過". It shows under the button that opened it and reports
// to that opener only.

#include <QtWidgets/QFrame>
#include <cstdint>
#include <functional>
#include <optional>

class QPushButton;

namespace poremi {

class TColGrid;

class TfrmColorGrid : public QFrame {
    Q_OBJECT
public:
    // The colour value that means none ("透過").
    static constexpr std::uint32_t kTransparent = 0x1FFFFFFF;

    struct Opener {
        bool allowTransparent = false;
        // A colour was chosen (kTransparent for "透過"); the grid is already hidden.
        std::function<void(std::uint32_t color)> colorChosen;
        // Esc, a click elsewhere or a cancelled "その他の色" closed the grid without a choice.
        std::function<void()> closed;
    };
    // The dialog behind "その他の色": the colour chosen, or none when cancelled.
    using OtherColorDialog = std::function<std::optional<std::uint32_t>(std::uint32_t current, QWidget* parent)>;

    // The one grid of the process.
    static TfrmColorGrid& instance();
    // Replaces the system colour dialog (tests answer without a modal dialog); empty restores it.
    static void setOtherColorDialog(OtherColorDialog dialog);

    // Shows the grid under button for opener, with current as the colour shown. A grid still
    // open for another opener is closed for that one first.
    void dropDown(QWidget& button, std::uint32_t current, Opener opener);

    // The colour last shown or chosen (kTransparent for "透過").
    std::uint32_t color() const { return color_; }
    bool isTransparent() const { return color_ == kTransparent; }

    TColGrid* grid() const { return grid_; }
    QPushButton* otherColorButton() const { return other_; }
    QPushButton* transparentButton() const { return transparent_; }

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TfrmColorGrid();
    void choose(std::uint32_t color);
    void chooseOther();
    // Hands the opener out once, so that it hears of one ending only.
    std::optional<Opener> takeOpener();

    TColGrid* grid_;
    QPushButton* other_;
    QPushButton* transparent_;
    std::uint32_t color_ = 0;
    std::optional<Opener> opener_;
};

}  // namespace poremi
