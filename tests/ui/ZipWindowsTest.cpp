// The Zip all / Unzip all window, the images window and the unzip window
// bound to their state.

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "UiTestSupport.h"
#include "support/ZipBuilder.h"
#include "ui/UnzipWindow.h"
#include "zip/Unzip.h"
#include "zip/UnzipWindowState.h"

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

    void imagesWindowAsksBeforeDeletingTheTickedKind() {
        test::OpenedWindow images;
        QVERIFY(images.Open("MnuGestionImg", "Form12"));
        QVERIFY(!images.MenusOn());
        // The deletion itself is the state class's test: here the box and the button.
        std::string question;
        {
            auto none = test::AnswerNextMessage(QMessageBox::No, &question);
            images.Click("Command1");  // no kind ticked: no question
        }
        QCOMPARE(question, std::string());
        images.Find<QCheckBox>("Check1_1")->setChecked(true);
        auto no = test::AnswerNextMessage(QMessageBox::No, &question);
        images.Click("Command1");
        QCOMPARE(question, Text(254));
    }

    void unzipWindowShowsStatusAndBar() {
        test::QtProgramFolder folder;
        const std::string archive = folder.home.file("a.zip");
        test::WriteZip(archive, {{"a.txt", "alpha"}});
        UnzipWindowState state(archive, nullptr);
        QVERIFY(state.ExtractAll(folder.home.file("out")));

        ui::UnzipWindow window;
        window.resize(400, 80);
        window.show();
        window.Update(state);
        QCOMPARE(window.objectName(), QString("frmUnZip"));
        QCOMPARE(window.findChild<QLabel*>("Label1")->text(),
                 QString::fromStdString(Text(kTextDone)));
        auto* bar = window.findChild<QFrame*>("Shape1");
        QCOMPARE(bar->width(), bar->parentWidget()->width());

        // A shown entry point call leaves no window behind.
        QVERIFY(UnzipAll(archive, folder.home.file("shown"), true).ok());
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == "frmUnZip" && widget != &window)
                QVERIFY(!widget->isVisible());
    }
};

QTEST_MAIN(ZipWindowsTest)
#include "ZipWindowsTest.moc"
