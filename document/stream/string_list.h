#pragma once
// A list of text lines, persisted as the custom property "Strings".

#include "document/stream/persistent.h"

#include <QtCore/QStringList>

namespace poremi {

class TStringList : public TPersistent {
    POREMI_PERSISTENT(TStringList)
public:
    const QStringList& lines() const { return lines_; }
    void setLines(const QStringList& lines) { lines_ = lines; }
    qsizetype count() const { return lines_.size(); }
    void add(const QString& line) { lines_.append(line); }
    void clear() { lines_.clear(); }

    // Every line followed by CR LF; setting splits at CR LF, CR or LF.
    QString text() const;
    void setText(const QString& text);

    // "Strings": one string value per line in a list, written only when there are lines.
    void defineProperties(TFiler& filer) override;
    void assign(const TPersistent& source) override;

private:
    QStringList lines_;
};

}  // namespace poremi
