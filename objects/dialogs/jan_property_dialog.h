#pragma once
// The property dialog of a JAN barcode: its digits, whether the digits and a frame show, and
// the digits' font, size and colour.

#include <QtWidgets/QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;

namespace poremi {

class ColorButton;
class TLOJANCode;

class TfrmJANCodeProperty : public QDialog {
    Q_OBJECT
public:
    // A new barcode (not yet on a label) gets the adding caption and the first page; otherwise
    // the page last left open in this process is shown.
    explicit TfrmJANCodeProperty(bool adding, QWidget* parent = nullptr);

    void load(const TLOJANCode& code);
    // Writes the digits as accepted (see accept), both flags, the colour and the font's name,
    // size and character set.
    void store(TLOJANCode& code) const;

    // Accepts only ASCII digits that are 7 or 12 long (their check digit is then appended) or
    // form a valid 8- or 13-digit code; otherwise says why and stays open.
    void accept() override;
    void done(int result) override;

private:
    // The digits OK stores.
    QString acceptedDigits() const;

    QTabWidget* tabs_;
    QLineEdit* digits_;
    QCheckBox* showNumber_;
    QCheckBox* showFrame_;
    QComboBox* fontName_;
    QComboBox* fontSize_;
    ColorButton* textColor_;
};

}  // namespace poremi
