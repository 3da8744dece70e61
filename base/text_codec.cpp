#include "base/text_codec.h"

#include <cerrno>
#include <iconv.h>

namespace poremi::cp932 {
namespace {

// One iconv conversion direction, opened once per thread.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts one unit of input; false when the unit has no form in the target.
    bool convert(const char* in, size_t inLength, QByteArray& out) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* inPtr = const_cast<char*>(in);
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t inLeft = inLength;
        if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        return true;
    }

private:
    iconv_t handle_;
};

Converter& encoder() {
    thread_local Converter converter("CP932", "UTF-32LE");
    return converter;
}

Converter& decoder() {
    thread_local Converter converter("UTF-32LE", "CP932");
    return converter;
}

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

QByteArray encode(const QString& text, bool* lossless) {
    QByteArray out;
    out.reserve(text.size() * 2);
    bool all = true;
    Converter& conv = encoder();
    for (char32_t cp : text.toUcs4()) {
        if (cp < 0x80) {
            out.append(static_cast<char>(cp));
            continue;
        }
        const char bytes[4] = {char(cp & 0xFF), char((cp >> 8) & 0xFF), char((cp >> 16) & 0xFF), char(cp >> 24)};
        if (!conv.valid() || !conv.convert(bytes, 4, out)) {
            out.append('?');
            all = false;
        }
    }
    if (lossless) *lossless = all;
    return out;
}

QString decode(QByteArrayView bytes) {
    QString out;
    out.reserve(bytes.size());
    Converter& conv = decoder();
    QByteArray unit;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out.append(QChar(c));
            ++i;
            continue;
        }
        const qsizetype length = (isLeadByte(c) && i + 1 < bytes.size()) ? 2 : 1;
        unit.clear();
        if (conv.valid() && conv.convert(bytes.data() + i, size_t(length), unit) && unit.size() == 4) {
            const char32_t cp = char32_t(uchar(unit[0])) | char32_t(uchar(unit[1])) << 8 |
                                char32_t(uchar(unit[2])) << 16 | char32_t(uchar(unit[3])) << 24;
            out.append(QString::fromUcs4(&cp, 1));
            i += length;
        } else {
            out.append(QChar(0xFFFD));
            i += 1;
        }
    }
    return out;
}

bool canEncode(const QString& text) {
    bool lossless = true;
    encode(text, &lossless);
    return lossless;
}

qsizetype byteLength(const QString& text) { return encode(text).size(); }

}  // namespace poremi::cp932
