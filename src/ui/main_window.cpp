#include "ui/main_window.hpp"

#include <exception>
#include <utility>

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "app/about.hpp"
#include "app/dispatch.hpp"
#include "app/handler_error.hpp"
#include "app/import_from_file.hpp"
#include "app/instrument_list.hpp"
#include "app/selection.hpp"
#include "common/failure.hpp"
#include "ui/widget_helpers.hpp"

namespace qrb {

namespace {

QPushButton* make_button(QWidget* parent, const char* name, const char* caption, QStyle::StandardPixmap icon,
                         bool picture)
{
    auto* b = new QPushButton(q(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(parent->style()->standardIcon(icon));
    if (picture) {
        b->setIconSize(QSize(32, 32));
        b->setMinimumHeight(52);
    } else {
        b->setMinimumHeight(30);
    }
    return b;
}

// Keeps the list's current entry in view whenever the list changes size: as
// the window takes its size at start-up, and when the "GSI doppia precisione"
// box appears below the list and the list shrinks.
class KeepCurrentInView : public QObject {
public:
    explicit KeepCurrentInView(QListWidget* list) : QObject(list), list_(list)
    {
        list->viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // After the list has laid out its new size.
        if (event->type() == QEvent::Resize)
            QTimer::singleShot(0, list_, [list = list_] {
                if (QListWidgetItem* item = list->currentItem()) list->scrollToItem(item);
            });
        return QObject::eventFilter(watched, event);
    }

private:
    QListWidget* list_;
};

}  // namespace

MainWindow::MainWindow(Ui& ui, Shell& shell, SettingsStore& settings, StartupEnvironment env, QWidget* parent)
    : QWidget(parent), ui_(ui), shell_(shell), settings_(settings), env_(std::move(env))
{
    build();
}

void MainWindow::build()
{
    setObjectName(QStringLiteral("rito"));
    setWindowTitle(q(kProgramName));

    auto* root = new QVBoxLayout(this);

    lbl_info = named(new QLabel(q("Importa le misure o configura i parametri di comunicazione"), this), "lbl_info");
    lbl_info->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    lbl_info->setMargin(4);
    root->addWidget(lbl_info);

    panels = named(new QStackedWidget(this), "panels");
    root->addWidget(panels, 1);

    // The main panel: the list and the options on the left, the buttons on the right.
    pan_princ = named(new QWidget(panels), "pan_princ");
    auto* princ = new QHBoxLayout(pan_princ);
    princ->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    princ->addLayout(left, 1);

    auto* frame0 = named(new QGroupBox(q("Lista degli strumenti e formato dati :"), pan_princ), "Frame_0");
    auto* f0 = new QVBoxLayout(frame0);
    f0->addWidget(named(new QLabel(q("Seleziona lo strumento o formato dati"), frame0), "Label"));
    list_reg = named(new QListWidget(frame0), "list_reg");
    list_reg->setSortingEnabled(false);
    list_reg->setMinimumHeight(220);
    new KeepCurrentInView(list_reg);
    f0->addWidget(list_reg, 1);
    auto* chosen = new QHBoxLayout;
    tipo = named(new QLabel(frame0), "tipo");
    QFont bold = tipo->font();
    bold.setBold(true);
    tipo->setFont(bold);
    lab_num = named(new QLabel(QStringLiteral("1"), frame0), "lab_num");
    lab_num->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    lab_num->setAlignment(Qt::AlignCenter);
    lab_num->setMinimumWidth(36);
    chosen->addWidget(tipo, 1);
    chosen->addWidget(lab_num);
    f0->addLayout(chosen);
    left->addWidget(frame0, 1);

    auto* frame1 = named(new QGroupBox(q("Opzioni generali :"), pan_princ), "Frame_1");
    auto* f1 = new QVBoxLayout(frame1);
    op_gen = named(new QCheckBox(q("Opzione generica"), frame1), "op_gen");
    op_gen->setVisible(false);
    tipo_iz = named(new QRadioButton(q("Distanza Inclinata / Zenit"), frame1), "tipo_iz");
    tipo_od = named(new QRadioButton(q("Distanza Ridotta / Dislivello"), frame1), "tipo_od");
    tipo_iz->setChecked(true);
    op_note = named(new QCheckBox(q("Note <-> Codici punto"), frame1), "op_note");
    op_note->setChecked(true);
    f1->addWidget(op_gen);
    f1->addWidget(tipo_iz);
    f1->addWidget(tipo_od);
    f1->addWidget(op_note);
    left->addWidget(frame1);

    auto* buttons = new QVBoxLayout;
    princ->addLayout(buttons);
    btn_config = make_button(pan_princ, "btn_config", "C&onfigura parametri", QStyle::SP_ComputerIcon, true);
    Command1 = make_button(pan_princ, "Command1", "&Importa da file", QStyle::SP_DialogOpenButton, true);
    btn_impreg = make_button(pan_princ, "btn_impreg", "&Leggi da strumento", QStyle::SP_ArrowDown, true);
    btn_edit = make_button(pan_princ, "btn_edit", "&Edita formato", QStyle::SP_FileDialogDetailedView, false);
    Command5 = make_button(pan_princ, "Command5", "I&nfo", QStyle::SP_MessageBoxInformation, false);
    Command2 = make_button(pan_princ, "Command2", "&Chiudi", QStyle::SP_DialogCloseButton, false);
    for (QPushButton* b : {Command1, btn_impreg, btn_config, btn_edit}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(Command5);
    buttons->addWidget(Command2);
    panels->addWidget(pan_princ);

    // The communication settings and the download fill these two.
    pan_config = named(new QGroupBox(q("Configurazione parametri di comunicazione :"), panels), "pan_config");
    new QVBoxLayout(pan_config);
    panels->addWidget(pan_config);
    frame_lett = named(new QGroupBox(q("Lettura da registratore :"), panels), "frame_lett");
    new QVBoxLayout(frame_lett);
    panels->addWidget(frame_lett);
    panels->setCurrentWidget(pan_princ);

    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &MainWindow::Command5_Click);
    connect(list_reg, &QListWidget::currentRowChanged, this, &MainWindow::list_reg_Click);

    resize(720, 520);
}

void MainWindow::show_panel(Panel panel)
{
    switch (panel) {
    case Panel::Main: panels->setCurrentWidget(pan_princ); break;
    case Panel::Config: panels->setCurrentWidget(pan_config); break;
    case Panel::Download: panels->setCurrentWidget(frame_lett); break;
    }
}

void MainWindow::form_load()
{
    try {
        const StartupSettings s = load_startup_settings(settings_, env_);
        state_.work_folder = s.work_folder;
        if (s.survey_od) tipo_od->setChecked(true);
        state_.download_extension = s.download_extension;
        comm_ = s.comm;
        for (const InstrumentEntry& entry : instrument_list()) list_reg->addItem(q(entry.text));
        command_line_path_ = s.command_line_path;
        state_.results_folder = s.results_folder;
        state_.download_folder = s.download_folder;
        appdata_folder_ = s.appdata_folder;
        if (hooks_.settings_loaded) hooks_.settings_loaded(s);

        // The selection handler runs inside the list's signal: a failure it
        // lets through is kept there and reported here, as start-up's own.
        loading_ = true;
        list_reg->setCurrentRow(s.list_position);  // runs list_reg_Click
        loading_ = false;
        if (QListWidgetItem* item = list_reg->currentItem())
            list_reg->scrollToItem(item, QAbstractItemView::PositionAtCenter);
        if (load_failure_) std::rethrow_exception(std::exchange(load_failure_, nullptr));
    } catch (const RunError& e) {
        // A path or record-length failure is passed over; the window opens
        // with what was set up so far.
        if (e.code() != kPathFileAccess && e.code() != kBadRecordLength) report_handler_error(ui_, "load form");
    } catch (...) {
        report_handler_error(ui_, "load form");
    }
}

void MainWindow::list_reg_Click()
{
    // No failure may pass through the list's signal.
    try {
        select_entry(list_reg->currentRow());
    } catch (...) {
        if (loading_)
            load_failure_ = std::current_exception();
        else
            report_handler_error(ui_, "list_reg");
    }
}

void MainWindow::select_entry(int position)
{
    const SelectionView view = selection_view(position);
    tipo->setText(q(view.tipo));
    lab_num->setText(q(view.lab_num));
    op_gen->setVisible(false);
    if (view.show_op_gen) {
        op_gen->setText(q(kGsiDoublePrecision));
        op_gen->setVisible(true);
    }
    const auto list = instrument_list();
    if (position < 0 || position >= static_cast<int>(list.size())) return;
    SelectionServices services{ui_, shell_, appdata_folder_, hooks_.load_commands, hooks_.wizard_first_step};
    selection_action(list[static_cast<std::size_t>(position)], services);
}

const ImportOptions& MainWindow::import_options()
{
    options_.tipo_iz = tipo_iz->isChecked();
    options_.tipo_od = tipo_od->isChecked();
    options_.op_note = op_note->isChecked() ? 1 : 0;
    options_.op_gen = op_gen->isChecked() ? 1 : 0;
    return options_;
}

ImportContext MainWindow::import_context() { return ImportContext{state_, ui_, import_options(), command_line_path_}; }

std::string MainWindow::selected_entry_text() const
{
    const QListWidgetItem* item = list_reg->currentItem();
    return item ? item->text().toStdString() : std::string();
}

void MainWindow::Command1_Click()
{
    ImportContext ctx = import_context();
    DispatchHooks hooks{hooks_.wizard_send_sample};
    if (import_from_file(ctx, selected_entry_text(), hooks) == AfterImport::EndProgram) close();
}

void MainWindow::Command2_Click() { close(); }

void MainWindow::Command5_Click() { ui_.message_box(about_text(), kAboutTitle, Icon::Information); }

void MainWindow::form_unload()
{
    save_on_unload(settings_, list_reg->currentRow(), import_options());
    if (hooks_.close_port) hooks_.close_port();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!ended_) {
        ended_ = true;
        try {
            form_unload();
        } catch (...) {
            report_handler_error(ui_, "Form_Unload");
        }
        emit program_ended();
    }
    event->accept();
}

}  // namespace qrb
