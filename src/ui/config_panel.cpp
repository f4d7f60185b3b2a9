#include "ui/config_panel.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/widget_helpers.hpp"

namespace qrb {

namespace {

template <std::size_t N>
QComboBox* list(QWidget* parent, const char* name, const std::array<std::string_view, N>& items)
{
    auto* box = named(new QComboBox(parent), name);
    for (const auto item : items) box->addItem(q(item));
    return box;
}

QCheckBox* check(QWidget* parent, const char* name, const char* caption)
{
    return named(new QCheckBox(q(caption), parent), name);
}

QLabel* heading(QWidget* parent, const char* text)
{
    auto* label = new QLabel(q(text), parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

int state_of(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

}  // namespace

ConfigPanel::ConfigPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("config_panel"));
    auto* root = new QVBoxLayout(this);

    auto* port_form = new QFormLayout;
    porta = list(this, "porta", kPortItems);
    baud = list(this, "baud", kBaudItems);
    bit_dati = list(this, "bit_dati", kDataBitsItems);
    parita = list(this, "parita", kParityItems);
    bit_stop = list(this, "bit_stop", kStopBitsItems);
    port_form->addRow(q("Porta :"), porta);
    port_form->addRow(q("Baud :"), baud);
    port_form->addRow(q("Bit dati :"), bit_dati);
    port_form->addRow(q("Parità :"), parita);
    port_form->addRow(q("Bit stop :"), bit_stop);
    auto* timeout_row = new QHBoxLayout;
    txt_timeout = named(new QLineEdit(this), "txt_timeout");
    txt_timeout->setMaximumWidth(80);
    timeout_row->addWidget(txt_timeout);
    timeout_row->addWidget(new QLabel(q("secondi"), this));
    timeout_row->addStretch(1);
    port_form->addRow(q("Timeout :"), timeout_row);
    root->addLayout(port_form);

    root->addWidget(heading(this, "Opzioni avanzate :"));
    auto* advanced = new QFormLayout;
    auto* flow_row = new QHBoxLayout;
    op_dtr = check(this, "op_dtr", "DTR/DSR");
    op_rts = check(this, "op_rts", "RTS/CTS");
    op_xon = check(this, "op_xon", "Xon/Xoff");
    flow_row->addWidget(op_dtr);
    flow_row->addWidget(op_rts);
    flow_row->addWidget(op_xon);
    flow_row->addStretch(1);
    advanced->addRow(q("Controllo flusso :"), flow_row);
    advanced->addRow(new QLabel(q("Sequenze ASCII (caratteri di testo) :"), this));
    txt_seqi = named(new QLineEdit(this), "txt_seqi");
    txt_seqf = named(new QLineEdit(this), "txt_seqf");
    advanced->addRow(q("Iniziale :"), txt_seqi);
    advanced->addRow(q("Finale :"), txt_seqf);
    auto* crlf_row = new QHBoxLayout;
    op_crlf = check(this, "op_crlf", "Forza CRLF");
    op_agg_crlf = check(this, "op_agg_crlf", "Aggiungi CRLF a sequenze ASCII");
    crlf_row->addWidget(op_crlf);
    crlf_row->addWidget(op_agg_crlf);
    crlf_row->addStretch(1);
    advanced->addRow(crlf_row);
    root->addLayout(advanced);

    root->addWidget(heading(this, "Altre opzioni :"));
    auto* other = new QFormLayout;
    auto* folder_row = new QHBoxLayout;
    dir_scarico = named(new QLineEdit(this), "dir_scarico");
    Command7 = named(new QToolButton(this), "Command7");
    Command7->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    Command7->setToolTip(q("Seleziona la cartella di scarico dati"));
    folder_row->addWidget(dir_scarico, 1);
    folder_row->addWidget(Command7);
    other->addRow(q("Cartella di scarico dati :"), folder_row);
    txt_est = named(new QLineEdit(this), "txt_est");
    txt_est->setMaximumWidth(120);
    other->addRow(q("Estensione dei file scaricati :"), txt_est);
    root->addLayout(other);

    root->addStretch(1);
    Command4 = named(new QPushButton(q("Appli&ca i parametri configurati"), this), "Command4");
    Command4->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    root->addWidget(Command4);

    choose_folder_ = [](QWidget* owner, const std::string& title) -> std::optional<std::string> {
        const QString folder = QFileDialog::getExistingDirectory(owner, q(title));
        if (folder.isEmpty()) return std::nullopt;
        return folder.toStdString();
    };
    connect(Command7, &QToolButton::clicked, this, &ConfigPanel::Command7_Click);
    connect(Command4, &QPushButton::clicked, this, &ConfigPanel::apply_requested);

    set_values(CommPanelValues{});
}

CommPanelValues ConfigPanel::values() const
{
    CommPanelValues v;
    v.porta = porta->currentIndex();
    v.baud = baud->currentIndex();
    v.parita = parita->currentIndex();
    v.bit_dati = bit_dati->currentIndex();
    v.bit_stop = bit_stop->currentIndex();
    v.dtr = state_of(op_dtr);
    v.rts = state_of(op_rts);
    v.xon = state_of(op_xon);
    v.crlf = state_of(op_crlf);
    v.agg_crlf = state_of(op_agg_crlf);
    v.timeout_text = txt_timeout->text().toStdString();
    v.start_text = txt_seqi->text().toStdString();
    v.end_text = txt_seqf->text().toStdString();
    v.folder_text = dir_scarico->text().toStdString();
    v.extension_text = txt_est->text().toStdString();
    return v;
}

void ConfigPanel::set_values(const CommPanelValues& v)
{
    porta->setCurrentIndex(v.porta);
    baud->setCurrentIndex(v.baud);
    parita->setCurrentIndex(v.parita);
    bit_dati->setCurrentIndex(v.bit_dati);
    bit_stop->setCurrentIndex(v.bit_stop);
    op_dtr->setChecked(v.dtr == 1);
    op_rts->setChecked(v.rts == 1);
    op_xon->setChecked(v.xon == 1);
    op_crlf->setChecked(v.crlf == 1);
    op_agg_crlf->setChecked(v.agg_crlf == 1);
    txt_timeout->setText(q(v.timeout_text));
    txt_seqi->setText(q(v.start_text));
    txt_seqf->setText(q(v.end_text));
    dir_scarico->setText(q(v.folder_text));
    txt_est->setText(q(v.extension_text));
}

void ConfigPanel::Command7_Click()
{
    if (!choose_folder_) return;
    const auto folder = choose_folder_(window(), "Seleziona la cartella di scarico dati");
    if (folder && !folder->empty()) dir_scarico->setText(q(*folder));
}

}  // namespace qrb
