#include "render/text/char_conversion.h"

#include <QtCore/QHash>

namespace poremi {
namespace {

const QString kHalfSymbols = QStringLiteral("!\"#$%&'()*+,-./:;<=>?@_^[\\]`{|}~｡｢｣､･ｰﾞﾟ");
const QString kFullSymbols = QStringLiteral("！”＃＄％＆’（）×＋，－．／：；＜＝＞？＠＿＾［￥］｀｛｜｝″。「」、・ー゛゜");
const QString kHalfKana1 = QStringLiteral("ｱｧｲｨｳｩｴｪｵｫｶｶｷｸｹｹｺｻｼｽｾｿﾀﾁﾂｯﾃﾄﾅﾆﾇﾈﾉ");
const QString kFullKana1 = QStringLiteral("アァイィウゥエェオォカヵキクケヶコサシスセソタチツッテトナニヌネノ");
const QString kHalfKana2 = QStringLiteral("ﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔｬｬﾕｭｭﾖｮﾗﾘﾙﾚﾛﾜﾜｦﾝ");
const QString kFullKana2 = QStringLiteral("ハヒフヘホマミムメモヤャヰユュヱヨョラリルレロワヮヲン");
const QString kHalfVoiced = QStringLiteral("ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ");
const QString kFullVoiced = QStringLiteral("ガギグゲゴザジズゼゾダヂヅデドバビブヴベボパピプペポ");
const QString kHiraVoiced = QStringLiteral("がぎぐげござじずぜぞだぢづでどばびぶぶべぼぱぴぷぺぽ");
const QString kHira1 = QStringLiteral("あぁいぃうぅえぇおぉかかきくけけこさしすせそたちつってとなにぬねの");
const QString kHira2 = QStringLiteral("はひふへほまみむめもやゃゐゆゅゑよょらりるれろわゎをん");

constexpr QChar kVoicedMark(0xFF9E);
constexpr QChar kSemiVoicedMark(0xFF9F);

// Adds source[i] → target[i], keeping the first partner of a repeated source.
void addPairs(QHash<QString, QString>& table, const QString& source, int sourceWidth, const QString& target) {
    for (qsizetype i = 0; i < target.size(); ++i) {
        const QString key = source.mid(i * sourceWidth, sourceWidth);
        if (!table.contains(key)) table.insert(key, QString(target.at(i)));
    }
}

const QHash<QString, QString>& widening() {
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        t.insert(QStringLiteral("ｳﾞ"), QStringLiteral("ヴ"));
        addPairs(t, kHalfSymbols, 1, kFullSymbols);
        for (char16_t c = u'0'; c <= u'9'; ++c) t.insert(QString(QChar(c)), QString(QChar(c - u'0' + 0xFF10)));
        for (char16_t c = u'A'; c <= u'Z'; ++c) t.insert(QString(QChar(c)), QString(QChar(c - u'A' + 0xFF21)));
        for (char16_t c = u'a'; c <= u'z'; ++c) t.insert(QString(QChar(c)), QString(QChar(c - u'a' + 0xFF41)));
        addPairs(t, kHalfKana1, 1, kFullKana1);
        addPairs(t, kHalfKana2, 1, kFullKana2);
        addPairs(t, kHalfVoiced, 2, kFullVoiced);
        return t;
    }();
    return table;
}

const QHash<QChar, QString>& narrowing() {
    static const QHash<QChar, QString> table = [] {
        QHash<QChar, QString> t;
        const auto add = [&](const QString& half, int halfWidth, const QString& full) {
            for (qsizetype i = 0; i < full.size(); ++i)
                if (!t.contains(full.at(i))) t.insert(full.at(i), half.mid(i * halfWidth, halfWidth));
        };
        add(kHalfSymbols, 1, kFullSymbols);
        for (char16_t c = u'0'; c <= u'9'; ++c) t.insert(QChar(c - u'0' + 0xFF10), QString(QChar(c)));
        for (char16_t c = u'A'; c <= u'Z'; ++c) t.insert(QChar(c - u'A' + 0xFF21), QString(QChar(c)));
        for (char16_t c = u'a'; c <= u'z'; ++c) t.insert(QChar(c - u'a' + 0xFF41), QString(QChar(c)));
        add(kHalfKana1, 1, kFullKana1);
        add(kHalfKana2, 1, kFullKana2);
        add(kHalfVoiced, 2, kFullVoiced);
        // ヴ is ｳﾞ, not the ﾌﾞ its table slot holds; ヰ and ヱ have no half-width form at all
        // (their slots hold the small ｬ and ｭ, which would change the word).
        t.insert(QChar(u'ヴ'), QStringLiteral("ｳﾞ"));
        t.remove(QChar(u'ヰ'));
        t.remove(QChar(u'ヱ'));
        return t;
    }();
    return table;
}

const QHash<QChar, QChar>& kataOfHira() {
    static const QHash<QChar, QChar> table = [] {
        QHash<QChar, QChar> t;
        const auto add = [&](const QString& from, const QString& to) {
            for (qsizetype i = 0; i < from.size(); ++i)
                if (!t.contains(from.at(i))) t.insert(from.at(i), to.at(i));
        };
        add(kHiraVoiced, kFullVoiced);
        add(kHira1, kFullKana1);
        add(kHira2, kFullKana2);
        return t;
    }();
    return table;
}

}  // namespace

QString hanToZen(const QString& text, QChar excluded) {
    const auto& table = widening();
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!excluded.isNull() && c == excluded) {
            result += c;
            continue;
        }
        if (i + 1 < text.size() && (text.at(i + 1) == kVoicedMark || text.at(i + 1) == kSemiVoicedMark)) {
            const auto joined = table.constFind(text.mid(i, 2));
            if (joined != table.constEnd()) {
                result += *joined;
                ++i;
                continue;
            }
            // No voiced form: the character converts alone and the mark after it on its own.
        }
        const auto single = table.constFind(QString(c));
        result += single != table.constEnd() ? *single : QString(c);
    }
    return result;
}

QString numToKnj(const QString& text) {
    static const QString kanji = QStringLiteral("〇一二三四五六七八九");
    QString result = text;
    for (QChar& c : result)
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19) c = kanji.at(c.unicode() - 0xFF10);
    return result;
}

QString zenToHan(const QString& text) {
    const auto& table = narrowing();
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const auto found = table.constFind(c);
        result += found != table.constEnd() ? *found : QString(c);
    }
    return result;
}

QString hiraToKata(const QString& text) {
    const auto& table = kataOfHira();
    QString result = text;
    for (QChar& c : result) c = table.value(c, c);
    return result;
}

}  // namespace poremi
