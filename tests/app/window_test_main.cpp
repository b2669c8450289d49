// The window tests run on the offscreen platform with a 1920 x 1080 screen, whatever display
// the machine has: set before the application object exists.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>

// A test program may set up screens of its own: a header that defines RUK_TEST_SCREENS.
#ifdef RUK_TEST_SCREENS_HEADER
#include RUK_TEST_SCREENS_HEADER
#else
#define RUK_TEST_SCREENS                                                  \
    R"({"windowFrameMargins":false,"screens":[{"name":"S1","x":0,"y":0,)" \
    R"("width":1920,"height":1080,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})"
#endif

int main(int argc, char** argv) {
    // One file per process: ctest runs many of these at once.
    const QString config = QDir::temp().filePath(
        QString("ruk_screen_%1.json").arg(QCoreApplication::applicationPid()));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(RUK_TEST_SCREENS);
        file.close();
    }
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.toLocal8Bit());
    // The player also looks for a skin in the user's config folder: the tests' own, never
    // the person's who runs them.
    const QString userConfig =
        QDir::temp().filePath(QString("ruk_config_%1").arg(QCoreApplication::applicationPid()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(userConfig));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QFile::remove(config);
    QDir(userConfig).removeRecursively();
    return result;
}
