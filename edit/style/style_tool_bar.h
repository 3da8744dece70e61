#pragma once
// The style toolbar of the free-design screen: the "フォント" group (face, size, alignment,
// bold/italic/underline/strikeout) and the "色" group (text colour, and the fill colour that
// stays hidden), each opening the shared colour grid. It only shows and reads a style; every
// change the user makes is announced with the property it touched.

#include "edit/style/object_style.h"

#include <QtWidgets/QWidget>
#include <optional>

class QButtonGroup;
class QComboBox;
class QToolButton;

namespace poremi {

class StyleToolBar : public QWidget {
    Q_OBJECT
public:
    // The sizes offered in the size box; others may be typed.
    static const QList<int>& fontSizeChoices();

    explicit StyleToolBar(QWidget* parent = nullptr);

    // The style the toolbar shows; a size box that holds no accepted size reads 24.
    TStyleToolSpec spec() const;
    // The size in the size box when it is a number from 6 to 998.
    std::optional<int> typedFontSize() const;
    // Shows a style without announcing a change; while the name or the size box has the focus
    // both keep what they hold. A face name our font services cannot draw shows as the face they
    // draw in its place.
    void showSpec(const TStyleToolSpec& spec);

    QComboBox* fontNameBox() const { return fontName_; }
    QComboBox* fontSizeBox() const { return fontSize_; }
    // 0 left, 1 centre, 2 right, 3 justified.
    QToolButton* alignButton(int align) const;
    // One of the TFontStyle flags.
    QToolButton* fontStyleButton(std::uint8_t style) const;
    QToolButton* textColorButton() const { return textColor_; }
    QToolButton* fillColorButton() const { return fillColor_; }

signals:
    void changed(poremi::StyleProperty property);

private:
    void sizeEdited();
    void dropColorGrid(QToolButton* button);
    void colorChosen(QToolButton* button, std::uint32_t color);
    void showColors();
    bool hasFocus(const QWidget* box) const;
    QString shownFontName(const QString& name) const;

    QComboBox* fontName_;
    QComboBox* fontSize_;
    QButtonGroup* align_;
    QList<QToolButton*> fontStyles_;
    QToolButton* textColor_;
    QToolButton* fillColor_;
    QString sizeText_;   // the size last shown or announced
    TColor penColor_ = 0;
    TColor brushColor_ = 0xC0C0C0;
    bool transparent_ = false;
};

}  // namespace poremi
