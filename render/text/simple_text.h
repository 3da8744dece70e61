#pragma once
// Multi-line Japanese text in document units: horizontal or vertical (columns right to left),
// four alignments, character and line spacing, rotation, a per-line shear and arc text. Lines
// are laid out once on the 254-pixels-per-inch measuring surface; every surface that draws
// then re-fits each line to that width, so that screen and printer place characters alike.

#include "document/stream/string_list.h"
#include "render/geometry/rect.h"
#include "render/text/char_layout.h"
#include "render/text/point_based_font.h"
#include "render/text/text_picture.h"

#include <QtCore/QStringList>
#include <cstdint>
#include <functional>

class QPainter;

namespace poremi {

class TStroke;
class TextFont;

class TSimpleText : public TPersistent {
    POREMI_PERSISTENT(TSimpleText)
public:
    TSimpleText() = default;

    // Published properties (Text, Font, Align, Vertical, CharSpacing, LineSpacing, Bulge, Angle,
    // HanToZen, NumToKnj, MinusExc, FeedAngle).
    const QStringList& text() const { return text_.lines(); }
    void setText(const QStringList& lines);
    const TPointBasedFont& font() const { return font_; }
    void setFont(const TPointBasedFont& font);
    int align() const { return align_; }
    void setAlign(int align);
    bool vertical() const { return vertical_; }
    void setVertical(bool vertical);
    int charSpacing() const { return charSpacing_; }
    void setCharSpacing(int spacing);
    int lineSpacing() const { return lineSpacing_; }
    void setLineSpacing(int spacing);
    int bulge() const { return bulge_; }
    void setBulge(int bulge);
    int angle() const { return angle_; }
    void setAngle(int angle);
    bool hanToZen() const { return hanToZen_; }
    void setHanToZen(bool on);
    bool numToKnj() const { return numToKnj_; }
    void setNumToKnj(bool on);
    bool minusExc() const { return minusExc_; }
    void setMinusExc(bool on);
    int feedAngle() const { return feedAngle_; }
    void setFeedAngle(int degrees);

    // The colour the engine draws in (0x00BBGGRR), set by the owning object.
    std::uint32_t textColor() const { return textColor_; }
    void setTextColor(std::uint32_t color) { textColor_ = color; }

    // Fired when a property changes; nested brackets fire once at the outermost end.
    std::function<void()> OnChange;
    void beginUpdate();
    void endUpdate();
    // Copies every property of another text inside one update bracket.
    void assign(const TPersistent& source) override;

    // Text, or the placeholder line "未入力項目" when there is none, after the conversions.
    QStringList effectiveLines() const;
    // The font's cell height on the measuring surface (the column width when vertical).
    int lineHeight();
    // The rectangle the ink occupies in frame; ignoreJustify lays justified text out as left.
    TRect textBounds(const TRect& frame, bool ignoreJustify = false);
    // The lines as the last textBounds aligned them.
    const std::vector<TCharLayout>& lineLayouts() const { return placed_; }

    // Draws in the text colour; the painter maps document units to its device (any scale).
    void draw(QPainter& painter, const TRect& frame);
    // Appends the text's closed outline in document units; decorations adds the bars.
    void buildOutline(TStroke& stroke, const TRect& frame, bool decorations);
    // The glyphs and bars for a surface of pixelsPerUnit device pixels per document unit.
    TTextPicture compose(const TRect& frame, double pixelsPerUnit);

    static const QString& placeholderLine();
    // The usable font names, sorted.
    static void getUsableFonts(QStringList& names);

private:
    // The sub-objects as component streams read them.
    TStringList& textObject() { return text_; }
    TPointBasedFont& fontObject() { return font_; }
    void changed(bool dropsLayout);
    template <typename T>
    void set(T& member, const T& value, bool dropsLayout);
    void ensureReference();
    void composeStraight(TTextPicture& picture, const TRect& frame, const TextFont& device, double pixelsPerUnit);
    bool composeArc(TTextPicture& picture, const TRect& frame, const TextFont& device, double pixelsPerUnit);

    TStringList text_;
    TPointBasedFont font_;
    int align_ = taLeft;
    bool vertical_ = false;
    int charSpacing_ = 0;
    int lineSpacing_ = 0;
    int bulge_ = 0;
    int angle_ = 0;
    bool hanToZen_ = false;
    bool numToKnj_ = false;
    bool minusExc_ = false;
    int feedAngle_ = 0;
    std::uint32_t textColor_ = 0;

    int updateCount_ = 0;
    bool changePending_ = false;
    std::vector<TCharLayout> reference_;
    std::vector<TCharLayout> placed_;
    int lineHeight_ = 0;
};

}  // namespace poremi
