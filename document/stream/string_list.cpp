#include "document/stream/string_list.h"

#include "document/stream/class_declaration.h"
#include "document/stream/stream_error.h"
#include "document/stream/value_reader.h"
#include "document/stream/value_writer.h"

namespace poremi {

const TClassInfo& TStringList::staticClassInfo() {
    static const TClassInfo info = describeClass<TStringList, TPersistent>("TStringList");
    return info;
}

QString TStringList::text() const {
    QString text;
    for (const QString& line : lines_) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}

void TStringList::setText(const QString& text) {
    lines_.clear();
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines_.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines_.append(text.mid(start));
}

void TStringList::defineProperties(TFiler& filer) {
    filer.defineProperty(
        QStringLiteral("Strings"),
        [this](ValueReader& reader) {
            reader.readListBegin();
            QStringList lines;
            while (!reader.endOfList()) lines.append(reader.readString());
            reader.readListEnd();
            lines_ = std::move(lines);
        },
        [this](ValueWriter& writer) {
            writer.writeListBegin();
            for (const QString& line : lines_) writer.writeString(line);
            writer.writeListEnd();
        },
        !lines_.isEmpty());
}

void TStringList::assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TStringList*>(&source);
    if (!other) stream_error::invalidCast();
    lines_ = other->lines_;
}

}  // namespace poremi
