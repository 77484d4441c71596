// The Qt UI service: message boxes, file dialog filters, choosers cancelled
// and answered, windows asked for before the main window exists.

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
        struct Case {
            MsgButtons buttons;
            MsgIcon icon;
            QMessageBox::Icon shownIcon;
            QMessageBox::StandardButtons shownButtons;
            MsgAnswer answer;  ///< the default button's
            const char* title;
        };
        const Case cases[] = {
            {MsgButtons::YesNo, MsgIcon::Question, QMessageBox::Question,
             QMessageBox::Yes | QMessageBox::No, MsgAnswer::Yes, ""},
            {MsgButtons::Ok, MsgIcon::Exclamation, QMessageBox::Warning, QMessageBox::Ok,
             MsgAnswer::Ok, "Title"},
            {MsgButtons::OkCancel, MsgIcon::Critical, QMessageBox::Critical,
             QMessageBox::Ok | QMessageBox::Cancel, MsgAnswer::Ok, ""},
        };
        for (const Case& c : cases) {
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            QMessageBox::StandardButtons buttons;
            QString text, title;
            test::OnNextModal<QMessageBox> inspect([&](QMessageBox* box) {
                icon = box->icon();
                buttons = box->standardButtons();
                text = box->text();
                title = box->windowTitle();
                QAbstractButton* press = box->defaultButton();
                (press ? press : box->button(QMessageBox::Ok))->click();
            });
            QCOMPARE(folder.ui.Message("<b>not bold</b>\nline 2", c.buttons, c.icon, c.title),
                     c.answer);
            QCOMPARE(icon, c.shownIcon);
            QCOMPARE(buttons, c.shownButtons);
            QCOMPARE(text, QString("<b>not bold</b>\nline 2"));
            QCOMPARE(title, QString(*c.title ? c.title : "Arcanote"));
        }
        // Closed with Escape: the safe answer.
        test::OnNextModal<QMessageBox> escape([](QMessageBox* box) { box->reject(); });
        QCOMPARE(folder.ui.Message("Delete?", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::No);
    }

    void choosersCancelledGiveNothingAndAFolderChosenComesBackAsIs() {
        test::QtProgramFolder folder;
        {
            test::OnNextModal<QFileDialog> cancel([](QFileDialog* dialog) { dialog->reject(); });
            FileDialogRequest request;
            request.initialName = folder.home.file("x.mdb");
            request.filter = "Access file (*.MDB)|*.mdb|";
            QCOMPARE(folder.ui.ChooseFileRaw(request), std::string());
            QCOMPARE(cancel.Seen(), std::string("FileDialog"));
        }
        {
            test::OnNextModal<QFileDialog> cancel([](QFileDialog* dialog) { dialog->reject(); });
            QCOMPARE(folder.ui.ChooseFolderRaw(folder.home.str(), "Pick"), std::string());
            QCOMPARE(cancel.Seen(), std::string("FolderDialog"));
        }
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
        QVERIFY(!folder.ui.OpenWindow(WindowId::Paths));
        QVERIFY(!folder.ui.IsWindowOpen(WindowId::Paths));
        folder.ui.SetMenusEnabled(false);  // nothing to switch, nothing breaks
    }
};

QTEST_MAIN(QtUiTest)
#include "QtUiTest.moc"
