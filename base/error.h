#pragma once
// The error that carries a message for the user, in the system's words. Subsystems derive
// their own kinds (EMacroString, …) so callers can tell them apart.

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <exception>

namespace poremi {

class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

}  // namespace poremi
