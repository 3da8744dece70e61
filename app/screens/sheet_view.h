#pragma once
// The current sheet shown read-only: the paper with each face's outline and a preview of its
// design. It stands in for the menu screen until the mode screens exist.

#include "app/screens/screen.h"

#include <QtGui/QImage>
#include <memory>
#include <vector>

namespace poremi {

class TPaperInfo;

class SheetView final : public Screen {
    Q_OBJECT
public:
    explicit SheetView(QWidget* parent = nullptr);
    ~SheetView() override;

    ScreenKind kind() const override { return ScreenKind::Menu; }
    void load(TLabelData& document) override;
    bool store(TLabelData&) override { return false; }
    bool isModified() const override { return false; }
    void markSaved() override {}

    // The sheet as painted, at the given width in pixels (for tests and pictures).
    QImage render(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintSheet(QPainter& painter, const QRectF& area) const;

    std::unique_ptr<TPaperInfo> paper_;
    std::vector<QImage> previews_;  // one per face; null where the face has no design
};

}  // namespace poremi
