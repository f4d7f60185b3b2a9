#include <gtest/gtest.h>

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/qt/qt_settings_store.hpp"
#include "platform/qt/qt_ui.hpp"
#include "platform/qt/translations.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using V = std::vector<std::string>;

// Runs `act` on the modal dialog as soon as it shows.
void when_modal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

struct SeenBox {
    std::string title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton default_button = QMessageBox::NoButton;
};

// Shows a box through QtUi, records it and presses `press` (or closes it).
int box_pressing(Buttons buttons, Icon icon, QMessageBox::StandardButton press, SeenBox& seen)
{
    when_modal([&seen, press](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle().toStdString();
        seen.text = box->text().toStdString();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        if (box->defaultButton()) seen.default_button = box->standardButton(box->defaultButton());
        if (press == QMessageBox::NoButton)
            box->reject();
        else
            box->button(press)->click();
    });
    QtUi ui;
    return ui.message_box("Aprire la cartella delle istruzioni?", "Importazione file strumentale", icon, buttons);
}

TEST(QtUi, MessageBoxIconsButtonsAndAnswers)
{
    using B = QMessageBox;
    const struct {
        Buttons buttons;
        Icon icon;
        QMessageBox::StandardButton press;
        QMessageBox::Icon qt_icon;
        QMessageBox::StandardButtons qt_buttons;
        int answer;
    } cases[] = {
        {Buttons::YesNo, Icon::Question, B::No, B::Question, B::Yes | B::No, kNo},
        {Buttons::YesNo, Icon::Question, B::Yes, B::Question, B::Yes | B::No, kYes},
        {Buttons::YesNo, Icon::Question, B::NoButton, B::Question, B::Yes | B::No, kNo},
        {Buttons::Ok, Icon::Information, B::Ok, B::Information, B::Ok, kOk},
        {Buttons::Ok, Icon::Exclamation, B::NoButton, B::Warning, B::Ok, kOk},
        {Buttons::OkCancel, Icon::None, B::Cancel, B::NoIcon, B::Ok | B::Cancel, kCancel},
        {Buttons::AbortRetryIgnore, Icon::Critical, B::Retry, B::Critical, B::Abort | B::Retry | B::Ignore, kRetry},
        {Buttons::AbortRetryIgnore, Icon::Critical, B::Ignore, B::Critical, B::Abort | B::Retry | B::Ignore, kIgnore},
        {Buttons::YesNoCancel, Icon::Question, B::Cancel, B::Question, B::Yes | B::No | B::Cancel, kCancel},
        {Buttons::RetryCancel, Icon::Exclamation, B::Retry, B::Warning, B::Retry | B::Cancel, kRetry},
    };
    for (const auto& c : cases) {
        SeenBox seen;
        EXPECT_EQ(box_pressing(c.buttons, c.icon, c.press, seen), c.answer);
        EXPECT_EQ(seen.title, "Importazione file strumentale");
        EXPECT_EQ(seen.text, "Aprire la cartella delle istruzioni?");
        EXPECT_EQ(seen.icon, c.qt_icon);
        EXPECT_EQ(seen.buttons, c.qt_buttons);
    }
    SeenBox seen;
    box_pressing(Buttons::YesNo, Icon::Question, QMessageBox::Yes, seen);
    EXPECT_EQ(seen.default_button, QMessageBox::Yes);
}

TEST(QtUi, AShortBoxIsWideEnoughForItsTitle)
{
    const std::string title = "Importa file Leica GSI - Formato generico a 8 o 16 caratteri";
    int width = 0;
    when_modal([&width](QWidget* w) {
        width = w->width();
        qobject_cast<QMessageBox*>(w)->accept();
    });
    QtUi ui;
    ui.message_box("Fatto.", title, Icon::Information, Buttons::Ok);
    const int title_width =
        QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(QString::fromStdString(title));
    // Beside the title, a title bar holds the window icon and three buttons
    // (about 120 pixels); Qt's own allowance is 50.
    EXPECT_GE(width, title_width + 120);
}

TEST(QtUi, NameFilters)
{
    EXPECT_EQ(dialog_name_filters("File registratore (*.DAT)|*.DAT|Tutti i file (*.*)|*.*"),
              (V{"File registratore (*.DAT) (*.[dD][aA][tT])", "Tutti i file (*.*) (*)"}));
    EXPECT_EQ(dialog_name_filters("File registratore (*.)|*.|Tutti i file (*.*)|*.*"),
              (V{"File registratore (*.) (*.)", "Tutti i file (*.*) (*)"}));
    // The Save dialog's label shows its pattern.
    EXPECT_EQ(dialog_name_filters("Quarel Rilievo (*.qrb)"), V{"Quarel Rilievo (*.qrb) (*.[qQ][rR][bB])"});
    EXPECT_EQ(dialog_name_filters("Solo etichetta"), V{"Solo etichetta"});

    // The pattern finds recorder files whatever the case of their names.
    test::TempDir dir;
    for (const char* name : {"a.dat", "B.DAT", "c.Dat", "d.txt", "edat"}) test::write_file(dir / name, "x");
    QStringList found =
        QDir(QString::fromStdString(dir.path().string())).entryList({QStringLiteral("*.[dD][aA][tT]")}, QDir::Files);
    found.sort();
    EXPECT_EQ(found, (QStringList{"B.DAT", "a.dat", "c.Dat"}));
}

