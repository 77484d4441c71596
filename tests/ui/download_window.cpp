// The download window driven through its widgets: the list loaded into the
// boxes, the Site buttons, a run whose only entry has no address, closing.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>

#include "UiTestSupport.h"
#include "download/DownloadList.h"
#include "ui/MainWindow.h"

using namespace arc;
using arc::ui::MDIForm1;

namespace {

struct OpenDownload {
    test::QtProgramFolder folder;
    MDIForm1 main;
    QWidget* window = nullptr;

    explicit OpenDownload(const std::string& list = {}) {
        if (!list.empty()) test::WriteFile(DownloadListPath(), list);
        folder.ui.SetMainWindow(&main);
        main.show();
        main.findChild<QAction*>("MnuDownload")->trigger();
        window = main.FindOpenWindow("Form4");
    }
    template <class T>
    T* Child(const QString& name) const {
        return window->findChild<T*>(name);
    }
};

}  // namespace

class DownloadWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void loadsTheListIntoTheBoxes() {
        OpenDownload download("catver = http://x/catver.zip\r\nSITE_CHEAT = http://cheats/\r\n");
        QVERIFY(download.window);
        QVERIFY(State().DownloadWindowOpen);
        QCOMPARE(download.window->windowTitle(), QString("Downloading data"));
        QCOMPARE(download.Child<QLineEdit>("Text1_1")->text(), QString("http://x/catver.zip"));
        QCOMPARE(download.Child<QLineEdit>("Text1_0")->text(), QString());
        QCOMPARE(download.Child<QCheckBox>("Check1_10")->text(), QString("Controls"));
        QVERIFY(!download.Child<QLabel>("Image1_0")->isVisible());
        QVERIFY(!download.Child<QLabel>("Image2_0")->isVisible());
        QVERIFY(!download.Child<QLabel>("Label2")->isVisible());

        QTest::mouseClick(download.Child<QPushButton>("Command4_7"), Qt::LeftButton);
        QCOMPARE(download.folder.opened.back(), std::string("http://cheats/"));
    }

    void anEntryWithoutAddressFailsAndTheRunSaysSo() {
        OpenDownload download;
        download.Child<QCheckBox>("Check1_0")->setChecked(true);
        std::string message;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &message);
        QTest::mouseClick(download.Child<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY2(message.rfind("Not downloaded: ", 0) == 0, message.c_str());
        QVERIFY(download.Child<QLabel>("Image2_0")->isVisible());
        QVERIFY(!download.Child<QLabel>("Image1_0")->isVisible());
        QVERIFY(download.Child<QPushButton>("Command1")->isEnabled());
    }

    void closingSavesTheTypedAddresses() {
        OpenDownload download;
        download.Child<QLineEdit>("Text1_4")->setText("http://typed/nplayers.ini");
        QTest::mouseClick(download.Child<QPushButton>("Command2"), Qt::LeftButton);
        QTRY_VERIFY(!download.main.FindOpenWindow("Form4"));
        QVERIFY(!State().DownloadWindowOpen);
        DownloadList list = DefaultDownloadList();
        QVERIFY(ReadDownloadList(DownloadListPath(), list));
        QCOMPARE(list.fileUrls[4], std::string("http://typed/nplayers.ini"));
    }
};

QTEST_MAIN(DownloadWindowTest)
#include "download_window.moc"
