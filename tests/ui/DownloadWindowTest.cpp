// The download window bound to its state: the list loaded into the boxes, a
// Site button, closing saves the typed addresses; a run whose only entry has
// no address names its failure.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "UiTestSupport.h"
#include "core/TextTable.h"
#include "download/DownloadList.h"

using namespace arc;

class DownloadWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void loadsTheListAndClosingSavesTheTypedAddresses() {
        test::OpenedWindow download;
        test::WriteFile(DownloadListPath(),
                        "catver = http://x/catver.zip\r\nSITE_CHEAT = http://cheats/\r\n");
        QVERIFY(download.Open("MnuDownload", "Form4"));
        QCOMPARE(download.Find<QLineEdit>("Text1_1")->text(), QString("http://x/catver.zip"));
        QCOMPARE(download.Find<QLineEdit>("Text1_0")->text(), QString());
        download.Click("Command4_7");
        QCOMPARE(download.folder.opened.back(), std::string("http://cheats/"));

        // An empty address is refused as it is typed, once, and the old one comes back.
        auto* catver = download.Find<QLineEdit>("Text1_1");
        catver->setText("   ");
        std::string refusal;
        {
            auto answer = test::AnswerNextMessage(QMessageBox::Ok, &refusal);
            emit catver->editingFinished();
        }
        QCOMPARE(refusal, Text(kTextEmptyAddress));
        QCOMPARE(catver->text(), QString("http://x/catver.zip"));

        download.Find<QLineEdit>("Text1_4")->setText("http://typed/nplayers.ini");
        download.Click("Command2");
        QTRY_VERIFY(!download.main.FindOpenWindow("Form4"));
        DownloadList list = DefaultDownloadList();
        QVERIFY(ReadDownloadList(DownloadListPath(), list));
        QCOMPARE(list.fileUrls[4], std::string("http://typed/nplayers.ini"));
    }

    void anEntryWithoutAddressFailsAndTheRunSaysSo() {
        test::OpenedWindow download;
        QVERIFY(download.Open("MnuDownload", "Form4"));
        download.Find<QCheckBox>("Check1_0")->setChecked(true);
        std::string message;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &message);
        download.Click("Command1");
        QVERIFY2(message.rfind("Not downloaded: ", 0) == 0, message.c_str());
        QVERIFY(download.Find<QLabel>("Image2_0")->isVisible());
        QVERIFY(!download.Find<QLabel>("Image1_0")->isVisible());
        QVERIFY(download.Find<QPushButton>("Command1")->isEnabled());
    }
};

QTEST_MAIN(DownloadWindowTest)
#include "DownloadWindowTest.moc"
