#include "app/cli/commands.h"
#include "base/error.h"
#include "base/native_path.h"
#include "base/text_codec.h"
#include "document/container/doc_storage.h"
#include "document/container/doc_stream.h"
#include "document/container/storage_mode.h"
#include "document/container/zlib_stream.h"
#include "document/stream/stream_dump.h"
#include "platform/cfb/storage.h"

#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QTextStream>
#include <QtCore/QtEndian>
#include <vector>

namespace poremi {
namespace {

// Depth first in directory order, without recursion: a hostile file may nest deeply.
void printTree(QTextStream& out, std::shared_ptr<cfb::Storage> root) {
    struct Frame {
        std::shared_ptr<cfb::Storage> storage;
        QList<cfb::ElementInfo> elements;
        qsizetype next = 0;
    };
    std::vector<Frame> frames;
    frames.push_back({root, root->elements()});
    while (!frames.empty()) {
        Frame& top = frames.back();
        if (top.next == top.elements.size()) {
            frames.pop_back();
            continue;
        }
        const cfb::ElementInfo element = top.elements[top.next++];
        const QString indent(2 * qsizetype(frames.size() - 1), u' ');
        if (element.type == cfb::ElementType::Storage) {
            out << indent << element.name << "\\\n";
            auto sub = top.storage->openStorage(element.name, cfb::kReadExclusive);
            frames.push_back({sub, sub->elements()});
        } else {
            out << indent << element.name << "  " << element.size << "\n";
        }
    }
}

QString hexDump(const QByteArray& bytes) {
    QString text;
    for (qsizetype row = 0; row < bytes.size(); row += 16) {
        QString hex, ascii;
        for (qsizetype i = row; i < row + 16; ++i) {
            if (i < bytes.size()) {
                const auto b = quint8(bytes[i]);
                hex += QStringLiteral("%1 ").arg(b, 2, 16, QLatin1Char('0'));
                ascii += b >= 0x20 && b < 0x7F ? QChar(b) : QChar(u'.');
            } else {
                hex += QStringLiteral("   ");
            }
        }
        text += QStringLiteral("%1  %2 %3\n").arg(row, 8, 16, QLatin1Char('0')).arg(hex, ascii);
    }
    return text;
}

bool looksLikeComponentStream(const QByteArray& bytes) { return bytes.startsWith('\xFF') || bytes.startsWith("TPF0"); }

// A counter and then lines of text, each ended by CR LF.
std::optional<QString> nameListText(const QByteArray& bytes) {
    if (bytes.size() < 4) return std::nullopt;
    const qint32 counter = qFromLittleEndian<qint32>(bytes.constData());
    const QByteArray rest = bytes.mid(4);
    if (counter < 0 || (!rest.isEmpty() && !rest.endsWith("\r\n"))) return std::nullopt;
    QStringList lines = cp932::decode(rest).split(QStringLiteral("\r\n"));
    lines.removeLast();
    static const QRegularExpression control(QStringLiteral("[\\x00-\\x1F\\x7F]"));
    for (const QString& line : lines) {
        if (line.isEmpty() || line.contains(control)) return std::nullopt;
    }
    QString text = QStringLiteral("Counter = %1\n").arg(counter);
    for (const QString& line : lines) text += line + u'\n';
    return text;
}

// Prints the stream's content in the most telling form; returns the exit code.
int printContent(QTextStream& out, QByteArray bytes, bool mayBeNameList) {
    if (IsCompressedBytes(bytes)) bytes = DecompressBytes(bytes);
    if (looksLikeComponentStream(bytes)) {
        try {
            out << dumpComponentStream(bytes);
            return 0;
        } catch (const Exception& error) {
            out << hexDump(bytes);
            out.flush();
            QTextStream(stderr) << error.message() << "\n";
            return 1;
        }
    }
    if (mayBeNameList) {
        if (const auto text = nameListText(bytes)) {
            out << *text;
            return 0;
        }
    }
    out << hexDump(bytes);
    return 0;
}

QByteArray readFile(const QString& nativePath) {
    QFile file(nativePath);
    if (!file.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("「%1」を開けません").arg(nativePath));
    return file.readAll();
}

}  // namespace

int runDumpCommand(const QStringList& arguments) {
    if (arguments.isEmpty() || arguments.size() > 2) {
        QTextStream(stderr) << "poremi --dump FILE [PATH]\n";
        return 2;
    }
    const QString file = arguments[0];
    QTextStream out(stdout);
    if (!cfb::Storage::isCompoundFile(file)) return printContent(out, readFile(file), false);

    if (arguments.size() == 1) {
        printTree(out, cfb::Storage::openFile(file, {cfb::Access::Read, cfb::Share::DenyWrite}));
        return 0;
    }
    TFileStorage root(fromNativePath(file), fmOpenRead | fmShareDenyWrite);
    QString path = arguments[1];
    path.replace(u'/', u'\\');
    TDocStream stream(root, fmOpenRead | fmShareExclusive, path);
    return printContent(out, stream.ReadRest(), true);
}

}  // namespace poremi
