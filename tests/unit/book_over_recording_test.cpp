// A book is never written over the recording it is made from.
#include <gtest/gtest.h>

#include "importers/importers.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

TEST(BookOverRecording, TheRecordingStaysAndTheUserIsTold)
{
    const std::string recording = "1,S1,1.5\r\n2,P1,10,100,50,1.5,Muro\r\n";
    // In the window the Save dialog's name gets ".qrb": a recording named so.
    for (const bool cli : {true, false}) {
        test::Harness h;
        const std::string path = (h.dir / "rilievo.qrb").string();
        test::write_file(path, recording);
        ImportContext ctx{h.state, h.ui, h.options, cli ? path : std::string(), h.clock};
        if (!cli) h.ui.save_results = {path};  // then cancelled when offered again
        imp_srg(ctx, path);
        EXPECT_EQ(test::read_file(path), recording);
        ASSERT_FALSE(h.ui.boxes.empty());
        EXPECT_EQ(h.ui.box_lines().back(),
                  "box|excl|Importa file Sokkia SRG|Il libretto QRB non può essere salvato sul file dello strumento "
                  "da cui è ricavato: scegliere un altro nome.|ok");
        EXPECT_FALSE(h.ui.busy);
    }
}

}  // namespace
}  // namespace qrb
