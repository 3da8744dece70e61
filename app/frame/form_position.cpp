#include "app/frame/form_position.h"

#include "core/app_frame.h"
#include "core/env_ini_io.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>

namespace poremi {

void saveFormPosition(TAppFrame& frame, const QWidget& form) {
    const QRect r = form.isMaximized() || form.isMinimized() ? form.normalGeometry() : form.geometry();
    frame.saveFormRect(form.objectName(), r);
}

void restoreFormPosition(TAppFrame& frame, QWidget& form, int defaultWidth, int defaultHeight) {
    form.setGeometry(frame.restoredFormRect(form.objectName(), defaultWidth, defaultHeight));
}

void saveBounds(TEnvIniIO& store, const QWidget& form) { store.saveBounds(form.geometry()); }

void restoreBounds(const TEnvIniIO& store, QWidget& form) {
    if (const auto bounds = store.storedBounds()) {
        form.setGeometry(*bounds);
        return;
    }
    const QWidget* owner = form.parentWidget() ? form.parentWidget()->window() : nullptr;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect around = owner ? owner->geometry() : screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    QRect r = form.geometry();
    r.moveCenter(around.center());
    form.setGeometry(r);
}

}  // namespace poremi
