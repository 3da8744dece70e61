#include "base/text_codec.h"

#include <QtCore/QSysInfo>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace poremi::cp932 {
namespace {

// QString's units as iconv names them on this machine.
constexpr const char* kUtf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";

// One iconv conversion direction, opened once per thread.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    enum class Stop { Done, Fault, Full };

    // Converts as much as fits and stops at a unit with no form in the target (or one cut off
    // at the end); in and out move past what was converted. A failed open converts nothing.
    Stop convert(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) {
        if (!valid()) return Stop::Fault;
        if (iconv(handle_, const_cast<char**>(&in), &inLeft, &out, &outLeft) != static_cast<size_t>(-1)) return Stop::Done;
        return errno == E2BIG ? Stop::Full : Stop::Fault;
    }

    void reset() {
        if (valid()) iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }

private:
    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t handle_;
};

Converter& encoder() {
    thread_local Converter converter("CP932", kUtf16);
    return converter;
}

Converter& decoder() {
    thread_local Converter converter(kUtf16, "CP932");
    return converter;
}

// The most bytes a stand-in for one faulty unit takes.
constexpr size_t kMaxStandIn = 2;

// Converts all of input into out (a QByteArray or QString, sized for the usual result; it grows
// when that is short) with one iconv call for the whole run and one more after each fault.
// At a fault, standIn(in, inLeft, out) writes what replaces the unit, moves out past it and
// returns the input bytes it covers.
template <typename Text, typename StandIn>
void convertAll(Converter& converter, QByteArrayView input, Text& out, StandIn&& standIn) {
    constexpr size_t kUnit = sizeof(*out.data());
    converter.reset();
    const char* in = input.data();
    size_t inLeft = size_t(input.size());
    size_t used = 0;
    while (inLeft > 0) {
        char* begin = reinterpret_cast<char*>(out.data());
        char* at = begin + used;
        size_t outLeft = size_t(out.size()) * kUnit - used;
        const Converter::Stop stop = converter.convert(in, inLeft, at, outLeft);
        used = size_t(at - begin);
        if (stop == Converter::Stop::Done) break;
        if (stop == Converter::Stop::Full || outLeft < kMaxStandIn) {
            out.resize(out.size() * 2 + qsizetype(kMaxStandIn));
            continue;
        }
        const size_t covered = standIn(in, inLeft, at);
        used = size_t(at - begin);
        in += covered;
        inLeft -= covered;
    }
    out.resize(qsizetype(used / kUnit));
}

}  // namespace

QByteArray encode(const QString& text, bool* lossless) {
    // Every UTF-16 unit takes at most two CP932 bytes.
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    bool all = true;
    const QByteArrayView units(reinterpret_cast<const char*>(text.utf16()), text.size() * qsizetype(sizeof(char16_t)));
    convertAll(encoder(), units, out, [&](const char* in, size_t inLeft, char*& at) -> size_t {
        const auto* unit = reinterpret_cast<const char16_t*>(in);
        if (unit[0] < 0x80) {  // only when iconv is missing
            *at++ = char(unit[0]);
            return sizeof(char16_t);
        }
        all = false;
        *at++ = '?';
        // A character outside the BMP is one '?', however many units it takes.
        const bool pair = QChar::isHighSurrogate(unit[0]) && inLeft >= 2 * sizeof(char16_t) && QChar::isLowSurrogate(unit[1]);
        return (pair ? 2 : 1) * sizeof(char16_t);
    });
    if (lossless) *lossless = all;
    return out;
}

QString decode(QByteArrayView bytes) {
    // Every CP932 byte or pair gives one UTF-16 unit.
    QString out(bytes.size(), Qt::Uninitialized);
    convertAll(decoder(), bytes, out, [](const char* in, size_t, char*& at) -> size_t {
        const auto c = static_cast<unsigned char>(*in);
        const char16_t unit = c < 0x80 ? char16_t(c) : char16_t(0xFFFD);  // ASCII only when iconv is missing
        std::memcpy(at, &unit, sizeof unit);
        at += sizeof unit;
        return 1;
    });
    return out;
}

bool canEncode(const QString& text) {
    bool lossless = true;
    encode(text, &lossless);
    return lossless;
}

qsizetype byteLength(const QString& text) { return encode(text).size(); }

}  // namespace poremi::cp932
