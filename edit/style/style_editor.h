#pragma once
// Where the style toolbar's changes go: to the selected objects of the site, each change one undo
// step, and while nothing is selected to the default text style, which new objects take.

#include "edit/style/toolbar_style.h"

#include <QtCore/QObject>
#include <memory>

namespace poremi {

class DrawSite;
class StyleToolBar;
class TDrawObject;
class WatchedSite;
enum class StyleProperty;

class StyleEditor : public QObject {
    Q_OBJECT
public:
    // Shows the default style in the toolbar.
    StyleEditor(StyleToolBar& toolBar, const TStyleToolSpec& defaultStyle, QObject* parent = nullptr);
    ~StyleEditor() override;

    // The site whose selection the toolbar edits; null for none. The editor lets go of a site
    // that is destroyed.
    void setSite(DrawSite* site);
    DrawSite* site() const;

    const TStyleToolSpec& defaultStyle() const { return defaultStyle_; }

    // The object-added hook: the toolbar's style, then the front-most selected object's.
    void styleNewObject(TDrawObject& object) const;
    // Shows the front-most selected object's style over the toolbar's, or the default style
    // while nothing is selected.
    void synchronise();

private:
    void toolBarChanged(StyleProperty property);
    bool hasSelection() const;

    StyleToolBar& toolBar_;
    TStyleToolSpec defaultStyle_;
    std::unique_ptr<WatchedSite> site_;
};

}  // namespace poremi
