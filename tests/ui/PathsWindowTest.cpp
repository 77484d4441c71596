// The paths window bound to its state: every row loaded from the settings,
// the emulator in use and the missing paths shown, a box selected on focus,
// the boxes stored as typed and the size kept when it closes.

#include <QLabel>
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
        QCOMPARE(paths.Find<QLineEdit>("Text2")->text(),
                 QString::fromStdString(TheSettings().RomsFolder));
        for (int slot = 0; slot < kArtSlots; ++slot) {
            const QByteArray box = QString("Text3_%1").arg(slot).toLatin1();
            QCOMPARE(paths.Find<QLineEdit>(box)->text(),
                     QString::fromStdString(TheSettings().ArtFolders[slot]));
        }
        QCOMPARE(paths.Find<QTabWidget>("TS")->count(), 4);

        QLineEdit* roms = paths.Find<QLineEdit>("Text2");
        // Regression (the window hid which emulator runs and which paths are
        // wrong): the emulator found shows, a box naming nothing is marked.
        const std::string fake = paths.folder.home.file("bin/mame");
        test::WriteFile(fake, "#!/bin/sh\n");
        std::filesystem::permissions(fake, std::filesystem::perms::owner_all);
        test::ScopedEnv path("PATH", paths.folder.home.file("bin"));
        auto* exe = paths.Find<QLineEdit>("Text1");
        exe->setText("/no/such/mame");  // what runs instead: mame on the PATH
        QVERIFY(paths.Find<QLabel>("LabelEmulator")->text().endsWith(QString::fromStdString(fake)));
        QVERIFY(exe->property("missing").toBool());
        roms->setText(QString::fromStdString(paths.folder.home.str()));
        QVERIFY(!roms->property("missing").toBool());
        roms->setText("  /typed/roms  ");  // trimmed and selected on focus
        paths.window->activateWindow();
        roms->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(roms->selectedText(), QString("/typed/roms"));
        paths.Find<QLineEdit>("Text4_16")->setText("/typed/Controls.ini");
        paths.window->parentWidget()->resize(610, 520);
        paths.main.MdiArea()->closeAllSubWindows();
        TheSettings() = DefaultSettings();
        QVERIFY(LoadSettings());
        QCOMPARE(TheSettings().RomsFolder, std::string("/typed/roms"));
        QCOMPARE(TheSettings().DataFilePaths[SlotOf(SupportFile::Controls)],
                 std::string("/typed/Controls.ini"));
        // Regression (tool windows forgot their size): the size comes back too.
        QVERIFY(paths.Open("MnuDefinirLesChemins", "Form1"));
        QCOMPARE(paths.window->parentWidget()->size(), QSize(610, 520));
    }
};

QTEST_MAIN(PathsWindowTest)
#include "PathsWindowTest.moc"
