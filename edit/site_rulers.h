#pragma once
// Keeps a horizontal and a vertical ruler in step with a draw site: the site's scale, where
// its logical origin lies beside them (also while it scrolls), its length in millimetres,
// the pointer and the selection. A press on a ruler drags a new guide onto the site.

#include <QtCore/QObject>
#include <QtCore/QPoint>

namespace poremi {

class TDrawSite;
class TRuler;

class SiteRulers : public QObject {
    Q_OBJECT
public:
    SiteRulers(TDrawSite& site, TRuler& horizontal, TRuler& vertical);

    // Takes the site's scale and position again.
    void sync();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPointer(QPoint logical);
    void showSelection();
    void startGuide(TRuler& ruler);

    TDrawSite& site_;
    TRuler& horizontal_;
    TRuler& vertical_;
};

}  // namespace poremi
