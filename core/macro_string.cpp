#include "core/macro_string.h"

#include "base/format.h"

namespace poremi {
namespace {

constexpr qsizetype kMaxSuffixLength = 255;

bool isInessential(const QString& suffix) {
    return suffix.compare(QLatin1String("unessential"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("inessential"), Qt::CaseInsensitive) == 0;
}

// Takes a name off the in-progress list on every way out of an expansion.
class InProgressGuard {
public:
    InProgressGuard(QStringList& list, const QString& name) : list_(list), name_(name) { list_.append(name); }
    ~InProgressGuard() {
        for (qsizetype i = list_.size() - 1; i >= 0; --i) {
            if (list_[i].compare(name_, Qt::CaseInsensitive) == 0) {
                list_.removeAt(i);
                break;
            }
        }
    }
    InProgressGuard(const InProgressGuard&) = delete;
    InProgressGuard& operator=(const InProgressGuard&) = delete;

private:
    QStringList& list_;
    QString name_;
};

}  // namespace

QStringList TMacroString::lines() const {
    QStringList out;
    out.reserve(entries_.size());
    for (const auto& [name, value] : entries_) out << name + QLatin1Char('=') + value;
    return out;
}

void TMacroString::setLines(const QStringList& lines) {
    entries_.clear();
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            entries_.append({line, QString()});
        } else {
            entries_.append({line.left(equals), line.mid(equals + 1)});
        }
    }
}

qsizetype TMacroString::indexOf(const QString& name) const {
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].first.compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

QString TMacroString::value(const QString& name) const {
    const qsizetype i = indexOf(name);
    return i < 0 ? QString() : entries_[i].second;
}

bool TMacroString::contains(const QString& name) const { return indexOf(name) >= 0; }

void TMacroString::setValue(const QString& name, const QString& value) {
    const qsizetype i = indexOf(name);
    if (value.isEmpty()) {
        if (i >= 0) entries_.removeAt(i);
    } else if (i >= 0) {
        entries_[i].second = value;
    } else {
        entries_.append({name, value});
    }
}

QString TMacroString::strip(const QString& text) const {
    if (stripQuotes_ && text.size() > 1 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'))) {
        return text.mid(1, text.size() - 2);
    }
    return text;
}

QString TMacroString::expand(const QString& text) { return expandText(text); }

QString TMacroString::expandText(const QString& text) {
    QString result;
    int depth = 0;
    qsizetype open = -1;  // index of the "$" of the open macro
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool opens = text[i] == QLatin1Char('$') && i + 1 < text.size() && text[i + 1] == QLatin1Char('(');
        if (depth == 0) {
            if (opens) {
                depth = 1;
                open = i;
                ++i;
            } else {
                result += text[i];
            }
            continue;
        }
        if (opens) {
            ++depth;
            ++i;
        } else if (text[i] == QLatin1Char(')') && --depth == 0) {
            const QString inner = text.mid(open + 2, i - open - 2);
            if (inner.isEmpty()) {
                throw EMacroString(format(QStringLiteral("%sの%d文字目から始まるマクロが間違っています"),
                                          {text, qlonglong(open + 2)}));
            }
            result += expandMacro(inner);
        }
    }
    if (depth > 0) {
        throw EMacroString(
            format(QStringLiteral("%sの%d文字目から始まるマクロが閉じていません"), {text, qlonglong(open + 2)}));
    }
    return strip(result);
}

QString TMacroString::expandMacro(const QString& reference) {
    const QString expanded = expandText(reference);
    const qsizetype colon = expanded.indexOf(QLatin1Char(':'));
    const QString name = colon < 0 ? expanded : expanded.left(colon);
    const QString suffix = colon < 0 ? QString() : expanded.mid(colon + 1).left(kMaxSuffixLength);

    for (const QString& busy : inProgress_) {
        if (busy.compare(name, Qt::CaseInsensitive) == 0) {
            throw EMacroString(format(QStringLiteral("%s マクロが循環参照されています"), {name}));
        }
    }
    QString value;
    {
        InProgressGuard guard(inProgress_, name);
        value = this->value(name);
        if (value.isEmpty() && !isInessential(suffix)) {
            throw EMacroString(format(QStringLiteral("未定義の%sマクロが使用されています"), {name}));
        }
        value = expandText(value);
    }
    value = strip(value);

    if (suffix.isEmpty()) return value;
    if (suffix.compare(QLatin1String("Drive"), Qt::CaseInsensitive) == 0) return value.left(1);
    if (isInessential(suffix)) return value;
    // Short (8.3) path forms do not exist here; the path is its own short form.
    if (suffix.compare(QLatin1String("shortPath"), Qt::CaseInsensitive) == 0) return value;
    throw EMacroString(format(QStringLiteral("未定義のフォーマット指定(%s)が使用されています"), {suffix}));
}

}  // namespace poremi
