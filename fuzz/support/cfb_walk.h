#pragma once
// Opens bytes as a compound file and walks, reads and copies all of it. Broken input must end
// in a CompoundFileError, never in a crash, a hang or a huge allocation.

#include "platform/cfb/storage.h"

#include <vector>

namespace poremi::cfb {

// Returns the number of bytes read from streams; throws CompoundFileError for broken input.
inline std::uint64_t walkCompoundFile(const QByteArray& bytes) {
    auto root = Storage::openMemory(bytes);
    std::uint64_t total = 0;
    std::vector<std::shared_ptr<Storage>> pending{root};
    while (!pending.empty()) {
        std::shared_ptr<Storage> storage = pending.back();
        pending.pop_back();
        for (const ElementInfo& element : storage->elements()) {
            if (element.type == ElementType::Storage) {
                pending.push_back(storage->openStorage(element.name, kReadExclusive));
            } else {
                total += std::uint64_t(storage->openStream(element.name, kReadExclusive)->readAll().size());
            }
        }
    }
    // Whatever could be read can be written out again and read back.
    auto copy = Storage::createMemory();
    root->copyTo(*copy);
    copy->commit();
    Storage::openMemory(copy->bytes())->elements();
    return total;
}

}  // namespace poremi::cfb
