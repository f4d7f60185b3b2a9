#include <gtest/gtest.h>

#include "common/failure.hpp"
#include "download/comm_settings.hpp"
#include "download_fakes.hpp"
#include "support/harness.hpp"

namespace qrb::test {
namespace {

TEST(CommSettings, ApplyWritesTheFifteenKeysInOrder)
{
    // COM3, 9600 baud, parity N, 8 data bits, 1 stop bit.
    const CommPanelValues panel{.porta = 2, .baud = 5, .parita = 2, .bit_dati = 4, .bit_stop = 0, .dtr = 1, .rts = 0,
                                .xon = 1, .crlf = 1, .agg_crlf = 0, .timeout_text = " 20 ", .start_text = "  GO ",
                                .end_text = " END", .folder_text = " /dati/scarico ", .extension_text = " dat "};
    MemorySettings store;
    WorkState state;
    DownloadParams params;
    apply_comm_settings(panel, store, state, params);
    EXPECT_EQ(store.writes, (std::vector<std::string>{"cart_scarico=/dati/scarico", "estensione=DAT", "porta= 2",
                                                      "baud= 5", "parita= 2", "bit_dati= 4", "bit_stop= 0",
                                                      "timeout=20", "dtr= 1", "rts= 0", "xon= 1", "crlf= 1",
                                                      "agg_crlf= 0", "start_stri=GO", "end_stri=END"}));
    EXPECT_EQ(store.get("Quarel_3D", "import", "porta", ""), " 2");
    EXPECT_EQ(state.download_folder, "/dati/scarico");
    EXPECT_EQ(state.download_extension, "DAT");
    EXPECT_EQ(params.timeout_seconds, 20);
    EXPECT_EQ(params.start_sequence, "GO");
    EXPECT_EQ(params.end_sequence, "END");
}

TEST(CommSettings, BlankSequencesAreStoredEmpty)
{
    CommPanelValues panel;
    panel.start_text = "    ";
    panel.crlf = 0;
    MemorySettings store;
    WorkState state;
    DownloadParams params;
    params.start_sequence = "OLD";
    apply_comm_settings(panel, store, state, params);
    EXPECT_EQ(params.start_sequence, "");
    EXPECT_EQ(store.get("Quarel_3D", "import", "start_stri", "x"), "");
    EXPECT_EQ(store.get("Quarel_3D", "import", "crlf", ""), " 0");
}

TEST(CommSettings, ExtensionIsUpperCasedInTheWindowsCodePage)
{
    CommPanelValues panel;
    panel.extension_text = " città ";
    MemorySettings store;
    WorkState state;
    DownloadParams params;
    apply_comm_settings(panel, store, state, params);
    EXPECT_EQ(state.download_extension, "CITTÀ");
}

TEST(CommSettings, TimeoutRule)
{
    struct Case {
        const char* typed;
        int seconds;
        const char* stored;
    };
    const Case cases[] = {
        {" 20 ", 20, "20"}, {"0", 15, "15"},    {"1001", 15, "15"}, {"abc", 15, "15"},   {"100000", 15, "15"},
        {"1000", 1000, "1000"}, {"1", 1, "1"},  {"0.6", 1, "0.6"},  {"2.5", 2, "2.5"},   {"3.5", 4, "3.5"},
        {"12.5", 12, "12.5"}, {"0.4", 15, "15"}, {"-5", 15, "15"},   {"1E999", 15, "15"}, {"", 15, "15"},
        {"1e3", 1000, "1e3"},
    };
    for (const auto& c : cases) {
        const TimeoutValue t = timeout_from_text(c.typed);
        EXPECT_EQ(t.seconds, c.seconds) << c.typed;
        EXPECT_EQ(t.text, c.stored) << c.typed;
    }
}

TEST(CommSettings, PortSettingsFromThePanel)
{
    CommPanelValues panel;
    panel.porta = 0;
    panel.baud = 11;
    panel.parita = 1;
    panel.bit_dati = 0;
    panel.bit_stop = 1;
    const PortSettings s = port_settings(panel);
    EXPECT_EQ(s.comm_port, 1);
    EXPECT_EQ(s.text(), "256000,M,4,1.5");

    struct Case {
        int rts, xon;
        Handshaking expected;
    };
    for (const Case c : {Case{1, 0, Handshaking::RtsCts}, Case{1, 1, Handshaking::RtsCtsXonXoff},
                         Case{0, 0, Handshaking::None}, Case{0, 1, Handshaking::XonXoff}}) {
        panel.rts = c.rts;
        panel.xon = c.xon;
        EXPECT_EQ(port_settings(panel).handshaking, c.expected) << c.rts << c.xon;
    }
}

TEST(CommSettings, PositionOutsideItsListIsAnInvalidValue)
{
    CommPanelValues panel;
    panel.baud = 12;
    EXPECT_EQ(test::failure_code([&] { (void)port_settings(panel); }), kInvalidPropertyValue);
}

}  // namespace
}  // namespace qrb::test
