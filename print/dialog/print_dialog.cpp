#include "print/dialog/print_dialog.h"

#include "base/arithmetic.h"
#include "base/user_interface.h"
#include "core/app_frame.h"
#include "paper/paper_info.h"
#include "print/dialog/sheet_mark_view.h"
#include "print/printer_adjustment.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDoubleSpinBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

namespace poremi {
namespace {

constexpr int kMaxCopies = 99;

QDoubleSpinBox* millimetreBox(const QString& hint) {
    auto* box = new QDoubleSpinBox;
    box->setRange(-PrinterAdjustment::kMaxOffset / 10.0, PrinterAdjustment::kMaxOffset / 10.0);
    box->setDecimals(1);
    box->setSingleStep(1.0);
    box->setSuffix(QStringLiteral(" mm"));
    box->setToolTip(hint);
    return box;
}

QDoubleSpinBox* scaleBox() {
    auto* box = new QDoubleSpinBox;
    box->setRange(-PrinterAdjustment::kMaxScale / 100.0, PrinterAdjustment::kMaxScale / 100.0);
    box->setDecimals(2);
    box->setSingleStep(0.05);
    box->setSuffix(QStringLiteral(" %"));
    return box;
}

int units(const QDoubleSpinBox* box) { return int(roundHalfEven(box->value() * 10)); }
int hundredths(const QDoubleSpinBox* box) { return int(roundHalfEven(box->value() * 100)); }

}  // namespace

PrintDialog::PrintDialog(const TPaperInfo& paper, const QStringList& printers, bool paperImages, PrintDialogState& state,
                         QWidget* parent)
    : QDialog(parent), state_(state), faceCount_(paper.getFaceCount()) {
    setWindowTitle(QStringLiteral("ラベルシートの印刷"));
    view_ = new SheetMarkView;
    view_->setPaper(paper);
    buildControls(printers, paperImages);
    // Marks of another paper are forgotten.
    if (state_.marks.size() != std::size_t(faceCount_)) state_.marks.assign(std::size_t(faceCount_), false);
    restoreState();
}

PrintDialog::~PrintDialog() = default;

void PrintDialog::buildControls(const QStringList& printers, bool paperImages) {
    auto* position = new QGroupBox(QStringLiteral("印刷位置微調整"));
    auto* positionForm = new QFormLayout(position);
    copies_ = new QSpinBox;
    copies_->setRange(1, kMaxCopies);
    copies_->setSuffix(QStringLiteral(" 部"));
    positionForm->addRow(QStringLiteral("印刷部数(1～99)"), copies_);
    top_ = millimetreBox(QStringLiteral("プラスの指定で全体の印刷位置を下にずらします"));
    positionForm->addRow(QStringLiteral("上から(&T)"), top_);
    left_ = millimetreBox(QStringLiteral("プラスの指定で全体の印刷位置を右にずらします"));
    positionForm->addRow(QStringLiteral("左から(&L)"), left_);
    scaleX_ = scaleBox();
    positionForm->addRow(QStringLiteral("横の倍率補正"), scaleX_);
    scaleY_ = scaleBox();
    positionForm->addRow(QStringLiteral("縦の倍率補正"), scaleY_);

    auto* faces = new QGroupBox(QStringLiteral("印刷ラベル面"));
    auto* facesLayout = new QVBoxLayout(faces);
    allFaces_ = new QRadioButton(QStringLiteral("全ラベル(&A)"));
    allFaces_->setToolTip(QStringLiteral("シート上のすべてのラベル面を印刷します"));
    selectedFaces_ = new QRadioButton(QStringLiteral("指定ラベル(&S)"));
    selectedFaces_->setToolTip(QStringLiteral("印刷するラベル面を選択してください"));
    view_->setToolTip(QStringLiteral("オレンジ色で表示されているラベルを印刷します"));
    auto* modes = new QHBoxLayout;
    modes->addWidget(allFaces_);
    modes->addWidget(selectedFaces_);
    facesLayout->addLayout(modes);
    facesLayout->addWidget(view_, 1);
    firstFace_ = new QSpinBox;
    firstFace_->setRange(0, std::max(faceCount_ - 1, 0));
    auto* first = new QFormLayout;
    first->addRow(QStringLiteral("開始ラベル番号(&N)"), firstFace_);
    facesLayout->addLayout(first);

    auto* numbering = new QGroupBox(QStringLiteral("ナンバリング・差込みの設定"));
    auto* numberingLayout = new QVBoxLayout(numbering);
    countSelectedOnly_ = new QCheckBox(QStringLiteral("印刷ラベルで連続させる"));
    numberingLayout->addWidget(countSelectedOnly_);

    auto* marks = new QGroupBox(QStringLiteral("枠線・切り取り線"));
    auto* marksLayout = new QVBoxLayout(marks);
    outlines_ = new QCheckBox(QStringLiteral("ラベル枠線を印刷(&F)"));
    cutLines_ = new QCheckBox(QStringLiteral("切り取り線を印刷(&C)"));
    paperImages_ = new QCheckBox(QStringLiteral("用紙柄を印刷(&I)"));
    paperImages_->setEnabled(paperImages);
    marksLayout->addWidget(outlines_);
    marksLayout->addWidget(cutLines_);
    marksLayout->addWidget(paperImages_);

    destination_ = new QComboBox;
    destination_->addItems(printers);
    destination_->addItem(pdfDestination());
    auto* destinationRow = new QFormLayout;
    destinationRow->addRow(QStringLiteral("出力先(&P)"), destination_);

    start_ = new QPushButton(QStringLiteral("印刷開始"));
    start_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"));
    setup_ = new QPushButton(QStringLiteral("プリンタ設定"));
    calibrate_ = new QPushButton(QStringLiteral("位置調整用シートを印刷"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(cancel);
    buttons->addWidget(setup_);
    buttons->addWidget(calibrate_);
    buttons->addStretch(1);

    auto* side = new QVBoxLayout;
    side->addLayout(destinationRow);
    side->addWidget(position);
    side->addWidget(numbering);
    side->addWidget(marks);
    side->addStretch(1);
    auto* main = new QHBoxLayout(this);
    main->addWidget(faces, 1);
    main->addLayout(side);
    main->addLayout(buttons);

    connect(allFaces_, &QRadioButton::toggled, this, [this](bool all) { setSelectedMode(!all); });
    connect(destination_, &QComboBox::currentIndexChanged, this, [this] { loadAdjustment(); });
    connect(start_, &QPushButton::clicked, this, [this] { startPrinting(false); });
    connect(calibrate_, &QPushButton::clicked, this, [this] { startPrinting(true); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(setup_, &QPushButton::clicked, this, [this] { emit printerSetupRequested(destination()); });
}

void PrintDialog::restoreState() {
    copies_->setValue(state_.copies);
    outlines_->setChecked(state_.printOutlines);
    cutLines_->setChecked(state_.printCutLines);
    countSelectedOnly_->setChecked(state_.countSelectedOnly);
    paperImages_->setChecked(state_.printPaperImages && paperImages_->isEnabled());
    firstFace_->setValue(std::min(state_.firstFace, std::max(faceCount_ - 1, 0)));
    const int kept = destination_->findText(state_.destination);
    destination_->setCurrentIndex(kept >= 0 ? kept : 0);
    loadAdjustment();
    for (int i = 0; i < faceCount_; ++i) view_->setMarked(i, state_.marks[std::size_t(i)]);
    (state_.selectedFaces ? selectedFaces_ : allFaces_)->setChecked(true);
    setSelectedMode(state_.selectedFaces);
}

void PrintDialog::setSelectedMode(bool selected) {
    view_->setEnabled(selected);
    view_->setShowAllMarked(!selected);
    countSelectedOnly_->setEnabled(selected);
    if (selected && view_->firstMarkedFace() < 0) view_->setMarked(0, true);
}

void PrintDialog::loadAdjustment() {
    const PrinterAdjustment adjustment = readPrinterAdjustment(destination());
    left_->setValue(adjustment.offset.x() / 10.0);
    top_->setValue(adjustment.offset.y() / 10.0);
    scaleX_->setValue(adjustment.scaleX / 100.0);
    scaleY_->setValue(adjustment.scaleY / 100.0);
}

QString PrintDialog::destination() const { return destination_->currentText(); }

bool PrintDialog::keepState() {
    const bool selected = selectedFaces_->isChecked();
    if (selected && view_->firstMarkedFace() < 0) return false;
    state_.copies = copies_->value();
    state_.printOutlines = outlines_->isChecked();
    state_.printCutLines = cutLines_->isChecked();
    state_.selectedFaces = selected;
    state_.countSelectedOnly = countSelectedOnly_->isChecked();
    state_.printPaperImages = paperImages_->isChecked();
    state_.firstFace = firstFace_->value();
    state_.destination = destination();
    if (selected)
        for (int i = 0; i < faceCount_; ++i) state_.marks[std::size_t(i)] = view_->isMarked(i);
    writePrinterAdjustment(destination(), {QPoint(units(left_), units(top_)), hundredths(scaleX_), hundredths(scaleY_)});
    return true;
}

void PrintDialog::startPrinting(bool calibration) {
    if (!keepState()) {
        userInterface().messageBox(ExpandMacros(QStringLiteral("$(AppName)")), QStringLiteral("印刷するラベルが一つもありません"),
                                   {MessageButton::Ok}, 0, 0);
        return;
    }
    calibration_ = calibration;
    accept();
}

TPrintSpec PrintDialog::spec() const {
    TPrintSpec spec;
    spec.copies = state_.copies;
    spec.printOutlines = state_.printOutlines;
    spec.printCutLines = state_.printCutLines;
    spec.allFaces = !state_.selectedFaces;
    spec.countSelectedOnly = state_.selectedFaces && state_.countSelectedOnly;
    spec.printPaperImages = state_.printPaperImages;
    spec.firstFace = state_.firstFace;
    if (state_.selectedFaces) spec.faceSelection = state_.marks;
    readPrinterAdjustment(state_.destination).applyTo(spec);
    return spec;
}

}  // namespace poremi
