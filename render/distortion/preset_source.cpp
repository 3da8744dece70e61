#include "render/distortion/preset_source.h"

#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>
#include <array>
#include <cmath>
#include <optional>

namespace poremi {
namespace {

[[noreturn]] void fault(int line, const QString& what) {
    throw EDistortionData(QStringLiteral("変形パターンの定義 %1 行目: %2").arg(line).arg(what));
}

int sideOf(const QString& word) {
    static const QStringList names{QStringLiteral("top"), QStringLiteral("right"), QStringLiteral("bottom"),
                                   QStringLiteral("left")};
    return int(names.indexOf(word));
}

bool sameCorner(QPointF a, QPointF b) { return std::abs(a.x() - b.x()) < 1e-9 && std::abs(a.y() - b.y()) < 1e-9; }

struct Pending {
    TDistortionPreset preset;
    int line = 0;
    int sidesSeen = 0;
    std::array<std::vector<QPointF>, 4> points;
    std::array<std::vector<std::uint8_t>, 4> flags;
};

void finish(Pending& pending, std::vector<TDistortionPreset>& presets) {
    if (pending.sidesSeen != 0xF) fault(pending.line, QStringLiteral("四辺がそろっていません。"));
    const auto& p = pending.points;
    if (!sameCorner(p[dsTop].front(), p[dsLeft].front()) || !sameCorner(p[dsTop].back(), p[dsRight].front()) ||
        !sameCorner(p[dsRight].back(), p[dsBottom].back()) || !sameCorner(p[dsBottom].front(), p[dsLeft].back()))
        fault(pending.line, QStringLiteral("隣り合う辺の角の点が一致しません。"));
    TCoonsDistortion& d = pending.preset.distortion;
    for (int side = 0; side < 4; ++side) {
        d.setSideCount(side, int(p[std::size_t(side)].size()));
        for (int k = 0; k < d.sideCount(side); ++k) {
            d.setPoint(side, k, p[std::size_t(side)][std::size_t(k)]);
            d.setFlag(side, k, pending.flags[std::size_t(side)][std::size_t(k)]);
        }
    }
    presets.push_back(std::move(pending.preset));
}

}  // namespace

std::vector<TDistortionPreset> parseDistortionPresets(const QString& source) {
    static const QRegularExpression header(QStringLiteral(R"(^\[(\{[0-9A-Fa-f-]{36}\})\]\s+(\S.*)$)"));
    std::vector<TDistortionPreset> presets;
    std::optional<Pending> pending;
    QSet<QString> identifiers;
    const QStringList lines = source.split(QLatin1Char('\n'));
    for (int number = 1; number <= lines.size(); ++number) {
        const QString line = lines.at(number - 1).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1Char('['))) {
            const QRegularExpressionMatch match = header.match(line);
            if (!match.hasMatch()) fault(number, QStringLiteral("見出しの形が正しくありません。"));
            const auto guid = Guid::fromString(match.captured(1));
            if (!guid || identifiers.contains(guid->toString())) fault(number, QStringLiteral("識別子が不正か重複しています。"));
            identifiers.insert(guid->toString());
            if (pending) finish(*pending, presets);
            pending.emplace();
            pending->line = number;
            pending->preset.name = match.captured(2).trimmed();
            pending->preset.distortion.setIdentifier(*guid);
            continue;
        }
        if (!pending) fault(number, QStringLiteral("見出しの前に辺があります。"));
        const QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")));
        const int side = sideOf(words.first());
        if (side < 0 || (pending->sidesSeen & (1 << side))) fault(number, QStringLiteral("辺の名前が不正か重複しています。"));
        pending->sidesSeen |= 1 << side;
        const int count = int(words.size()) - 1;
        if (count < 2 || count > TCoonsDistortion::kMaxSidePoints) fault(number, QStringLiteral("点の数が不正です。"));
        for (int k = 0; k < count; ++k) {
            QString word = words.at(k + 1);
            const bool smoothing = word.startsWith(QLatin1Char('~'));
            if (smoothing) word.remove(0, 1);
            const QStringList xy = word.split(QLatin1Char(','));
            bool okX = false, okY = false;
            const double x = xy.value(0).toDouble(&okX), y = xy.value(1).toDouble(&okY);
            if (xy.size() != 2 || !okX || !okY || !std::isfinite(x) || !std::isfinite(y))
                fault(number, QStringLiteral("点 %1 が読めません。").arg(word));
            pending->points[std::size_t(side)].emplace_back(x, y);
            pending->flags[std::size_t(side)].push_back(smoothing ? 1 : 0);
        }
    }
    if (pending) finish(*pending, presets);
    return presets;
}

std::vector<TDistortionPreset> readDistortionPresets(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EDistortionData(QStringLiteral("%1 を開けません。").arg(fileName));
    return parseDistortionPresets(QString::fromUtf8(file.readAll()));
}

}  // namespace poremi
