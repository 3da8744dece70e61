#pragma once
// The dialog of decorated rules ("飾り罫線の選択"): the patterns of a folder as thumbnails,
// and the rule's points, width, lock and print flag. A rule not yet on a label takes its size
// from the pattern instead. The pattern chosen with OK is preselected next time, for the life
// of the process.

#include "objects/dialogs/shape_line_ends.h"

#include <QtWidgets/QDialog>
#include <memory>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace poremi {

class ShapeLengthBox;
class TLODecoLine;
class TPicture;

class TfrmDecoLineProperty : public QDialog {
    Q_OBJECT
public:
    // folder holds the pattern pictures (every file that reads as a picture is listed).
    TfrmDecoLineProperty(const QString& folder, bool onLabel, QWidget* parent = nullptr);
    ~TfrmDecoLineProperty() override;

    void load(const TLODecoLine& rule);
    // Writes the chosen pattern as Image, then LineWidth, StartX, StartY, EndX, EndY, movable,
    // do-not-print, as one change; a rule not yet on a label is then sized from its pattern.
    void store(TLODecoLine& rule) const;

    QTabWidget* tabs() const { return tabs_; }
    QListWidget* patterns() const { return patterns_; }
    QPushButton* okButton() const { return ok_; }
    ShapeLengthBox* lineWidthBox() const { return lineWidth_; }
    ShapeLengthBox* startXBox() const { return ends_->startX(); }
    ShapeLengthBox* startYBox() const { return ends_->startY(); }
    ShapeLengthBox* endXBox() const { return ends_->endX(); }
    ShapeLengthBox* endYBox() const { return ends_->endY(); }
    QCheckBox* dontPrintBox() const { return ends_->dontPrint(); }
    QCheckBox* lockBox() const { return ends_->lock(); }

    void done(int result) override;

private:
    void listPatterns(const QString& folder);
    void updateOk();

    bool onLabel_;
    bool ruleHasPattern_ = false;
    std::vector<std::unique_ptr<TPicture>> pictures_;  // in the order of the list
    QTabWidget* tabs_;
    QListWidget* patterns_;
    ShapeLengthBox* lineWidth_;
    std::unique_ptr<ShapeLineEnds> ends_;
    QPushButton* ok_ = nullptr;
};

}  // namespace poremi
