#include "core/app_frame.h"

#include "base/format.h"
#include "base/native_path.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "platform/system_facts.h"
#include "poremi_version.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

namespace poremi {
namespace {

TAppFrame* globalFrame = nullptr;

QString withTrailingSeparator(const QString& systemPath) {
    return systemPath.endsWith(QLatin1Char('\\')) ? systemPath : systemPath + QLatin1Char('\\');
}

QString joinNative(const QString& folder, const QString& systemRelative) {
    return QDir::cleanPath(folder + QLatin1Char('/') + toNativePath(systemRelative));
}

QRect primaryScreenRect() {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

FrameEnvironment FrameEnvironment::current() {
    FrameEnvironment env;
    env.executablePath = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    env.appDataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    env.version = QVersionNumber({POREMI_VERSION_MAJOR, POREMI_VERSION_MINOR, POREMI_VERSION_PATCH, POREMI_VERSION_TWEAK});
    return env;
}

TAppFrame::TAppFrame(QObject* parent) : QObject(parent) {
    macro_.setValue(QStringLiteral("AppName"), QStringLiteral("Project"));
    globalFrame = this;
}

TAppFrame::~TAppFrame() {
    if (globalFrame == this) globalFrame = nullptr;
}

TAppFrame* TAppFrame::instance() { return globalFrame; }

QString ExpandMacros(const QString& text) {
    TAppFrame* frame = TAppFrame::instance();
    return frame ? frame->expandMacros(text) : text;
}

void TAppFrame::load(const FrameEnvironment& env) {
    const QFileInfo exe(env.executablePath);
    if (macro_.value(QStringLiteral("SysKeyFile")).isEmpty()) macro_.setValue(QStringLiteral("SysKeyFile"), exe.fileName());
    if (macro_.value(QStringLiteral("SysApplicationFolder")).isEmpty())
        macro_.setValue(QStringLiteral("SysApplicationFolder"), exe.completeBaseName());
    macro_.setValue(QStringLiteral("CRLF"), QStringLiteral("\r\n"));
    macro_.setValue(QStringLiteral("Quote"), QStringLiteral("\""));
    macro_.setValue(QStringLiteral("ExeDir"), withTrailingSeparator(fromNativePath(exe.absolutePath())));
    const QString withoutExt = exe.absolutePath() + QLatin1Char('/') + exe.completeBaseName();
    macro_.setValue(QStringLiteral("ExeNameNoExt"), fromNativePath(withoutExt));
    macro_.setValue(QStringLiteral("AppDataDir"), withTrailingSeparator(fromNativePath(env.appDataFolder)));
    const auto part = [&](int i) { return i < env.version.segmentCount() ? env.version.segmentAt(i) : 0; };
    const bool hasVersion = env.version.segmentCount() > 0;
    const QString shortVer = hasVersion ? format(QStringLiteral("%d.%d"), {part(0), part(1)}) : QStringLiteral("1.0");
    macro_.setValue(QStringLiteral("ShortVer"), shortVer);
    macro_.setValue(QStringLiteral("LongVer"),
                    hasVersion ? shortVer + format(QStringLiteral(".%d.%d"), {part(2), part(3)}) : QStringLiteral("1.0.0.0"));
}

// ---- settings --------------------------------------------------------------------------

QString TAppFrame::settingsKey() {
    if (macro_.value(QStringLiteral("SysRegistryKey")).isEmpty()) return QString();
    try {
        return macro_.expand(QStringLiteral("$(SysRegistryKey)"));
    } catch (const EMacroString&) {
        return QString();
    }
}

std::optional<QVariant> TAppFrame::readSetting(const QString& name) {
    const QString key = settingsKey();
    if (key.isEmpty()) return std::nullopt;
    return SettingsStore::instance().value(key, name);
}

void TAppFrame::writeSetting(const QString& name, const QVariant& value) {
    const QString key = settingsKey();
    if (key.isEmpty()) return;
    SettingsStore::instance().setValue(key, name, value);
}

bool TAppFrame::readSettingBool(const QString& name, bool defaultValue) {
    const auto value = readSetting(name);
    if (!value) return defaultValue;
    const QString text = value->toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) return true;
    if (text == QLatin1String("false") || text == QLatin1String("0")) return false;
    return defaultValue;
}

int TAppFrame::readSettingInt(const QString& name, int defaultValue) {
    const auto value = readSetting(name);
    if (!value) return defaultValue;
    bool ok = false;
    const int number = value->toInt(&ok);
    return ok ? number : defaultValue;
}

QString TAppFrame::readSettingString(const QString& name, const QString& defaultValue) {
    const auto value = readSetting(name);
    return value ? value->toString() : defaultValue;
}

void TAppFrame::writeSettingBool(const QString& name, bool value) { writeSetting(name, value); }
void TAppFrame::writeSettingInt(const QString& name, int value) { writeSetting(name, value); }
void TAppFrame::writeSettingString(const QString& name, const QString& value) { writeSetting(name, value); }

// ---- window positions ------------------------------------------------------------------

void TAppFrame::saveFormRect(const QString& formName, const QRect& r) {
    writeSettingInt(formName + QStringLiteral("Left"), r.left());
    writeSettingInt(formName + QStringLiteral("Top"), r.top());
    writeSettingInt(formName + QStringLiteral("Width"), r.width());
    writeSettingInt(formName + QStringLiteral("Height"), r.height());
}

QRect TAppFrame::restoredFormRect(const QString& formName, int defaultWidth, int defaultHeight) {
    const QRect screen = primaryScreenRect();
    const int w0 = std::min(screen.width(), defaultWidth);
    const int h0 = std::min(screen.height(), defaultHeight);
    const int width = readSettingInt(formName + QStringLiteral("Width"), w0);
    const int height = readSettingInt(formName + QStringLiteral("Height"), h0);
    const int left = readSettingInt(formName + QStringLiteral("Left"), screen.left() + (screen.width() - w0) / 2);
    const int top = readSettingInt(formName + QStringLiteral("Top"), screen.top() + (screen.height() - h0) / 2);
    return QRect(left, top, width, height);
}

// ---- messages --------------------------------------------------------------------------

int TAppFrame::messageBox(const QString& text, const QList<MessageButton>& buttons, int defaultIndex, int cancelIndex) {
    QString expanded = text;
    try {
        expanded = macro_.expand(text);
    } catch (const EMacroString&) {
        // A message that cannot be expanded is still worth showing as it is.
    }
    if (OnMessageBox) return OnMessageBox(expanded, buttons, defaultIndex, cancelIndex);
    QString caption = macro_.value(QStringLiteral("AppName"));
    return userInterface().messageBox(caption, expanded, buttons, defaultIndex, cancelIndex);
}

void TAppFrame::showMessageBox(const QString& text) { messageBox(text, {MessageButton::Ok}, 0, 0); }

bool TAppFrame::confirmBox(const QString& text) {
    return messageBox(text, {MessageButton::Ok, MessageButton::Cancel}, 0, 1) == mrOk;
}

void TAppFrame::handleException(const std::exception& error) {
    if (OnException) {
        OnException(error);
        return;
    }
    const auto* own = dynamic_cast<const Exception*>(&error);
    const QString message = own ? own->message() : QString::fromUtf8(error.what());
    QString pattern;
    try {
        pattern = macro_.expand(QStringLiteral("$(SysMsgUnexpected)"));
    } catch (const EMacroString&) {
        pattern = QStringLiteral("%s");
    }
    // The message is formatted in, not expanded: it may contain "$(" of its own.
    const QString text = format(pattern, {message});
    QString caption = macro_.value(QStringLiteral("AppName"));
    if (OnMessageBox) {
        OnMessageBox(text, {MessageButton::Ok}, 0, 0);
    } else {
        userInterface().messageBox(caption, text, {MessageButton::Ok}, 0, 0);
    }
}

// ---- start-up conditions ---------------------------------------------------------------

bool TAppFrame::checkExecuteConditions() {
    if (executeCondition_.testFlag(ExecuteCondition::ecNeedHighColor)) {
        const int depth = primaryScreenDepth();
        if (depth > 0 && depth < 9 &&
            messageBox(QStringLiteral("$(SysMsgNotEnoughColor)"), {MessageButton::Yes, MessageButton::No}, 0, 1) != mrYes) {
            return false;
        }
    }
    if (executeCondition_.testFlag(ExecuteCondition::ecPowerUsers)) {
        if (!canWriteFolder(toNativePath(macro_.expand(QStringLiteral("$(AppDataDir)"))))) {
            showMessageBox(QStringLiteral("$(SysMsgNotPowerUsers)"));
            return false;
        }
    }
    if (executeCondition_.testFlag(ExecuteCondition::ecNeedPrinter)) {
        // PDF output always works here: a missing printer neither asks nor ends start-up; the
        // window tells it where printing is offered.
        defaultPrinterMissing_ = !defaultPrinterProbe_ || !defaultPrinterProbe_();
    }
    if (executeCondition_.testFlag(ExecuteCondition::ecExclusive)) {
        auto lock = std::make_unique<SingleInstanceLock>(macro_.expand(QStringLiteral("$(SysMutexID)")));
        if (!lock->tryAcquire()) {
            showMessageBox(QStringLiteral("$(SysMsgAlreadyRun)"));
            return false;
        }
        instanceLock_ = std::move(lock);
    }
    return true;
}

// ---- data folders ----------------------------------------------------------------------

QString TAppFrame::matchInRoot(const QString& root, const QString& relativePath) const {
    const QString nativeRoot = toNativePath(root);
    const QString candidate = joinNative(nativeRoot, relativePath);
    const QFileInfo info(candidate);
    if (info.fileName().contains(QLatin1Char('*')) || info.fileName().contains(QLatin1Char('?'))) {
        const QDir folder = info.dir();
        const QStringList matches = folder.entryList({info.fileName()}, QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
        return matches.isEmpty() ? QString() : fromNativePath(folder.filePath(matches.first()));
    }
    return info.exists() ? fromNativePath(candidate) : QString();
}

QString TAppFrame::tryDataRoot(const QString& root, const QString& relativePath) const {
    if (root.isEmpty()) return QString();
    const QString keyFile = macro_.value(QStringLiteral("SysKeyFile"));
    const auto hasKey = [&](const QString& r) { return QFileInfo::exists(joinNative(toNativePath(r), keyFile)); };
    if (!hasKey(root)) return QString();
    const QString found = matchInRoot(root, relativePath);
    if (!found.isEmpty()) return found;
    const QDir rootDir(toNativePath(root));
    if (rootDir.dirName().startsWith(QLatin1String("disk"), Qt::CaseInsensitive)) {
        QDir parent = rootDir;
        if (parent.cdUp()) {
            for (int i = 1; i <= 9; ++i) {
                const QString sibling = fromNativePath(parent.filePath(format(QStringLiteral("disk%d"), {i})));
                if (!hasKey(sibling)) continue;
                const QString inSibling = matchInRoot(sibling, relativePath);
                if (!inSibling.isEmpty()) return inSibling;
            }
        }
    }
    return QString();
}

QString TAppFrame::searchDataFolder(const QString& relativePath) {
    const QString exeDir = macro_.value(QStringLiteral("ExeDir"));
    if (QString found = matchInRoot(exeDir, relativePath); !found.isEmpty()) return found;
    for (const QString& root : {readSettingString(QStringLiteral("CDPath"), QString()), lastRoot_}) {
        if (QString found = tryDataRoot(root, relativePath); !found.isEmpty()) return found;
    }
    // Mounted volumes stand in for drive letters, optical media first.
    const QStringList volumes = mountedVolumeRoots();
    const QString appFolder = macro_.value(QStringLiteral("SysApplicationFolder"));
    QStringList roots;
    for (const QString& v : volumes) roots << fromNativePath(v);
    if (!appFolder.isEmpty()) {
        for (const QString& v : volumes) roots << fromNativePath(joinNative(v, appFolder));
    }
    for (const QString& root : roots) {
        if (QString found = tryDataRoot(root, relativePath); !found.isEmpty()) {
            lastRoot_ = root;
            return found;
        }
    }
    return QString();
}

QString TAppFrame::locateDataFolder(const QString& relativePath, const QString& displayName) {
    for (;;) {
        const QString found = searchDataFolder(relativePath);
        if (!found.isEmpty() || displayName.isNull()) return found;
        QString shown = displayName;
        if (shown == QLatin1String("@")) shown = QStringLiteral("必要なファイル");
        if (shown.isEmpty()) shown = relativePath;
        int answer;
        if (OnCDNotFound) {
            answer = OnCDNotFound(shown);
        } else {
            const QString text = format(macro_.expand(QStringLiteral("$(SysMsgCDNotFound)")), {shown});
            answer = messageBox(text, {MessageButton::Yes, MessageButton::Cancel}, 1, 1);
        }
        if (answer == mrCancel) return QString();
    }
}

}  // namespace poremi
