#pragma once
// Opens untrusted bytes as the user's working paper database through the start-up path, beside
// a sound shipped database, and uses everything the start gives. The start must succeed: a
// database that does not read is rebuilt from the shipped one. Shared by the fuzz target and
// the corpus test.

#include <QtCore/QByteArray>

namespace poremi::test {

// The number of papers of the database the start gave; anything thrown is a fault.
int openUntrustedPaperDatabase(const QByteArray& bytes);

}  // namespace poremi::test
