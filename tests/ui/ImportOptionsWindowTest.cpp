// The import options window bound to its state: the saved choices in, OK with
// the list refresh ticked gives the choices to the build.

#include <QCheckBox>
#include <QRadioButton>

#include "UiTestSupport.h"
#include "xmlimport/ImportOptionsWindowState.h"

using namespace arc;

namespace {

struct OpenOptions : test::OpenedWindow {
    void Open() {
        QVERIFY(Ui().OpenWindow(WindowId::ImportOptions));
        window = main.FindOpenWindow("Form9");
        test::WriteFile(ListFile(), "<mame/>");
    }
    std::string ListFile() const { return folder.home.file("listxml.txt"); }
};

}  // namespace

class ImportOptionsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void loadsTheSavedChoicesAndOkGivesTheChosenOnes() {
        OpenOptions options;
        TheSettings().XmlOptions[2] = 1;
        options.Open();
        QVERIFY(options.window);
        QVERIFY(!options.Find<QCheckBox>("Check1")->isChecked());
        QVERIFY(options.Find<QRadioButton>("Option1")->isChecked());
        QVERIFY(options.Find<QRadioButton>("Option3_0")->isChecked());
        options.Find<QCheckBox>("Check1")->setChecked(true);
        options.Find<QRadioButton>("Option3_1")->setChecked(true);
        options.Click("Command1");
        QTRY_VERIFY(!Ui().IsWindowOpen(WindowId::ImportOptions));
        const std::optional<ImportChoices> choices = ImportOptionsWindowState::TakeClosedChoices();
        QVERIFY(choices && choices->refreshList && choices->useDefinedPaths);
        QVERIFY(choices->method == ImportMethod::Document);
        QCOMPARE(TheSettings().XmlOptions[1], 1);
    }
};

QTEST_MAIN(ImportOptionsWindowTest)
#include "ImportOptionsWindowTest.moc"
