#pragma once
// Feeds untrusted bytes to the component stream reader with the persisted classes of every
// library registered: papers, purposes and product records as roots and children, and fills,
// text, fonts and pictures as sub-objects of a host component. Only poremi::Exception may come
// out. Shared by the fuzz target and the seed corpus test.

#include <QtCore/QByteArray>
#include <memory>
#include <vector>

namespace poremi {
class TComponent;
}

namespace poremi::test {

void readUntrustedStreamOfRealClasses(const QByteArray& bytes);

// Real objects and their streams (bare or as a resource), the seeds of the fuzz corpus.
struct RealClassSeed {
    const char* name;
    std::shared_ptr<TComponent> object;
    QByteArray bytes;
};
std::vector<RealClassSeed> realClassSeeds();

}  // namespace poremi::test
