// The Zip all / Unzip all window, the images window and the unzip window
// bound to their state.

#include <stdlib.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>

#include "UiTestSupport.h"
#include "support/ZipBuilder.h"
#include "ui/UnzipWindow.h"
#include "zip/UnzipWindowState.h"
#include "zip/ZipModule.h"

using namespace arc;

class ZipWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void zipAllWindowUnzipsEachArchiveIntoItsFolder() {
        test::OpenedWindow zipAll;
        QVERIFY(zipAll.Open("MnuZipUnzip", "Form11"));
        QVERIFY(zipAll.Find<QPushButton>("Command3")->isEnabled());  // myzip is beside the tests

        const std::string source = zipAll.folder.home.file("zipped");
        const std::string dest = zipAll.folder.home.file("roms");
        test::WriteZip(source + "/pacman.zip", {{"pacman.6e", "six"}});
        zipAll.Find<QLineEdit>("Text1")->setText(QString::fromStdString(source));
        zipAll.Find<QLineEdit>("Text2")->setText(QString::fromStdString(dest));
        std::string done;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &done);
        zipAll.Click("Command4");
        QCOMPARE(done, std::string("Done."));
        QCOMPARE(test::ReadFile(dest + "/pacman/pacman.6e"), std::string("six"));
        QCOMPARE(TheSettings().ZipAllSource, source + "/");
    }

    void imagesWindowDeletesOrphansOfTheTickedKinds() {
        test::OpenedWindow images;
        QVERIFY(images.Open("MnuGestionImg", "Form12"));

        const std::string home = images.folder.home.str();
        setenv("XDG_DATA_HOME", (home + "xdg").c_str(), 1);  // orphans go to this trash
        TheSettings().RomsFolder = home + "roms/";
        TheSettings().ArtFolders[kSnapshots] = home + "snap/";
        test::WriteFile(home + "roms/pacman.zip", "zip");
        test::WriteFile(home + "snap/pacman.png", "png");
        test::WriteFile(home + "snap/zzzz.png", "png");
        images.Find<QCheckBox>("Check1_1")->setChecked(true);
        auto consent = test::AnswerNextMessage(QMessageBox::Yes);
        std::string done;
        auto finished = test::AnswerNextMessage(QMessageBox::Ok, &done);
        images.Click("Command1");
        QTRY_COMPARE(done, std::string("Done."));
        QVERIFY(std::filesystem::exists(home + "snap/pacman.png"));
        QVERIFY(std::filesystem::exists(home + "xdg/Trash/files/zzzz.png"));
        unsetenv("XDG_DATA_HOME");
    }

    void unzipWindowShowsStatusAndBar() {
        test::QtProgramFolder folder;
        const std::string archive = folder.home.file("a.zip");
        test::WriteZip(archive, {{"a.txt", "alpha"}});
        ZipState().ZipPath = archive;
        ZipState().ZipDestFolder = folder.home.file("out");
        UnzipWindowState state(true);
        QVERIFY(state.ExtractAll());

        ui::UnzipWindow window;
        window.resize(400, 80);
        window.show();
        window.Update(state);
        QCOMPARE(window.objectName(), QString("frmUnZip"));
        QCOMPARE(window.findChild<QLabel*>("Label1")->text(),
                 QString::fromUtf8("Extraction terminée"));
        auto* bar = window.findChild<QFrame*>("Shape1");
        QCOMPARE(bar->width(), bar->parentWidget()->width());

        // A shown entry point call leaves no window behind.
        QVERIFY(UnzipAll(archive, folder.home.file("shown"), false));
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == "frmUnZip" && widget != &window)
                QVERIFY(!widget->isVisible());
    }
};

QTEST_MAIN(ZipWindowsTest)
#include "ZipWindowsTest.moc"
