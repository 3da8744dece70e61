#pragma once
// A working paper database that no longer reads as a whole: telling it apart, and bringing back
// what its file still holds of the user's own papers.

#include "paper/database/papers.h"

namespace poremi {

// True when every paper and every maker record of the database reads, and no paper has two
// maker records.
bool readsCompletely(const TPapersV2& database);

// Merges into destination the user papers, with their extra records, of every paper stream of
// the damaged file that still reads; the file itself is only read. Returns how many there were.
int rescueUserPapers(const QString& damagedFile, TPapersV2& destination);

// The number of user papers (ReadOnly False) in the database.
int userPaperCount(const TPapersV2& database);

}  // namespace poremi