TEST(QtUi, OpenDialog)
{
    test::TempDir dir;
    test::write_file(dir / "RILIEVO.DAT", "x");
    const std::string folder = dir.path().string();
    FileDialogRequest request;
    request.initial_folder = folder;
    request.file_name = "*.dat";
    request.filter = "File registratore (*.dat)|*.dat|Tutti i file (*.*)|*.*";

    QStringList filters;
    QString directory, title;
    when_modal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        filters = d->nameFilters();
        directory = d->directory().absolutePath();
        title = d->windowTitle();
        d->selectFile(QString::fromStdString((dir / "RILIEVO.DAT").string()));
        static_cast<QDialog*>(d)->accept();
    });
    QtUi ui;
    EXPECT_EQ(ui.open_file(request), (dir / "RILIEVO.DAT").string());
    EXPECT_EQ(filters, (QStringList{"File registratore (*.dat) (*.[dD][aA][tT])", "Tutti i file (*.*) (*)"}));
    EXPECT_EQ(directory.toStdString(), folder);
    EXPECT_EQ(title.toStdString(), "Apri");

    when_modal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(ui.open_file(request), std::nullopt);
}

TEST(QtUi, QtTextsInItalian)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(folder + QStringLiteral("/qtbase_it.qm")))
        GTEST_SKIP() << "Qt's Italian translations are not installed (" << folder.toStdString() << ")";
    ASSERT_TRUE(install_italian_translations(*QCoreApplication::instance()));

    // The buttons of a box.
    QStringList buttons;
    when_modal([&buttons](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons()) buttons << b->text().remove(QLatin1Char('&'));
        box->button(QMessageBox::Abort)->click();
    });
    QtUi ui;
    ui.message_box("Testo", "Titolo", Icon::Critical, Buttons::AbortRetryIgnore);
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"Ignora", "Interrompi", "Riprova"}));

    // The Save dialog: its buttons, and its filter shown with the pattern.
    FileDialogRequest request;
    request.filter = "Quarel Rilievo (*.qrb)";
    request.overwrite_prompt = true;
    QString accept_text, cancel_text, filter_shown;
    when_modal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        auto* button_box = d->findChild<QDialogButtonBox*>();
        ASSERT_NE(button_box, nullptr);
        accept_text = button_box->button(QDialogButtonBox::Save)->text().remove(QLatin1Char('&'));
        cancel_text = button_box->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&'));
        auto* filters = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(filters, nullptr);
        filter_shown = filters->currentText();
        static_cast<QDialog*>(d)->reject();
    });
    EXPECT_EQ(ui.save_file(request), std::nullopt);
    EXPECT_EQ(accept_text.toStdString(), "Salva");
    EXPECT_EQ(cancel_text.toStdString(), "Annulla");
    EXPECT_EQ(filter_shown.toStdString(), "Quarel Rilievo (*.qrb)");
}

TEST(QtUi, BusyPointer)
{
    QtUi ui;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    {
        BusyPointer busy(ui);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ui.set_busy(false);  // nothing to restore
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtSettingsStore, OneIniFilePerApplication)
{
    test::TempDir dir;
    const std::string folder = dir.path().string();
    {
        QtSettingsStore store(folder);
        EXPECT_EQ(store.get("Quarel_3D", "import", "strumento", "2"), "2");
        store.set("Quarel_3D", "import", "strumento", " 48");
        store.set("Quarel_3D", "import", "tipo_dati", "OD");
        store.set("Quarel_3D", "import", "start_stri", "a,b");
        EXPECT_EQ(store.file_of("QuarelN"), folder + "/QuarelN.ini");
    }
    // Values written by the host application.
    test::write_file(dir / "QuarelN.ini", "[import]\r\nresdir=/home/u/risultati\r\n");
    test::write_file(dir / "other.ini", "");

    QtSettingsStore store(folder);
    EXPECT_EQ(store.get("Quarel_3D", "import", "strumento"), " 48");
    EXPECT_EQ(store.get("Quarel_3D", "import", "tipo_dati"), "OD");
    EXPECT_EQ(store.get("Quarel_3D", "import", "start_stri"), "a,b");
    EXPECT_EQ(store.get("QuarelN", "import", "resdir"), "/home/u/risultati");
    EXPECT_EQ(store.get("Quarel_3D", "generale", "lavori", "/opt/quarel"), "/opt/quarel");
    const std::string ini = test::read_file(dir / "Quarel_3D.ini");
    EXPECT_NE(ini.find("[import]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("strumento=\" 48\""), std::string::npos) << ini;
}

}  // namespace
}  // namespace qrb
