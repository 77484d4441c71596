// The import options window driven through its widgets: what it loads, OK
// with and without the list refresh, closing without OK, the paths button.

#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "UiTestSupport.h"
#include "ui/MainWindow.h"

using namespace arc;
using arc::ui::MDIForm1;

namespace {

struct OpenOptions {
    test::QtProgramFolder folder;
    MDIForm1 main;
    QWidget* window = nullptr;

    explicit OpenOptions(const std::function<void()>& prepare = {}) {
        folder.ui.SetMainWindow(&main);
        main.show();
        if (prepare) prepare();
        QVERIFY(Ui().OpenWindow("Form9"));
        window = main.FindOpenWindow("Form9");
    }
    template <class T>
    T* Find(const char* name) const {
        return window->findChild<T*>(name);
    }
    void Click(const char* name) const {
        QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton);
    }
    std::string ListFile() const { return folder.home.file("listxml.txt"); }
};

}  // namespace

class ImportOptionsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void loadsCaptionsAndSavedChoices() {
        OpenOptions options([] {
            TheSettings().XmlOptions[1] = 1;
            TheSettings().XmlOptions[2] = 1;
        });
        QVERIFY(options.window);
        QCOMPARE(options.window->windowTitle(), QString::fromStdString(Text(95)));
        QCOMPARE(options.Find<QCheckBox>("Check1")->text(), QString::fromStdString(Text(109)));
        QVERIFY(options.Find<QCheckBox>("Check1")->isChecked());
        QVERIFY(options.Find<QRadioButton>("Option1")->isChecked());
        QVERIFY(options.Find<QRadioButton>("Option3_0")->isChecked());
        QCOMPARE(options.Find<QRadioButton>("Option3_1")->text(),
                 QString::fromStdString(Text(266)));
        QVERIFY(Ui().IsWindowOpen("Form9"));
    }

    void okWithTheBoxTickedDeletesTheListAndChoosesTheMethod() {
        OpenOptions options;
        test::WriteFile(options.ListFile(), "<mame/>");
        State().Form9Message = "[FORM9]CANCEL";
        QVERIFY(options.Find<QRadioButton>("Option2")->isChecked());
        options.Find<QCheckBox>("Check1")->setChecked(true);
        options.Find<QRadioButton>("Option1")->setChecked(true);
        options.Find<QRadioButton>("Option3_1")->setChecked(true);
        options.Click("Command1");
        QTRY_VERIFY(!Ui().IsWindowOpen("Form9"));
        QCOMPARE(State().Form9Message, std::string());
        QCOMPARE(State().ImportMethod, 2);
        QVERIFY(State().UseDefinedPaths);
        QVERIFY(!std::filesystem::exists(options.ListFile()));
        QCOMPARE(TheSettings().XmlOptions[1], 1);
        QCOMPARE(TheSettings().XmlOptions[2], 1);
    }

    void closingWithoutOkCancelsTheBuild() {
        OpenOptions options;
        test::WriteFile(options.ListFile(), "<mame/>");
        options.Find<QCheckBox>("Check1")->setChecked(true);
        options.main.MdiArea()->closeAllSubWindows();
        QTRY_VERIFY(!Ui().IsWindowOpen("Form9"));
        QCOMPARE(State().Form9Message, std::string("[FORM9]CANCEL"));
        QVERIFY(std::filesystem::exists(options.ListFile()));
        QCOMPARE(TheSettings().XmlOptions[1], 1);
        QCOMPARE(State().ImportMethod, 1);
    }

    void pathsButtonStepsAsideUntilThePathsWindowCloses() {
        OpenOptions options;
        QTimer::singleShot(50, &options.main, [&options] {
            QVERIFY(options.main.FindOpenWindow("Form1"));
            QVERIFY(!options.window->isVisible());
            options.main.FindOpenWindow("Form1")->close();
        });
        options.Click("Command2");
        QVERIFY(!options.main.FindOpenWindow("Form1"));
        QVERIFY(options.window->isVisible());
        QVERIFY(Ui().IsWindowOpen("Form9"));
    }
};

QTEST_MAIN(ImportOptionsWindowTest)
#include "import_options_window.moc"
