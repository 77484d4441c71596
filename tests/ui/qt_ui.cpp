// The Qt UI service: message boxes, file dialog filters, choosers cancelled,
// windows asked for before the main window exists.

#include "UiTestSupport.h"
#include "ui/FileDialogFilter.h"

using namespace arc;
using arc::ui::NameFilters;
using arc::ui::ToNameFilters;

class QtUiTest : public QObject {
    Q_OBJECT

  private slots:
    void filtersBecomeCaseBlindQtFilters() {
        const std::string exe = "Exe files (*.exe)|*.exe|All files (*.*)|*.*|";
        NameFilters filters = ToNameFilters(exe);
        QCOMPARE(filters.filters,
                 QStringList({"Exe files (*.exe) (*.[eE][xX][eE])", "All files (*.*) (*)"}));
        QCOMPARE(filters.selected, 0);
        // A program without extension selects the filter that shows it.
        QCOMPARE(ToNameFilters(exe, "/usr/games/mame").selected, 1);
        QCOMPARE(ToNameFilters(exe, "/opt/MAME.EXE").selected, 0);

        filters = ToNameFilters("Pictures|*.png; *.JPG|Archives|*.zip");
        QCOMPARE(filters.filters, QStringList({"Pictures (*.[pP][nN][gG] *.[jJ][pP][gG])",
                                               "Archives (*.[zZ][iI][pP])"}));
        QCOMPARE(ToNameFilters("Files dat(*.dat)|*.dat|Only a description|").filters.size(), 2);
        QCOMPARE(ToNameFilters("Only a description|").filters,
                 QStringList({"Only a description (*)"}));
        QVERIFY(ToNameFilters("").filters.isEmpty());
    }

    void messageBoxesUseTheDesignedIconsAndButtons() {
        test::QtProgramFolder folder;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QString text, title;
        auto inspect = [&](QMessageBox* box) {
            icon = box->icon();
            buttons = box->standardButtons();
            text = box->text();
            title = box->windowTitle();
            QAbstractButton* press = box->defaultButton();
            (press ? press : box->button(QMessageBox::Ok))->click();
        };
        {
            test::OnNextModal<QMessageBox> answer(inspect);
            QCOMPARE(folder.ui.Message("Sure?", MsgButtons::YesNo, MsgIcon::Question),
                     MsgAnswer::Yes);
            QCOMPARE(icon, QMessageBox::Question);
            QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(title, QString("Arcanote"));
        }
        {
            test::OnNextModal<QMessageBox> answer(inspect);
            folder.ui.Message("<b>not bold</b>\nline 2", MsgButtons::Ok, MsgIcon::Exclamation,
                              "Title");
            QCOMPARE(icon, QMessageBox::Warning);
            QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(text, QString("<b>not bold</b>\nline 2"));
            QCOMPARE(title, QString("Title"));
        }
        {
            test::OnNextModal<QMessageBox> answer(inspect);
            folder.ui.Message("Stop", MsgButtons::OkCancel, MsgIcon::Critical);
            QCOMPARE(icon, QMessageBox::Critical);
            QCOMPARE(buttons, QMessageBox::Ok | QMessageBox::Cancel);
        }
        // Closed with Escape: the safe answer.
        test::OnNextModal<QMessageBox> escape([](QMessageBox* box) { box->reject(); });
        QCOMPARE(folder.ui.Message("Delete?", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::No);
    }

    void choosersCancelledGiveNothing() {
        test::QtProgramFolder folder;
        {
            test::OnNextModal<QFileDialog> cancel([](QFileDialog* dialog) { dialog->reject(); });
            QCOMPARE(folder.ui.ChooseFolderRaw(folder.home.str(), "Pick"), std::string());
            QCOMPARE(cancel.Seen(), std::string("FolderDialog"));
        }
        test::OnNextModal<QFileDialog> cancel([](QFileDialog* dialog) { dialog->reject(); });
        FileDialogRequest request;
        request.initialName = folder.home.file("x.mdb");
        request.filter = "Access file (*.MDB)|*.mdb|";
        QCOMPARE(folder.ui.ChooseFileRaw(request), std::string());
        QCOMPARE(cancel.Seen(), std::string("FileDialog"));
    }

    void folderChosenComesBackAsIs() {
        test::QtProgramFolder folder;
        std::filesystem::create_directories(folder.home.path() / "roms");
        const QString roms = QString::fromStdString(folder.home.file("roms"));
        test::OnNextModal<QFileDialog> choose([roms](QFileDialog* dialog) {
            dialog->setDirectory(roms);
            static_cast<QDialog*>(dialog)->accept();
        });
        QCOMPARE(QString::fromStdString(folder.ui.ChooseFolderRaw(folder.home.str(), "Pick")),
                 roms);
    }

    void windowsNeedTheMainWindow() {
        test::QtProgramFolder folder;
        QVERIFY(!folder.ui.OpenWindow("Form1"));
        QVERIFY(!folder.ui.IsWindowOpen("Form1"));
        QVERIFY(!folder.ui.IsWindowOpen("Form2"));
        folder.ui.SetMenusEnabled(false);  // nothing to switch, nothing breaks
        folder.ui.EndProgram(3);
        QCOMPARE(folder.endCodes, std::vector<int>({3}));
    }
};

QTEST_MAIN(QtUiTest)
#include "qt_ui.moc"
