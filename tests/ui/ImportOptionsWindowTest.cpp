// The import options window bound to its state: the saved choices in, OK with
// the list refresh ticked gives the choices to the build that asked, closing
// without OK gives none.

#include <QCheckBox>
#include <QRadioButton>
#include <QTimer>

#include "UiTestSupport.h"
#include "ui/ImportOptionsWindow.h"
#include "xmlimport/ImportOptionsWindowState.h"

using namespace arc;

class ImportOptionsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void loadsTheSavedChoicesAndOkGivesTheChosenOnes() {
        test::OpenedWindow options;
        TheSettings().XmlOptions[2] = 1;
        test::WriteFile(options.folder.home.file("listxml.txt"), "<mame/>");
        for (const bool ok : {true, false}) {
            bool seen = false;
            // The build waits in AskImportOptions while the user sets the window.
            QTimer::singleShot(0, [&] {
                options.window = options.main.FindOpenWindow("Form9");
                if (!options.window) return;
                seen = true;
                if (ok) {
                    QVERIFY(!options.Find<QCheckBox>("Check1")->isChecked());
                    QVERIFY(options.Find<QRadioButton>("Option1")->isChecked());
                    QVERIFY(options.Find<QRadioButton>("Option3_0")->isChecked());
                    options.Find<QCheckBox>("Check1")->setChecked(true);
                    options.Find<QRadioButton>("Option3_1")->setChecked(true);
                    options.Click("Command1");
                } else {
                    qobject_cast<ui::ChildWindow*>(options.window)->Unload();
                }
            });
            const std::optional<ImportChoices> choices = ui::AskImportOptions(options.main);
            QVERIFY(seen);
            QVERIFY(!Ui().IsWindowOpen(WindowId::ImportOptions));
            QCOMPARE(choices.has_value(), ok);
            if (ok) {
                QVERIFY(choices->refreshList && choices->useDefinedPaths);
                QVERIFY(choices->method == ImportMethod::Document);
            }
            QCOMPARE(TheSettings().XmlOptions[1], 1);  // remembered either way
        }
        QVERIFY(std::filesystem::exists(options.folder.home.file("listxml.txt")));
    }
};

QTEST_MAIN(ImportOptionsWindowTest)
#include "ImportOptionsWindowTest.moc"
