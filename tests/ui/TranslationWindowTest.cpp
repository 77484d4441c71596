// The translation command and window: the dictionary made on first use, a
// ticked file translated with its untranslated copy kept.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "UiTestSupport.h"
#include "core/TextTable.h"
#include "translation/Dictionary.h"

using namespace arc;

class TranslationWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void commandMakesTheDictionaryAndTranslatesATickedFile() {
        test::OpenedWindow translation;
        const test::QtProgramFolder& folder = translation.folder;
        test::WriteFile(folder.home.file("ini/Catver.ini"), "[Category]\r\npacman=Maze\r\n");
        QWidget* window = translation.Open("MnuTraduction", "Form8");
        QVERIFY(window);
        QVERIFY(test::ReadFile(DictionaryPath()).find("Maze = ") != std::string::npos);
        QCOMPARE(window->findChild<QLineEdit*>("Text1_2")->text(),
                 QString::fromStdString(folder.home.file("ini/Catver.ini")));

        test::WriteFile(DictionaryPath(), "[WIZ]\r\nMaze = Labyrinthe\r\n");
        window->findChild<QCheckBox*>("Check1_2")->setChecked(true);
        std::string message;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &message);
        translation.Click("Command3");
        QCOMPARE(message, Text(kTextTranslatedFiles) + "\n" + folder.home.file("ini/Catver.ini"));
        QCOMPARE(test::ReadFile(folder.home.file("ini/Catver.ini")),
                 std::string("[Category]\r\npacman=Labyrinthe\r\n"));
        QCOMPARE(test::ReadFile(folder.home.file("ini/Catver.ORIGINAL.ini")),
                 std::string("[Category]\r\npacman=Maze\r\n"));
        QVERIFY(window->findChild<QPushButton*>("Command2")->isEnabled());

        translation.Click("Command2");
        QCOMPARE(folder.opened.back(), DictionaryPath());
    }
};

QTEST_MAIN(TranslationWindowTest)
#include "TranslationWindowTest.moc"
