#pragma once
// The arrangement commands of the free-design screen's "位置(&L)" and "文字(&S)" menus: position
// and alignment through their mode dialogs, grouping, ungrouping and splitting texts, each
// acting on the screen's site as one undo step.

#include <QtCore/QObject>
#include <functional>
#include <optional>

class QAction;

namespace poremi {

class ArrangeModeDialog;
class TDrawSite;
class TFaceInfo;

class FreeScreenArrangeCommands : public QObject {
    Q_OBJECT
public:
    // Runs a mode dialog; the chosen mode, or none when cancelled.
    using ModeChooser = std::function<std::optional<int>(ArrangeModeDialog& dialog)>;

    // site gives the site the commands act on, face the label it shows.
    FreeScreenArrangeCommands(std::function<TDrawSite*()> site, std::function<const TFaceInfo*()> face, QObject* parent);

    QAction* position() const { return position_; }
    QAction* align() const { return align_; }
    QAction* group() const { return group_; }
    QAction* ungroup() const { return ungroup_; }
    QAction* splitText() const { return splitText_; }

    // Replaces the modal run of the dialogs (tests); empty restores it.
    void setModeChooser(ModeChooser chooser);
    // Enables each command by what the site's selection allows.
    void updateStates();

private:
    QAction* command(const char* name, const QString& caption, std::function<void(TDrawSite&)> run);
    std::optional<int> choose(ArrangeModeDialog& dialog) const;

    std::function<TDrawSite*()> site_;
    std::function<const TFaceInfo*()> face_;
    ModeChooser chooser_;
    QAction* position_;
    QAction* align_;
    QAction* group_;
    QAction* ungroup_;
    QAction* splitText_;
};

}  // namespace poremi
