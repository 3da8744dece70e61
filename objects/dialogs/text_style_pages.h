#pragma once
// The pages a text shares with every object derived from it, added to a dialog's tabs:
// "文字色", "変形" (font, style, alignment, spacing, writing direction, conversions, the
// distortion presets and a live sample), "影", "縁取り" and "位置".

#include "render/distortion/cdd_file.h"

#include <QtGui/QImage>
#include <QtWidgets/QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace poremi {

class TLOText;
class TextFillPanel;
class TextPositionPanel;
class TextSample;

class TextStylePages : public QObject {
    Q_OBJECT
public:
    // Adds the five pages to tabs; the distortion presets come from presetFile and their
    // thumbnails from "TransformPattern.png" beside it.
    TextStylePages(QTabWidget* tabs, const QString& presetFile);
    ~TextStylePages() override;

    void load(const TLOText& text);
    // Writes position, font, alignment, direction, conversions, fills, shadow, outline and
    // distortion; a spacing, shadow, outline width or fill whose controls were left alone
    // keeps the stored value, even one the controls cannot show.
    void store(TLOText& text) const;
    // When OK cannot be taken, brings up the page in tabs, says why and returns true.
    bool showRefusal(QTabWidget& tabs) const;

private:
    QWidget* buildFontPage();
    QWidget* buildShadowPage();
    QWidget* buildOutlinePage();
    void showPresets();
    void showDistortionControls();
    void showShadowControls();
    void showOutlineControls();
    void refreshSample();

    QTabWidget* tabs_;
    TCDDFile presets_;
    QImage strip_;

    TextFillPanel* textFill_;
    QWidget* fontPage_;
    QComboBox* fontName_;
    QComboBox* fontSize_;
    QCheckBox* bold_;
    QCheckBox* italic_;
    QCheckBox* underline_;
    QCheckBox* strikeOut_;
    QComboBox* align_;
    QComboBox* charSpacing_;
    QComboBox* lineSpacing_;
    QCheckBox* vertical_;
    QCheckBox* hanToZen_;
    QCheckBox* numToKnj_;
    QCheckBox* minusExc_;
    QRadioButton* distortionOn_;
    QRadioButton* distortionOff_;
    QListWidget* patterns_;
    QLabel* ratioLabel_;
    QSlider* ratio_;
    TextSample* sample_;

    QRadioButton* shadowOn_;
    QRadioButton* shadowOff_;
    QWidget* shadowDirections_;
    QButtonGroup* shadowDirection_;
    TextFillPanel* shadowFill_;

    QRadioButton* outlineOn_;
    QRadioButton* outlineOff_;
    QDoubleSpinBox* outlineWidth_;
    TextFillPanel* outlineFill_;

    TextPositionPanel* position_;

    // What the controls showed on loading, to tell which ones the user changed.
    int loadedCharSpacing_ = 0;
    int loadedLineSpacing_ = 0;
    int loadedShadowDirection_ = -1;
    bool loadedShadowOn_ = false;
    int loadedOutlineWidth_ = 0;
    double loadedOutlineBox_ = 0;
    // The loaded distortion's preset, or -1; a distortion no preset names stays while no other
    // pattern is chosen.
    int loadedPreset_ = -1;
    bool ownDistortion_ = false;
};

}  // namespace poremi
