#include "app/frame/printer_facts.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>
#include <QtPrintSupport/QPrinterInfo>

namespace poremi {

bool hasDefaultPrinter() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    return !QPrinterInfo::defaultPrinter().isNull();
}

}  // namespace poremi
