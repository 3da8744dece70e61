#pragma once
// The property dialog of a colour mark ("カラーマークの設定"): the fill, the mask shape chosen
// with "図形選択...", and the position, with a preview of the mark that follows every change.
// It works on a copy and writes the object only when asked to.

#include "objects/picture_alpha_mask.h"

#include <QtWidgets/QDialog>
#include <memory>

class QLabel;
class QPushButton;
class QTabWidget;

namespace poremi {

class PositionPanel;
class ShapeFillPanel;

class TfrmAlphaMaskProperty : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize kPreviewSize{160, 160};

    // A mark not yet on a label opens on the first tab with its width and height fixed;
    // otherwise the dialog reopens on the tab it was closed on.
    explicit TfrmAlphaMaskProperty(const TLOAlphaMask& mask, QWidget* parent = nullptr);
    ~TfrmAlphaMaskProperty() override;

    // Asks for a mask picture file; false when none was taken.
    bool chooseShape();
    bool hasPicture() const;
    // Angle, movable, do-not-print, Left, Top, Width, Height, Picture, FillColor; a mark not
    // yet on a label then takes its size from the picture.
    void writeTo(TLOAlphaMask& mask) const;

    QTabWidget* tabs() const { return tabs_; }
    ShapeFillPanel* fillPanel() const { return fill_; }
    PositionPanel* position() const { return position_; }
    QPushButton* shapeButton() const { return shape_; }
    // What the preview shows now.
    QImage previewImage() const;

    void done(int result) override;

private:
    void showPreview();

    // The preview copy: blend 100, not turned, at least 20 × 20 units.
    std::unique_ptr<TLOAlphaMask> sample_;
    bool onSite_;
    QTabWidget* tabs_;
    ShapeFillPanel* fill_;
    PositionPanel* position_;
    QPushButton* shape_;
    QLabel* preview_;
};

}  // namespace poremi
