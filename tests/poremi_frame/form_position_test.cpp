#include "app/frame/form_position.h"
#include "core/env_ini_io.h"
#include "tests/support/frame_fixture.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>

namespace poremi::test {
namespace {

TEST_F(FrameTest, FormPositionsRoundTripAndDefaultToCentred) {
    QWidget form;
    form.setObjectName(QStringLiteral("frmSample"));
    restoreFormPosition(*frame, form, 400, 300);
    EXPECT_EQ(form.size(), QSize(400, 300));
    form.setGeometry(10, 20, 500, 350);
    saveFormPosition(*frame, form);
    EXPECT_EQ(frame->readSettingInt(QStringLiteral("frmSampleWidth"), 0), 500);
    QWidget other;
    other.setObjectName(QStringLiteral("frmSample"));
    restoreFormPosition(*frame, other, 400, 300);
    EXPECT_EQ(other.geometry(), QRect(10, 20, 500, 350));
}

TEST_F(FrameTest, EnvIniIoCentresWhenTheStoredRectangleIsOffScreen) {
    TEnvIniIO io(QStringLiteral("frmAlbumData"));
    QWidget owner;
    owner.setGeometry(100, 100, 600, 400);
    QWidget form(&owner, Qt::Window);
    form.setGeometry(30, 40, 200, 100);
    saveBounds(io, form);
    EXPECT_EQ(io.readInt(QStringLiteral("FormRight"), 0), 230);
    form.setGeometry(0, 0, 200, 100);
    restoreBounds(io, form);
    EXPECT_EQ(form.geometry(), QRect(30, 40, 200, 100));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    io.writeInt(QStringLiteral("FormLeft"), screen.right() - 10);
    io.writeInt(QStringLiteral("FormRight"), screen.right() + 190);
    restoreBounds(io, form);
    EXPECT_EQ(form.geometry().center(), owner.geometry().center());
    EXPECT_EQ(form.size(), QSize(200, 100));
}

}  // namespace
}  // namespace poremi::test
