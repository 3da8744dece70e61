#pragma once
// The macro table: lines "Name=Value", names compared case-insensitively, and the expansion of
// "$(Name)" and "$(Name:suffix)" references inside texts.

#include "base/error.h"

#include <QtCore/QStringList>

namespace poremi {

class EMacroString : public Exception {
public:
    using Exception::Exception;
};

class TMacroString {
public:
    // The table as "Name=Value" lines, in order.
    QStringList lines() const;
    void setLines(const QStringList& lines);

    // Empty when the name is not in the table.
    QString value(const QString& name) const;
    // Sets or adds a value; an empty value removes the name.
    void setValue(const QString& name, const QString& value);
    bool contains(const QString& name) const;

    // After every expansion, a result longer than one character that starts and ends with a
    // double quote loses those two quotes.
    bool stripQuotes() const { return stripQuotes_; }
    void setStripQuotes(bool on) { stripQuotes_ = on; }

    // Expands every macro reference in text. Throws EMacroString.
    QString expand(const QString& text);
    // Expands one reference: the text between the parentheses, suffix included.
    QString expandMacro(const QString& reference);

    // Names being expanded at the moment (empty between expansions).
    const QStringList& inProgress() const { return inProgress_; }

private:
    QString expandText(const QString& text);
    qsizetype indexOf(const QString& name) const;
    QString strip(const QString& text) const;

    QList<std::pair<QString, QString>> entries_;
    QStringList inProgress_;
    bool stripQuotes_ = true;
};

}  // namespace poremi
