#include "base/guid.h"

#include <QtCore/QRegularExpression>

namespace poremi {

QByteArray Guid::toBytes() const {
    QByteArray out(kByteSize, '\0');
    auto* p = reinterpret_cast<unsigned char*>(out.data());
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(data1 >> (8 * i));
    for (int i = 0; i < 2; ++i) p[4 + i] = static_cast<unsigned char>(data2 >> (8 * i));
    for (int i = 0; i < 2; ++i) p[6 + i] = static_cast<unsigned char>(data3 >> (8 * i));
    for (int i = 0; i < 8; ++i) p[8 + i] = data4[size_t(i)];
    return out;
}

std::optional<Guid> Guid::fromBytes(const QByteArray& bytes) {
    if (bytes.size() != kByteSize) return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    Guid g;
    for (int i = 0; i < 4; ++i) g.data1 |= std::uint32_t(p[i]) << (8 * i);
    g.data2 = std::uint16_t(p[4] | p[5] << 8);
    g.data3 = std::uint16_t(p[6] | p[7] << 8);
    for (int i = 0; i < 8; ++i) g.data4[size_t(i)] = p[8 + i];
    return g;
}

QString Guid::toString() const {
    QString s = QStringLiteral("{%1-%2-%3-").arg(data1, 8, 16, QLatin1Char('0')).arg(data2, 4, 16, QLatin1Char('0')).arg(data3, 4, 16, QLatin1Char('0'));
    for (int i = 0; i < 8; ++i) {
        if (i == 2) s += QLatin1Char('-');
        s += QStringLiteral("%1").arg(data4[size_t(i)], 2, 16, QLatin1Char('0'));
    }
    s += QLatin1Char('}');
    return s.toUpper();
}

std::optional<Guid> Guid::fromString(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        "^\\{?([0-9A-Fa-f]{8})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{12})\\}?$"));
    const auto m = pattern.match(text.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    Guid g;
    g.data1 = m.captured(1).toUInt(nullptr, 16);
    g.data2 = std::uint16_t(m.captured(2).toUInt(nullptr, 16));
    g.data3 = std::uint16_t(m.captured(3).toUInt(nullptr, 16));
    const QString rest = m.captured(4) + m.captured(5);
    for (int i = 0; i < 8; ++i) g.data4[size_t(i)] = std::uint8_t(rest.mid(2 * i, 2).toUInt(nullptr, 16));
    return g;
}

}  // namespace poremi
