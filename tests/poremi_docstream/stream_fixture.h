#pragma once
// Hand-written stream bytes: hex pairs, 'quoted ASCII', and # comments to the end of a line.

#include "base/error.h"
#include "document/stream/component.h"

#include <QtCore/QByteArray>
#include <memory>

namespace poremi::test {

QByteArray fixture(const char* text);

// Writes the component as a bare stream / reads a bare stream (through a QBuffer).
QByteArray streamOf(const TComponent& component);
std::unique_ptr<TComponent> readStream(const QByteArray& bytes);
void readStreamInto(const QByteArray& bytes, TComponent& root);

// The message of the poremi::Exception that action throws, or "(no error)".
template <class Action>
QString errorOf(Action action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace poremi::test
