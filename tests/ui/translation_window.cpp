// The translation command and window: the dictionary made on first use, a
// ticked file translated with its untranslated copy kept.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "UiTestSupport.h"
#include "translation/Dictionary.h"
#include "ui/MainWindow.h"

using namespace arc;
using arc::ui::MDIForm1;

class TranslationWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void commandMakesTheDictionaryAndTranslatesATickedFile() {
        test::QtProgramFolder folder;
        test::WriteFile(folder.home.file("ini/Catver.ini"), "[Category]\r\npacman=Maze\r\n");
        MDIForm1 main;
        folder.ui.SetMainWindow(&main);
        main.show();
        main.findChild<QAction*>("MnuTraduction")->trigger();
        QWidget* window = main.FindOpenWindow("Form8");
        QVERIFY(window);
        QVERIFY(test::ReadFile(DictionaryPath()).find("Maze = ") != std::string::npos);
        QCOMPARE(window->findChild<QLineEdit*>("Text1_2")->text(),
                 QString::fromStdString(folder.home.file("ini/Catver.ini")));

        test::WriteFile(DictionaryPath(), "[WIZ]\r\nMaze = Labyrinthe\r\n");
        window->findChild<QCheckBox*>("Check1_2")->setChecked(true);
        std::string message;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &message);
        QTest::mouseClick(window->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        QCOMPARE(message, std::string("Done."));
        QCOMPARE(test::ReadFile(folder.home.file("ini/Catver.ini")),
                 std::string("[Category]\r\npacman=Labyrinthe\r\n"));
        QCOMPARE(test::ReadFile(folder.home.file("ini/Catver.ORIGINAL.ini")),
                 std::string("[Category]\r\npacman=Maze\r\n"));
        QVERIFY(window->findChild<QPushButton*>("Command2")->isEnabled());

        QTest::mouseClick(window->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QCOMPARE(folder.opened.back(), DictionaryPath());
    }
};

QTEST_MAIN(TranslationWindowTest)
#include "translation_window.moc"
