#pragma once
// The print dialog "ラベルシートの印刷": copies, faces, marks, the destination (a printer or
// "PDFファイル") with the adjustment remembered for that printer, the first label of a partly
// used sheet, and the calibration sheet. Its choices are kept until the application ends.

#include "print/print_job_settings.h"

#include <QtWidgets/QDialog>
#include <memory>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace poremi {

class SheetMarkView;
class TPaperInfo;

// What the dialog keeps between openings (initially one copy, all faces, no marks).
struct PrintDialogState {
    int copies = 1;
    bool printOutlines = false;
    bool printCutLines = false;
    bool selectedFaces = false;
    bool countSelectedOnly = false;
    bool printPaperImages = false;
    int firstFace = 0;
    // One entry per face of the last paper.
    std::vector<bool> marks;
    QString destination;
};

class PrintDialog : public QDialog {
    Q_OBJECT
public:
    // The destination entry that writes a PDF file.
    static QString pdfDestination() { return QStringLiteral("PDFファイル"); }

    // The queues offered (the default first when there is one); paperImages enables the
    // paper-image choice. The state is read now and written when printing starts.
    PrintDialog(const TPaperInfo& paper, const QStringList& printers, bool paperImages, PrintDialogState& state,
                QWidget* parent = nullptr);
    ~PrintDialog() override;

    // Filled once the dialog was accepted.
    TPrintSpec spec() const;
    // A printer's name, or pdfDestination().
    QString destination() const;
    bool calibrationRequested() const { return calibration_; }

signals:
    // "プリンタ設定": the caller shows the printer setup of the platform.
    void printerSetupRequested(const QString& printer);

private:
    void buildControls(const QStringList& printers, bool paperImages);
    void restoreState();
    void setSelectedMode(bool selected);
    void loadAdjustment();
    // Checks the marks and keeps the controls' values; false when no face is marked.
    bool keepState();
    void startPrinting(bool calibration);

    PrintDialogState& state_;
    int faceCount_;
    bool calibration_ = false;
    SheetMarkView* view_ = nullptr;
    QSpinBox* copies_ = nullptr;
    QDoubleSpinBox* top_ = nullptr;
    QDoubleSpinBox* left_ = nullptr;
    QDoubleSpinBox* scaleX_ = nullptr;
    QDoubleSpinBox* scaleY_ = nullptr;
    QRadioButton* allFaces_ = nullptr;
    QRadioButton* selectedFaces_ = nullptr;
    QCheckBox* countSelectedOnly_ = nullptr;
    QCheckBox* outlines_ = nullptr;
    QCheckBox* cutLines_ = nullptr;
    QCheckBox* paperImages_ = nullptr;
    QSpinBox* firstFace_ = nullptr;
    QComboBox* destination_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* calibrate_ = nullptr;
    QPushButton* setup_ = nullptr;
};

}  // namespace poremi
