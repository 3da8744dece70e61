// The application's designers open the barcode dialog on a barcode.

#include "app/module/class_registration.h"
#include "document/model/designer.h"
#include "document/model/draw_site.h"
#include "objects/dialogs/jan_property_dialog.h"
#include "objects/jan_object.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace poremi {
namespace {

TEST(JanDesignerRegistration, theRegistryEditsBarcodesInTheirDialog) {
    registerAllClasses();
    registerAllDesigners();
    DrawSite site;
    auto* code = new TLOJANCode(&site);
    site.addDrawObject(*code);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<TfrmJANCodeProperty*>(QApplication::activeModalWidget())) {
            shown = true;
            dialog->reject();
        }
    });
    EXPECT_FALSE(TDODesignerList::instance().edit(*code));
    EXPECT_TRUE(shown);
    TDODesignerList::instance().clear();
}

}  // namespace
}  // namespace poremi
