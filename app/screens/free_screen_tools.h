#pragma once
// The drawing tools of the free-design screen: one command each, which asks the designer
// registry to create the tool's object on the site. Tools whose object the program cannot make
// yet stay visible and disabled. The background tool edits the label's background when it has
// one.

#include <QtCore/QObject>
#include <QtCore/QString>
#include <functional>
#include <vector>

class QAction;

namespace poremi {

class DrawSite;
class TDrawSite;
class TLOBackImage;

struct FreeScreenTool {
    QString command;        // "actText", …
    QString menuCaption;    // "文字(&T)..."
    QString buttonCaption;  // beside the site; empty for tools without a button
    QString toolName;       // the registry's tool name
    bool available;         // the program makes the tool's object
    bool specialMenu;       // shown only with the setting EnableSpecialMenu
};

// In the order of the screen's command list.
const std::vector<FreeScreenTool>& freeScreenTools();
// The tool of the command, or null.
const FreeScreenTool* freeScreenTool(const QString& command);

// The label's background object (every object considered, not only the selected ones).
TLOBackImage* labelBackground(const DrawSite& site);

class FreeScreenTools : public QObject {
    Q_OBJECT
public:
    // site gives the site the tools act on (none: they do nothing).
    FreeScreenTools(std::function<TDrawSite*()> site, bool specialMenu, QObject* parent);

    // The command of the name, or null.
    QAction* action(const QString& command) const;
    // Creates the tool's object; the background tool edits an existing background instead.
    void run(const FreeScreenTool& tool);
    // Edits the label's background as one change "背景変更", or creates one.
    void runBackground();

private:
    std::function<TDrawSite*()> site_;
    std::vector<QAction*> actions_;
};

}  // namespace poremi
