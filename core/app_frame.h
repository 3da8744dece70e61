#pragma once
// The application frame: owns the macro table, fills in the built-in macros, checks the
// start-up conditions, shows every message box, keeps window positions and gives typed access
// to the settings key. Exactly one frame exists while the application runs.

#include "base/user_interface.h"
#include "core/macro_string.h"

#include <QtCore/QObject>
#include <QtCore/QRect>
#include <QtCore/QVariant>
#include <QtCore/QVersionNumber>
#include <functional>
#include <memory>
#include <optional>

namespace poremi {

class SingleInstanceLock;

enum class ExecuteCondition { ecNeedHighColor = 1, ecNeedPrinter = 2, ecExclusive = 4, ecPowerUsers = 8 };
Q_DECLARE_FLAGS(ExecuteConditions, ExecuteCondition)

// What the built-in macros are made from; defaults describe the running executable.
struct FrameEnvironment {
    QString executablePath;    // native path of the executable
    QString appDataFolder;     // native path of the per-user data folder
    QVersionNumber version;    // major.minor.release.build

    static FrameEnvironment current();
};

class TAppFrame : public QObject {
    Q_OBJECT
public:
    explicit TAppFrame(QObject* parent = nullptr);
    ~TAppFrame() override;

    // The frame of the application, or nullptr.
    static TAppFrame* instance();

    TMacroString& macro() { return macro_; }
    // Copies the lines of another table.
    void setMacro(const TMacroString& table) { macro_.setLines(table.lines()); }

    ExecuteConditions executeCondition() const { return executeCondition_; }
    void setExecuteCondition(ExecuteConditions conditions) { executeCondition_ = conditions; }

    // Sets the built-in macros over the table (call after the table is set).
    void load(const FrameEnvironment& environment = FrameEnvironment::current());

    QString expandMacros(const QString& text) { return macro_.expand(text); }
    QString expandMacro(const QString& reference) { return macro_.expandMacro(reference); }

    // Settings under "$(SysRegistryKey)"; reads give the default when the key or value is missing.
    bool readSettingBool(const QString& name, bool defaultValue);
    int readSettingInt(const QString& name, int defaultValue);
    QString readSettingString(const QString& name, const QString& defaultValue);
    void writeSettingBool(const QString& name, bool value);
    void writeSettingInt(const QString& name, int value);
    void writeSettingString(const QString& name, const QString& value);
    // The expanded settings key; empty when SysRegistryKey is empty or cannot be expanded.
    QString settingsKey();

    // Window rectangles by the form's name (the widget side is app/frame/form_position.h).
    void saveFormRect(const QString& formName, const QRect& normalRect);
    // The stored rectangle; what is missing defaults to the default size centred on the screen.
    QRect restoredFormRect(const QString& formName, int defaultWidth, int defaultHeight);

    // Expands the text and asks the user; returns the modal result.
    int messageBox(const QString& text, const QList<MessageButton>& buttons, int defaultIndex, int cancelIndex);
    void showMessageBox(const QString& text);
    bool confirmBox(const QString& text);

    // Shows an error that reached the top level (OnException when assigned).
    void handleException(const std::exception& error);

    // The start-up conditions in order; false ends start-up. Whether a default printer exists
    // is asked of the probe (printing support lies above this library); without one the
    // answer is no printer. A missing printer is only noted, never asked about.
    bool checkExecuteConditions();
    void setDefaultPrinterProbe(std::function<bool()> probe) { defaultPrinterProbe_ = std::move(probe); }
    // Whether the last check found no default printer.
    bool defaultPrinterMissing() const { return defaultPrinterMissing_; }

    // Finds relativePath ("\"-separated, may end in a "*"/"?" pattern) in the executable's folder
    // or on the installation media. When nothing is found and displayName is not null, the user
    // is asked to insert the media and the search repeats; empty when the user cancels.
    QString locateDataFolder(const QString& relativePath, const QString& displayName);
    QString lastDataRoot() const { return lastRoot_; }

    // Events.
    std::function<int(const QString& text, const QList<MessageButton>& buttons, int defaultIndex, int cancelIndex)> OnMessageBox;
    std::function<void(const std::exception& error)> OnException;
    std::function<int(const QString& displayName)> OnCDNotFound;

private:
    QString tryDataRoot(const QString& root, const QString& relativePath) const;
    QString matchInRoot(const QString& root, const QString& relativePath) const;
    QString searchDataFolder(const QString& relativePath);
    std::optional<QVariant> readSetting(const QString& name);
    void writeSetting(const QString& name, const QVariant& value);

    TMacroString macro_;
    ExecuteConditions executeCondition_;
    QString lastRoot_;
    std::unique_ptr<SingleInstanceLock> instanceLock_;
    std::function<bool()> defaultPrinterProbe_;
    bool defaultPrinterMissing_ = false;
};

// Expands with the frame's table, or returns text unchanged while there is no frame.
QString ExpandMacros(const QString& text);

}  // namespace poremi

Q_DECLARE_OPERATORS_FOR_FLAGS(poremi::ExecuteConditions)
