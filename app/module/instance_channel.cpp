#include "app/module/instance_channel.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QDir>
#include <QtCore/QSocketNotifier>
#include <QtCore/QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace poremi {
namespace {

constexpr int kTimeoutSeconds = 5;
constexpr qsizetype kLongestMessage = 64 * 1024;
const QByteArray kReceived = QByteArrayLiteral("ok\n");

QString socketPath(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return folder + QStringLiteral("/poremi-") + QString::fromLatin1(digest) + QStringLiteral(".sock");
}

bool fillAddress(const QString& path, sockaddr_un& address) {
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (bytes.size() >= qsizetype(sizeof address.sun_path)) return false;
    std::memcpy(address.sun_path, bytes.constData(), std::size_t(bytes.size()));
    return true;
}

void setTimeouts(int fd) {
    timeval limit{kTimeoutSeconds, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + done, std::size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

// Reads until the peer stops sending or the limit is passed; empty on failure.
QByteArray readAll(int fd, qsizetype limit) {
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return QByteArray();
        if (n == 0) return bytes;
        bytes.append(buffer, n);
        if (bytes.size() > limit) return QByteArray();
    }
}

}  // namespace

InstanceChannel::InstanceChannel(const QString& name, QObject* parent) : QObject(parent), path_(socketPath(name)) {}

InstanceChannel::~InstanceChannel() {
    if (socket_ < 0) return;
    ::close(socket_);
    ::unlink(QFile::encodeName(path_).constData());
}

bool InstanceChannel::listen() {
    sockaddr_un address;
    if (socket_ >= 0 || !fillAddress(path_, address)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return false;
    }
    socket_ = fd;
    notifier_ = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &InstanceChannel::acceptOne);
    return true;
}

void InstanceChannel::acceptOne() {
    const int peer = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
    if (peer < 0) return;
    setTimeouts(peer);
    const QByteArray message = readAll(peer, kLongestMessage);
    const bool whole = message.endsWith('\n');
    if (whole) writeAll(peer, kReceived);
    ::close(peer);
    if (whole) emit fileReceived(QString::fromUtf8(message.chopped(1)));
}

bool InstanceChannel::send(const QString& name, const QString& fileName) {
    sockaddr_un address;
    if (!fillAddress(socketPath(name), address)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    setTimeouts(fd);
    bool taken = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                 writeAll(fd, fileName.toUtf8() + '\n') && ::shutdown(fd, SHUT_WR) == 0;
    taken = taken && readAll(fd, kReceived.size()) == kReceived;
    ::close(fd);
    return taken;
}

}  // namespace poremi
