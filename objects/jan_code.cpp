#include "objects/jan_code.h"

#include "base/arithmetic.h"
#include "render/text/simple_text.h"

#include <QtGui/QPainter>
#include <algorithm>
#include <array>

namespace poremi {
namespace {

// ISO/IEC 15420: left-hand odd parity (L), left-hand even parity (G) and right-hand (R) patterns,
// seven modules per digit, and the parity of the six left-hand digits chosen by EAN-13's first digit.
constexpr std::array<const char*, 10> kOddPatterns = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                                      "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr std::array<const char*, 10> kEvenPatterns = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                                       "0111001", "0000101", "0010001", "0001001", "0010111"};
constexpr std::array<const char*, 10> kRightPatterns = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                                        "1001110", "1010000", "1000100", "1001000", "1110100"};
constexpr std::array<const char*, 10> kFirstDigitParity = {"OOOOOO", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
                                                           "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO"};
constexpr const char* kEdgeGuard = "101";
constexpr const char* kCentreGuard = "01010";
constexpr const char* kEan8Parity = "OOOO";
constexpr int kMargin = 7;

bool allAsciiDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int digitAt(const QString& text, int index) { return text.at(index).unicode() - u'0'; }

void append(std::vector<JANModule>& modules, const char* pattern, bool guard, int digit) {
    for (const char* p = pattern; *p; ++p) modules.push_back({*p == '1', guard, digit});
}

void appendMargin(std::vector<JANModule>& modules) {
    for (int i = 0; i < kMargin; ++i) modules.push_back({});
}

// The frame is a band 3 units wide inside rect.
void fillFrame(QPainter& painter, const TRect& r) {
    constexpr int kWidth = 3;
    const QRectF outer(r.left, r.top, rectWidth(r), rectHeight(r));
    painter.fillRect(outer, Qt::black);
    const QRectF inner = outer.adjusted(kWidth, kWidth, -kWidth, -kWidth);
    if (inner.width() > 0 && inner.height() > 0) painter.fillRect(inner, Qt::white);
}

}  // namespace

int checkDigit(const QString& text) {
    if (text.size() <= 6) return -1;
    const int start = text.size() > 8 ? 1 : 6;
    const int count = 13 - start;
    if (text.size() < count) return -1;
    const QString used = text.left(count);
    if (!allAsciiDigits(used)) return -1;
    int even = 0, odd = 0;
    for (int i = 0; i < count; ++i) ((start + i) % 2 == 0 ? even : odd) += digitAt(used, i);
    return 9 - (odd + 3 * even + 9) % 10;
}

bool isValidJAN(const QString& text) {
    return isDrawableJAN(text) && checkDigit(text) == digitAt(text, int(text.size()) - 1);
}

bool isDrawableJAN(const QString& digits) { return (digits.size() == 8 || digits.size() == 13) && allAsciiDigits(digits); }

std::vector<JANModule> janModules(const QString& digits) {
    std::vector<JANModule> modules;
    if (!isDrawableJAN(digits)) return modules;
    const bool ean13 = digits.size() == 13;
    const int first = ean13 ? 1 : 0;        // the first digit encoded by bars
    const QString parity = QString::fromLatin1(ean13 ? kFirstDigitParity[std::size_t(digitAt(digits, 0))] : kEan8Parity);
    const int half = int(parity.size());

    appendMargin(modules);
    append(modules, kEdgeGuard, true, -1);
    for (int k = 0; k < half; ++k) {
        const int index = first + k;
        const auto d = std::size_t(digitAt(digits, index));
        append(modules, parity.at(k) == u'O' ? kOddPatterns[d] : kEvenPatterns[d], false, index);
    }
    append(modules, kCentreGuard, true, -1);
    for (int index = first + half; index < digits.size(); ++index)
        append(modules, kRightPatterns[std::size_t(digitAt(digits, index))], false, index);
    append(modules, kEdgeGuard, true, -1);
    appendMargin(modules);
    return modules;
}

void TJANCode::draw(QPainter& painter, const QString& digits, const TRect& rect, bool showFrame, bool showDigits,
                    int angle) const {
    const std::vector<JANModule> modules = janModules(digits);
    if (modules.empty() || rect.isEmpty()) return;

    painter.save();
    const QPoint centre = rectCenter(rect);
    painter.translate(centre);
    painter.rotate(angle % 360);
    painter.translate(-centre);
    // A large font on a small symbol must not spill over the object.
    painter.setClipRect(QRectF(rect.left, rect.top, rectWidth(rect), rectHeight(rect)), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);

    TRect r = rect;
    if (showFrame) {
        fillFrame(painter, rect);
        r = inflateRect(rect, -10, -10);
    } else {
        painter.fillRect(QRectF(r.left, r.top, rectWidth(r), rectHeight(r)), Qt::white);
    }
    if (r.isEmpty()) {
        painter.restore();
        return;
    }

    TSimpleText text;
    text.setFont(font_);
    text.setAlign(taCenter);
    text.setTextColor(textColor_);
    const int textHeight = showDigits ? text.lineHeight() : 0;
    const auto barBottom = [&](int lift) { return std::max(r.top, r.bottom - lift); };
    const int digitBottom = showDigits ? barBottom(textHeight + 2) : r.bottom;
    const int guardBottom = showDigits ? barBottom(textHeight / 2 + 2) : r.bottom;

    const int count = int(modules.size());
    const int width = rectWidth(r);
    const auto edge = [&](int i) { return r.left + mulDiv(i, width, count); };

    // Consecutive dark modules of one pattern make one bar spanning exactly their modules.
    for (int i = 0; i < count;) {
        const JANModule& m = modules[std::size_t(i)];
        int j = i + 1;
        if (m.dark)
            while (j < count && modules[std::size_t(j)].dark && modules[std::size_t(j)].digit == m.digit &&
                   modules[std::size_t(j)].guard == m.guard)
                ++j;
        if (m.dark) {
            const int bottom = m.guard ? guardBottom : digitBottom;
            if (bottom > r.top) painter.fillRect(QRectF(edge(i), r.top, edge(j) - edge(i), bottom - r.top), Qt::black);
        }
        i = j;
    }

    if (showDigits) {
        const int top = r.bottom - textHeight - 1;
        const auto drawDigit = [&](int index, int firstModule, int endModule) {
            text.setText({digits.mid(index, 1)});
            const int left = edge(firstModule), right = edge(endModule);
            TRect cell{left, top, right, r.bottom};
            // Centred when it fits, else from one unit inside the cell's left edge.
            if (rectWidth(text.textBounds({0, 0, 0x100000, textHeight})) > right - left - 2) {
                text.setAlign(taLeft);
                cell = {left + 1, top, left + 1 + 0x100000, r.bottom};
            }
            text.draw(painter, cell);
            text.setAlign(taCenter);
        };
        if (digits.size() == 13) drawDigit(0, 0, kMargin);
        for (int index = digits.size() == 13 ? 1 : 0; index < digits.size(); ++index) {
            const auto isOwn = [index](const JANModule& m) { return m.digit == index; };
            const auto begin = std::find_if(modules.begin(), modules.end(), isOwn) - modules.begin();
            drawDigit(index, int(begin), int(begin) + 7);
        }
    }
    painter.restore();
}

}  // namespace poremi
