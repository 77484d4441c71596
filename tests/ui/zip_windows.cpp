// The Zip all / Unzip all window, the images window and the unzip window
// driven through their widgets.

#include <stdlib.h>
#include <zlib.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "UiTestSupport.h"
#include "ui/FrmUnZip.h"
#include "ui/MainWindow.h"
#include "zip/UnzipWindow.h"
#include "zip/ZipModule.h"

using namespace arc;
using arc::ui::MDIForm1;

namespace {

/// A stored single-member archive, enough for the windows' commands.
std::string StoredZip(const std::string& name, const std::string& data) {
    auto put16 = [](std::string& out, unsigned v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::string& out, unsigned long v) {
        put16(out, v & 0xFFFF);
        put16(out, (v >> 16) & 0xFFFF);
    };
    const unsigned long crc =
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
    std::string out;
    put32(out, 0x04034B50);
    for (unsigned v : {20u, 0u, 0u, 0u, 0u})
        put16(out, v);
    put32(out, crc);
    put32(out, data.size());
    put32(out, data.size());
    put16(out, name.size());
    put16(out, 0);
    out += name + data;
    std::string directory;
    put32(directory, 0x02014B50);
    for (unsigned v : {20u, 20u, 0u, 0u, 0u, 0u})
        put16(directory, v);
    put32(directory, crc);
    put32(directory, data.size());
    put32(directory, data.size());
    for (unsigned v : {static_cast<unsigned>(name.size()), 0u, 0u, 0u, 0u})
        put16(directory, v);
    put32(directory, 0);
    put32(directory, 0);
    directory += name;
    const std::size_t offset = out.size();
    out += directory;
    put32(out, 0x06054B50);
    for (unsigned v : {0u, 0u, 1u, 1u})
        put16(out, v);
    put32(out, directory.size());
    put32(out, offset);
    put16(out, 0);
    return out;
}

/// Answers every message box while it lives: Yes where there is one, else Ok.
class AnswerEveryMessage {
  public:
    AnswerEveryMessage() : timer_(new QTimer(qApp)) {
        timer_->setInterval(10);
        QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            texts.push_back(box->text().toStdString());
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            (yes ? yes : box->button(QMessageBox::Ok))->click();
        });
        timer_->start();
    }
    ~AnswerEveryMessage() { delete timer_; }
    std::vector<std::string> texts;

  private:
    QTimer* timer_;
};

struct OpenWindow {
    test::QtProgramFolder folder;
    MDIForm1 main;
    QWidget* window = nullptr;

    OpenWindow(const char* menu, const char* form) {
        folder.ui.SetMainWindow(&main);
        main.show();
        main.findChild<QAction*>(menu)->trigger();
        window = main.FindOpenWindow(form);
    }
    template <class T>
    T* Find(const QString& name) const {
        return window->findChild<T*>(name);
    }
    void Click(const char* name) const {
        QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton);
    }
};

}  // namespace

class ZipWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void zipAllWindowUnzipsEachArchiveIntoItsFolder() {
        OpenWindow zipAll("MnuZipUnzip", "Form11");
        QVERIFY(zipAll.window);
        QCOMPARE(zipAll.Find<QPushButton>("Command3")->text(), QString("&Zip all"));
        QVERIFY(zipAll.Find<QPushButton>("Command3")->isEnabled());  // myzip is beside the tests

        const std::string source = zipAll.folder.home.file("zipped");
        const std::string dest = zipAll.folder.home.file("roms");
        test::WriteFile(source + "/pacman.zip", StoredZip("pacman.6e", "six"));
        zipAll.Find<QLineEdit>("Text1")->setText(QString::fromStdString(source));
        zipAll.Find<QLineEdit>("Text2")->setText(QString::fromStdString(dest));
        std::string done;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &done);
        zipAll.Click("Command4");
        QCOMPARE(done, std::string("Done."));
        QCOMPARE(test::ReadFile(dest + "/pacman/pacman.6e"), std::string("six"));
        QCOMPARE(TheSettings().ZipAllSource, source + "/");
        QVERIFY(zipAll.window->isVisible());
    }

    void imagesWindowDeletesOrphansOfTheTickedKinds() {
        OpenWindow images("MnuGestionImg", "Form12");
        QVERIFY(images.window);
        QVERIFY(!images.main.findChild<QAction*>("MenuTraitement")->isEnabled());

        const std::string home = images.folder.home.str();
        setenv("XDG_DATA_HOME", (home + "xdg").c_str(), 1);  // orphans go to this trash
        TheSettings().RomsFolder = home + "roms/";
        TheSettings().ArtFolders[kSnapshots] = home + "snap/";
        test::WriteFile(home + "roms/pacman.zip", "zip");
        test::WriteFile(home + "snap/pacman.png", "png");
        test::WriteFile(home + "snap/zzzz.png", "png");
        images.Find<QCheckBox>("Check1_1")->setChecked(true);
        AnswerEveryMessage answers;
        images.Click("Command1");
        QTRY_VERIFY(!std::filesystem::exists(home + "snap/zzzz.png"));
        QVERIFY(std::filesystem::exists(home + "snap/pacman.png"));
        QVERIFY(std::filesystem::exists(home + "xdg/Trash/files/zzzz.png"));
        unsetenv("XDG_DATA_HOME");
        QCOMPARE(answers.texts.size(), std::size_t{2});
        QCOMPARE(answers.texts[1], std::string("Done."));
    }

    void unzipWindowShowsStatusAndBar() {
        test::QtProgramFolder folder;
        const std::string archive = folder.home.file("a.zip");
        test::WriteFile(archive, StoredZip("a.txt", "alpha"));
        ZipState().ZipPath = archive;
        ZipState().ZipDestFolder = folder.home.file("out");
        UnzipWindow state(true);
        QVERIFY(state.zLib_ExtraireTout());

        ui::FrmUnZip window;
        window.resize(400, 80);
        window.show();
        window.Update(state);
        QCOMPARE(window.objectName(), QString("frmUnZip"));
        QCOMPARE(window.windowTitle(), QString("Unzip with zLib"));
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
#include "zip_windows.moc"
