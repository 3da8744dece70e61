#pragma once
// The text form of a component stream, for people who look inside files:
//   object LabelData: TLDObjects
//     Left = 120
//     Items = <
//       item
//         ID = 'CD'
//       end>
//   end
// Decoding is structural: no class needs to be registered.

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace poremi {

// Accepts a component resource (first byte 0xFF) or a bare stream ("TPF0"). A stream that
// cannot be decoded throws poremi::Exception with the reader's message.
QString dumpComponentStream(const QByteArray& bytes);

}  // namespace poremi
