#include "ui/download_panel.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "common/text.hpp"
#include "ui/widget_helpers.hpp"

namespace qrb {

namespace {

// Received text as the echo box shows it: every line end as one break.
QString echo_text(const std::string& bytes)
{
    std::string shown;
    shown.reserve(bytes.size());
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        if (bytes[k] == '\r') {
            shown += '\n';
            if (k + 1 < bytes.size() && bytes[k + 1] == '\n') ++k;
        } else {
            shown += bytes[k];
        }
    }
    return q(cp1252_to_utf8(shown));
}

constexpr int kMarkSize = 10;

}  // namespace

DownloadPanel::DownloadPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("download_panel"));
    auto* root = new QVBoxLayout(this);

    txt_dati = named(new QPlainTextEdit(this), "txt_dati");
    txt_dati->setReadOnly(true);
    txt_dati->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txt_dati->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: black; color: #40ff40; }"));
    root->addWidget(txt_dati, 1);

    info = named(new QLabel(this), "info");
    root->addWidget(info);

    // The track along which the progress mark moves.
    auto* track = named(new QWidget(this), "mark_track");
    track->setFixedHeight(kMarkSize + 4);
    track->setMinimumWidth(346 + kMarkSize);
    Shape = named(new QFrame(track), "Shape");
    Shape->setFixedSize(kMarkSize, kMarkSize);
    Shape->setStyleSheet(QStringLiteral("QFrame { background-color: #2060c0; }"));
    Shape->move(36, 2);
    root->addWidget(track);

    auto* command_row = new QHBoxLayout;
    txt_comando = named(new QComboBox(this), "txt_comando");
    txt_comando->setEditable(true);
    txt_comando->setInsertPolicy(QComboBox::NoInsert);
    txt_comando->setMinimumWidth(160);
    btn_comando = named(new QPushButton(q("<- I&nvia comando"), this), "btn_comando");
    op_linefeed = named(new QCheckBox(q("+ &LineFeed"), this), "op_linefeed");
    command_row->addWidget(txt_comando, 1);
    command_row->addWidget(btn_comando);
    command_row->addWidget(op_linefeed);
    root->addLayout(command_row);

    desc_comm = named(new QLabel(this), "desc_comm");
    root->addWidget(desc_comm);

    btn_interr = named(new QPushButton(q("&Interrompi"), this), "btn_interr");
    root->addWidget(btn_interr, 0, Qt::AlignRight);

    connect(txt_comando, &QComboBox::editTextChanged, this, &DownloadPanel::txt_comando_Change);
    connect(txt_comando, qOverload<int>(&QComboBox::activated), this, &DownloadPanel::txt_comando_Click);
    connect(btn_comando, &QPushButton::clicked, this, [this] {
        emit command_requested(txt_comando->currentText().toStdString(), op_linefeed->isChecked());
    });
    connect(btn_interr, &QPushButton::clicked, this, &DownloadPanel::interrupt_requested);
}

void DownloadPanel::set_echo(const std::string& text)
{
    txt_dati->setPlainText(echo_text(text));
    txt_dati->moveCursor(QTextCursor::End);
    txt_dati->ensureCursorVisible();
}

void DownloadPanel::set_progress_text(const std::string& text) { info->setText(q(text)); }

void DownloadPanel::set_progress_mark(int left) { Shape->move(left, Shape->y()); }

void DownloadPanel::clear_command_box()
{
    txt_comando->setCurrentIndex(-1);
    txt_comando->clearEditText();
    desc_comm->clear();
}

void DownloadPanel::set_commands(const CommandTable& table)
{
    commands_ = table;
    const QSignalBlocker block(txt_comando);
    const QString text = txt_comando->currentText();
    txt_comando->clear();
    for (const auto& entry : table.commands) txt_comando->addItem(q(cp1252_to_utf8(entry.command)));
    txt_comando->setCurrentIndex(-1);
    txt_comando->setEditText(text);
}

void DownloadPanel::txt_comando_Change() { desc_comm->setText(q(kCustomCommand)); }

void DownloadPanel::txt_comando_Click(int position)
{
    if (const auto description = commands_.description_at(position)) desc_comm->setText(q(cp1252_to_utf8(*description)));
}

}  // namespace qrb
