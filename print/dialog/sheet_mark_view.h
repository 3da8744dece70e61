#pragma once
// The sheet preview of the print dialog: every face of the paper drawn to fit, marked faces
// orange, each labelled "index [purpose]"; while enabled a click toggles a face's mark.

#include <QtWidgets/QWidget>
#include <memory>
#include <vector>

namespace poremi {

class TPaperInfo;

class SheetMarkView : public QWidget {
    Q_OBJECT
public:
    explicit SheetMarkView(QWidget* parent = nullptr);
    ~SheetMarkView() override;

    // A copy of the paper; every mark is cleared.
    void setPaper(const TPaperInfo& paper);
    int faceCount() const { return int(marks_.size()); }
    // −1 when none is marked.
    int firstMarkedFace() const;
    bool isMarked(int face) const;
    void setMarked(int face, bool marked);
    // Disabled, the view ignores the mouse and shows every face marked.
    void setShowAllMarked(bool all);
    // The face under a widget position; −1 when none.
    int faceAt(QPoint position) const;
    // Where the face's trim rectangle has its centre, in widget pixels.
    QPoint facePosition(int face) const;

    QSize sizeHint() const override { return {240, 300}; }

signals:
    void faceClicked(int face);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTransform sheetToWidget() const;

    std::unique_ptr<TPaperInfo> paper_;
    std::vector<bool> marks_;
    bool showAllMarked_ = false;
};

}  // namespace poremi
