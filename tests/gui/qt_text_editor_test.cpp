// "Edita formato" starts the desktop's text editor for plain text on the
// download. The desktop is faked: xdg-mime names a desktop entry of the
// test's own under a temporary XDG_DATA_HOME, the editor and the terminal
// emulator are scripts that write their arguments to a file, PATH holds only
// the fakes, and the desktop's handler of a file is caught through Qt's URL
// handler for the file scheme (the offscreen platform opens no URL itself).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <optional>
#include <string>
#include <vector>

#include "platform/qt/qt_text_editor.hpp"

namespace qrb {
namespace {

using Args = std::vector<std::string>;

// The URLs QDesktopServices::openUrl was asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    Args urls;
public slots:
    void open(const QUrl& url) { urls.push_back(url.toString().toStdString()); }
};

// Sets an environment variable for one test and gives back the value it had.
class EnvOverride {
public:
    EnvOverride(const char* name, const QByteArray& value)
        : name_(name), was_set_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        qputenv(name_, value);
    }
    ~EnvOverride()
    {
        if (was_set_) qputenv(name_, old_);
        else qunsetenv(name_);
    }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    const char* name_;
    bool was_set_;
    QByteArray old_;
};

constexpr const char* kDesktopId = "qrb-test-editor.desktop";

class TextEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        const QDir root(dir_.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(root.mkpath(QStringLiteral("data/applications")));
        ASSERT_TRUE(root.mkpath(QStringLiteral("risultati 1")));
        download_ = dir_.filePath(QStringLiteral("risultati 1/datireg.dat"));
        write_file(download_, "1 2 3\n", false);
        editor_ = dir_.filePath(QStringLiteral("editor"));
        write_file(editor_, recorder_script(QStringLiteral("editor.args")), true);
        // xdg-mime names the test's entry as the editor for plain text.
        write_file(in_bin(QStringLiteral("xdg-mime")),
                   QStringLiteral("#!/bin/sh\n"
                                  "[ \"$*\" = \"query default text/plain\" ] || exit 1\n"
                                  "echo %1\n")
                       .arg(QLatin1String(kDesktopId)),
                   true);
        path_.emplace("PATH", QFile::encodeName(dir_.filePath(QStringLiteral("bin"))));
        data_home_.emplace("XDG_DATA_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("data"))));
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened_, "open");
    }

    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        data_home_.reset();
        path_.reset();
    }

    QString in_bin(const QString& name) const { return dir_.filePath(QStringLiteral("bin/") + name); }
    QString record(const QString& name) const { return dir_.filePath(name); }

    // A shell script that writes its arguments, one a line, to the record
    // `name`, through a temporary file so that the record appears whole.
    QString recorder_script(const QString& name) const
    {
        return QStringLiteral("#!/bin/sh\n"
                              "PATH=/usr/bin:/bin\n"
                              "printf '%s\\n' \"$@\" > '%1.part' && mv '%1.part' '%1'\n")
            .arg(record(name));
    }

    // A fake x-terminal-emulator: records its arguments, then runs the
    // command that follows -e, as the real one does.
    void install_terminal()
    {
        write_file(in_bin(QStringLiteral("x-terminal-emulator")),
                   recorder_script(QStringLiteral("terminal.args")) +
                       QStringLiteral("[ \"$1\" = -e ] || exit 2\nshift\nexec \"$@\"\n"),
                   true);
    }

    void install_entry(const QString& text)
    {
        write_file(dir_.filePath(QStringLiteral("data/applications/") + QLatin1String(kDesktopId)), text, false);
    }

    QString editor_entry(const QString& terminal_line) const
    {
        return QStringLiteral("[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Editor\n"
                              "Exec=\"%1\" --new %F\n")
                   .arg(editor_) +
               terminal_line;
    }

    static void write_file(const QString& path, const QString& text, bool executable)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(text.toUtf8()), text.toUtf8().size());
        file.close();
        if (executable) {
            ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
    }

    // The lines of a record, once it appears (at most five seconds).
    std::optional<Args> wait_for(const QString& name) const
    {
        QElapsedTimer clock;
        clock.start();
        QFile file(record(name));
        while (!file.exists()) {
            if (clock.elapsed() > 5000) return std::nullopt;
            QThread::msleep(20);
        }
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        Args lines;
        for (const QByteArray& line : file.readAll().split('\n')) lines.push_back(line.toStdString());
        if (!lines.empty() && lines.back().empty()) lines.pop_back();
        return lines;
    }

    // Whether a record is absent after a while given to programs that
    // should not have been started.
    bool never_written(const QString& name) const
    {
        QThread::msleep(300);
        return !QFile::exists(record(name));
    }

    // The editor was started on its own, on the file, and nothing else.
    void expect_started_directly() const
    {
        const auto editor = wait_for(QStringLiteral("editor.args"));
        ASSERT_TRUE(editor) << "the editor was not started";
        EXPECT_EQ(*editor, (Args{"--new", download()}));
        EXPECT_TRUE(never_written(QStringLiteral("terminal.args")));
        EXPECT_EQ(opened_.urls, Args{});
    }

    // The terminal emulator was started with the editor's command after -e.
    void expect_started_in_terminal() const
    {
        const auto terminal = wait_for(QStringLiteral("terminal.args"));
        ASSERT_TRUE(terminal) << "x-terminal-emulator was not started";
        EXPECT_EQ(*terminal, (Args{"-e", editor(), "--new", download()}));
    }

    std::string download() const { return download_.toStdString(); }
    std::string editor() const { return editor_.toStdString(); }
    std::string download_url() const { return QUrl::fromLocalFile(download_).toString().toStdString(); }

    QTemporaryDir dir_;
    QString download_;
    QString editor_;
    UrlRecorder opened_;
    std::optional<EnvOverride> path_;
    std::optional<EnvOverride> data_home_;
};

