// The application shell: the start-up picture, and the launcher that hands work to
// the desktop's programs.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "app/desktop_launcher.hpp"
#include "test_support.hpp"
#include "ui/messages.hpp"
#include "windows/app_icon.hpp"
#include "windows/splash_window.hpp"

using namespace orvane;

class ShellWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void splashShowsThePictureCentredAndClosesOnItsTimer() {
    QWidget main;
    SplashWindow splash(&main);
    QVERIFY(splash.start(200));
    QVERIFY(splash.isShown());
    QWidget* frame = splash.frame();
    QVERIFY(frame->isVisible());
    // The picture whole, ten pixels inside a raised frame two pixels wide.
    const QImage picture = splashPicture();
    QCOMPARE(picture.size(), QSize(411, 276));
    QCOMPARE(frame->size(), QSize(411 + 24, 276 + 24));
    const QImage shown = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.copy(12, 12, 411, 276), picture.convertToFormat(QImage::Format_RGB32));
    QVERIFY(shown.pixelColor(1, 1) != shown.pixelColor(433, 298));  // lit and shaded edges
    // The main window is not shown yet, so the picture sits in the middle of the screen.
    const QPoint screenCentre = main.screen()->availableGeometry().center();
    QVERIFY((frame->geometry().center() - screenCentre).manhattanLength() <= 2);
    QTRY_VERIFY_WITH_TIMEOUT(!splash.isShown(), 3000);
  }

  void splashClosesEarlyOnAClickOrAKey() {
    QWidget main;
    SplashWindow splash(&main);
    QVERIFY(splash.start(60000));
    QTest::mouseClick(splash.frame(), Qt::LeftButton, {}, QPoint(30, 30));
    QTRY_VERIFY(!splash.isShown());

    QVERIFY(splash.start(60000));
    QTest::keyClick(splash.frame(), Qt::Key_Space);
    QTRY_VERIFY(!splash.isShown());

    QVERIFY(splash.start(60000));
    QTest::mouseClick(splash.frame(), Qt::RightButton, {}, QPoint(5, 5));
    QTRY_VERIFY(!splash.isShown());
  }

  // The clicks are delivered as the window system delivers them, which is where a modal
  // box blocks the windows behind it.
  void splashTakesItsClickWhileAMessageIsUpAndAfterItWent() {
    QWidget main;
    SplashWindow splash(&main);
    test::MessageCatcher catcher;
    QVERIFY(splash.start(60000));
    QPointer<QWidget> frame = splash.frame();
    bool closedDuringMessage = false;
    catcher.onMessage = [&](const test::SeenMessage&) {
      QTest::mouseClick(frame->windowHandle(), Qt::LeftButton, {}, QPoint(30, 30));
      closedDuringMessage = frame.isNull() || !frame->isVisible();
    };
    ui::showMessage(&main, QStringLiteral("Cannot open congfiguration file!"));
    QCOMPARE(catcher.messages.size(), 1);
    QVERIFY(closedDuringMessage);

    // A message that came and went leaves the picture taking its own click.
    QVERIFY(splash.start(60000));
    frame = splash.frame();
    catcher.onMessage = nullptr;
    ui::showMessage(&main, QStringLiteral("Cannot open airports file!"));
    QVERIFY(splash.isShown());
    QTest::mouseClick(frame->windowHandle(), Qt::LeftButton, {}, QPoint(30, 30));
    QVERIFY(frame.isNull() || !frame->isVisible());
  }

  void splashIsNotShownOverAMinimisedWindow() {
    QWidget main;
    main.showMinimized();
    SplashWindow splash(&main);
    if (!main.isMinimized()) QSKIP("this platform does not minimise windows");
    QVERIFY(!splash.start(2500));
    QVERIFY(!splash.isShown());
  }

  void iconHasItsThreeSizes() {
    const QIcon icon = appIcon();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(64, 64)}));
    // Drawn, not blank: the airplane is opaque in the middle, the corners clear.
    const QImage large = icon.pixmap(64, 64).toImage();
    QCOMPARE(large.pixelColor(32, 32).alpha(), 255);
    QCOMPARE(large.pixelColor(0, 0).alpha(), 0);
  }

  // The desktop's programs are stood in for by scripts of the test's own, so nothing
  // real is started: they record their arguments and working folder.
  void launcherStartsTheFirstProgramFoundInTheWorkingFolder() {
#ifdef Q_OS_WIN
    QSKIP("the stand-in programs are shell scripts");
#else
    QTemporaryDir bin;
    QTemporaryDir work;
    auto standIn = [&](const QString& name) {
      const QString path = bin.filePath(name);
      QFile script(path);
      QVERIFY(script.open(QIODevice::WriteOnly));
      script.write("#!/bin/sh\necho \"$0 $*\" > \"$PWD/started-" + name.toUtf8() + "\"\n");
      script.close();
      script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    standIn(QStringLiteral("kcalc"));
    standIn(QStringLiteral("mousepad"));
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8());

    QCOMPARE(DesktopLauncher::findProgram({QStringLiteral("gnome-calculator"), QStringLiteral("kcalc")}),
             bin.filePath(QStringLiteral("kcalc")));
    QCOMPARE(DesktopLauncher::findProgram({QStringLiteral("no-such-program")}), QString());

    DesktopLauncher launcher(work.path().toStdString());
    launcher.startCalculator();
    launcher.openInTextEditor(QStringLiteral("airports.fly"));
    qputenv("PATH", oldPath);

    auto contents = [&](const char* name) {
      QFile f(work.filePath(QString::fromLatin1(name)));
      return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    };
    QTRY_COMPARE(contents("started-kcalc"), bin.filePath(QStringLiteral("kcalc")));
    QTRY_COMPARE(contents("started-mousepad"),
                 bin.filePath(QStringLiteral("mousepad")) + QStringLiteral(" airports.fly"));
#endif
  }

  // Only absolute PATH entries are searched: a calculator or an editor lying in the
  // working folder is never started, whatever "." or an empty entry in PATH says, and
  // the launcher reports that nothing could be started.
  void launcherLooksOnlyInAbsoluteFoldersAndSaysWhenNothingStarted() {
#ifdef Q_OS_WIN
    QSKIP("the stand-in programs are shell scripts");
#else
    const QByteArray oldPath = qgetenv("PATH");
    const QString oldFolder = QDir::currentPath();
    QTemporaryDir work;
    QTemporaryDir empty;
    for (const char* name : {"xcalc", "gedit"}) {
      QFile script(work.filePath(QLatin1String(name)));
      QVERIFY(script.open(QIODevice::WriteOnly));
      script.write("#!/bin/sh\nexit 0\n");
      script.close();
      script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QVERIFY(QDir::setCurrent(work.path()));
    QStringList found;
    QList<bool> started;
    const QList<QByteArray> paths = {".", "", ":" + empty.path().toUtf8(), empty.path().toUtf8() + ":.",
                                     "./:" + empty.path().toUtf8() + "::"};
    for (const QByteArray& path : paths) {
      qputenv("PATH", path);
      found << DesktopLauncher::findProgram({QStringLiteral("xcalc"), QStringLiteral("gedit")});
      DesktopLauncher launcher(work.path().toStdString());
      started << launcher.startCalculator() << launcher.openInTextEditor(QStringLiteral("readme.txt"));
    }
    // The same folder named absolutely is searched.
    qputenv("PATH", ".:" + work.path().toUtf8());
    const QString absolute = DesktopLauncher::findProgram({QStringLiteral("xcalc")});
    qputenv("PATH", oldPath);
    QVERIFY(QDir::setCurrent(oldFolder));
    QCOMPARE(found, QStringList(paths.size(), QString()));
    QCOMPARE(started, QList<bool>(2 * paths.size(), false));
    QCOMPARE(absolute, work.filePath(QStringLiteral("xcalc")));
#endif
  }

  void launcherWithNoProgramFoundDoesNothing() {
    const QByteArray oldPath = qgetenv("PATH");
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toUtf8());
    DesktopLauncher launcher(empty.path().toStdString());
    const bool started = launcher.startCalculator();  // no calculator: nothing starts, and it says so
    qputenv("PATH", oldPath);
    QVERIFY(!started);
    QCOMPARE(QDir(empty.path()).entryList(QDir::Files), QStringList());
  }
};

QTEST_MAIN(ShellWindowTest)
#include "shell_window_test.moc"
