// The paths window bound to its state: every row loaded from the settings,
// the menus off while open, a box selected on focus, the boxes stored as typed
// when it closes.

#include <QLineEdit>
#include <QMdiArea>
#include <QTabWidget>

#include "UiTestSupport.h"

using namespace arc;

class PathsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void loadsEveryRowAndClosingStoresTheBoxesAsTyped() {
        test::OpenedWindow paths;
        TheSettings() = DefaultSettings();
        QVERIFY(paths.Open("MnuDefinirLesChemins", "Form1"));
        QVERIFY(!paths.MenusOn());
        QCOMPARE(paths.Find<QLineEdit>("Text2")->text(),
                 QString::fromStdString(TheSettings().RomsFolder));
        for (int slot = 0; slot < kArtSlots; ++slot) {
            const QByteArray box = QString("Text3_%1").arg(slot).toLatin1();
            QCOMPARE(paths.Find<QLineEdit>(box)->text(),
                     QString::fromStdString(TheSettings().ArtFolders[slot]));
        }
        for (int slot = 0; slot < kDataFileSlots; ++slot) {
            const QByteArray box = QString("Text4_%1").arg(slot).toLatin1();
            QVERIFY2(paths.Find<QLineEdit>(box), box.constData());
            QVERIFY(paths.Find<QPushButton>(QString("Command4_%1").arg(slot).toLatin1()));
        }
        QCOMPARE(paths.Find<QTabWidget>("TS")->count(), 4);

        QLineEdit* roms = paths.Find<QLineEdit>("Text2");  // trimmed and selected on focus
        roms->setText("  /typed/roms  ");
        paths.window->activateWindow();
        roms->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(roms->selectedText(), QString("/typed/roms"));
        paths.Find<QLineEdit>("Text4_16")->setText("/typed/Controls.ini");
        paths.main.MdiArea()->closeAllSubWindows();
        QVERIFY(paths.MenusOn());
        TheSettings() = DefaultSettings();
        QVERIFY(LoadSettings());
        QCOMPARE(TheSettings().RomsFolder, std::string("/typed/roms"));
        QCOMPARE(TheSettings().DataFilePaths[SlotOf(SupportFile::Controls)],
                 std::string("/typed/Controls.ini"));
    }
};

QTEST_MAIN(PathsWindowTest)
#include "PathsWindowTest.moc"
