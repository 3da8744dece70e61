#pragma once
// A one-line label that gives up room when space is short: it then ends its text with "…"
// instead of being cut or pushing its neighbours over each other; the whole text is its tip.

#include <QtWidgets/QLabel>

namespace poremi {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace poremi