TEST_F(TextEditorTest, TerminalProgramStartsInTerminalEmulatorWithFile)
{
    install_terminal();
    install_entry(editor_entry(QStringLiteral("Terminal=true\n")));

    QtTextEditor().edit(download());

    expect_started_in_terminal();
    const auto editor = wait_for(QStringLiteral("editor.args"));
    ASSERT_TRUE(editor) << "the terminal did not run the editor";
    EXPECT_EQ(*editor, (Args{"--new", download()}));
    EXPECT_EQ(opened_.urls, Args{});
}

TEST_F(TextEditorTest, GraphicalEditorStartsDirectly)
{
    install_terminal();
    install_entry(editor_entry(QStringLiteral("Terminal=false\n")));

    QtTextEditor().edit(download());

    expect_started_directly();
}

TEST_F(TextEditorTest, TerminalKeyOutsideDesktopEntryGroupIsIgnored)
{
    install_terminal();
    // The entry's own group says nothing of a terminal (false); an action's
    // group says true.
    install_entry(editor_entry(QString()) +
                  QStringLiteral("Actions=Shell;\n"
                                 "\n"
                                 "[Desktop Action Shell]\n"
                                 "Name=Shell\n"
                                 "Exec=/bin/false\n"
                                 "Terminal=true\n"));

    QtTextEditor().edit(download());

    expect_started_directly();
}

TEST_F(TextEditorTest, TerminalValueIsReadWithBlanksAroundEquals)
{
    install_terminal();
    install_entry(editor_entry(QStringLiteral("Terminal = true\n")));

    QtTextEditor().edit(download());

    expect_started_in_terminal();
}

TEST_F(TextEditorTest, TerminalProgramWithoutTerminalEmulatorOpensFileWithDesktopHandler)
{
    install_entry(editor_entry(QStringLiteral("Terminal=true\n")));

    QtTextEditor().edit(download());

    EXPECT_EQ(opened_.urls, Args{download_url()});
    EXPECT_TRUE(never_written(QStringLiteral("editor.args"))) << "the terminal program was started without a terminal";
}

TEST_F(TextEditorTest, TerminalEmulatorThatCannotStartOpensFileWithDesktopHandler)
{
    // Executable, found on PATH, but its interpreter does not exist.
    write_file(in_bin(QStringLiteral("x-terminal-emulator")), QStringLiteral("#!/nonexistent/sh\n"), true);
    install_entry(editor_entry(QStringLiteral("Terminal=true\n")));

    QtTextEditor().edit(download());

    EXPECT_EQ(opened_.urls, Args{download_url()});
    EXPECT_TRUE(never_written(QStringLiteral("editor.args")));
}

}  // namespace
}  // namespace qrb

#include "qt_text_editor_test.moc"
