#pragma once
// Hand-written stream bytes: hex pairs, 'quoted ASCII', and # comments to the end of a line.

#include "base/error.h"
#include "document/stream/component.h"
#include "document/stream/stream_error.h"

#include <QtCore/QByteArray>
#include <memory>
#include <optional>
#include <ostream>

namespace poremi::test {

QByteArray fixture(const char* text);

// Writes the component as a bare stream / reads a bare stream (through a QBuffer).
QByteArray streamOf(const TComponent& component);
std::unique_ptr<TComponent> readStream(const QByteArray& bytes);
void readStreamInto(const QByteArray& bytes, TComponent& root);

// How an action failed: the fault of the stream error it raised (none for other errors and
// for success) and the message ("(no error)" for success). The messages of stream errors are
// the user's words, so tests check both.
struct Failure {
    std::optional<StreamFault> fault;
    QString message;
    bool operator==(const Failure&) const = default;
};
void PrintTo(const Failure& failure, std::ostream* out);

template <class Action>
Failure failureOf(Action action) {
    try {
        action();
    } catch (const EFilerError& e) {
        return {e.fault(), e.message()};
    } catch (const Exception& e) {
        return {std::nullopt, e.message()};
    }
    return {std::nullopt, QStringLiteral("(no error)")};
}

inline Failure failure(StreamFault fault, const char* message) { return {fault, QString::fromUtf8(message)}; }
inline Failure noFailure() { return {std::nullopt, QStringLiteral("(no error)")}; }

}  // namespace poremi::test
