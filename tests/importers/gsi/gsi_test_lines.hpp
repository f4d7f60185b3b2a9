#pragma once
// GSI words, book parts and boxes that the GSI converter tests share.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/harness.hpp"

namespace qrb::test {

// A GSI-8 word: WI, four information characters, sign, eight data characters
// (zeros added on the left), blank.
inline std::string w8(const std::string& wi, const std::string& data, char sign = '+')
{
    return wi + "..10" + sign + std::string(8 - data.size(), '0') + data + " ";
}

// A GSI-16 word (sixteen data characters); a GSI-16 line opens with "*".
inline std::string w16(const std::string& wi, const std::string& data, char sign = '+')
{
    return wi + "..10" + sign + std::string(16 - data.size(), '0') + data + " ";
}

// The five header tags with their values.
inline std::string book_header(const std::string& title, const std::string& type, const std::string& note)
{
    return crlf({"#titolo#", title, "#loc#", "Nessuna", "#tipo#", type, "#angoli#", "CENT", "#note#", note});
}

inline const std::string kTrailer = crlf({"#origine#", "0|0|0|"});

// The notice before the Save dialog (outside command-line mode).
inline const std::string kSaveNotice =
    "box|info|Importazione file strumentale|Il file dello strumento verrà salvato in un file dati in formato Quarel "
    "(libretto QRB)|ok";

// A box line answered with OK.
inline std::string ok_box(const std::string& icon, const std::string& title, const std::string& text)
{
    return "box|" + icon + "|" + title + "|" + text + "|ok";
}

// The fixed boxes of a converter: `title` is its box title, `book_title` the
// title of its book and of its nothing-found box.
struct ConverterBoxes {
    std::string title;
    std::string book_title;

    std::string success() const { return ok_box("info", title, "File importato con successo."); }
    std::string nothing_found() const { return ok_box("excl", book_title, "File non valido, importazione fallita."); }
    std::string excl(const std::string& text) const { return ok_box("excl", title, text); }
};

// A file that the converter refuses: an empty book and one box.
struct RefusedCase {
    const char* name;
    std::string input;
    std::string box;
};

// Runs each case in command-line mode and expects an empty book, the boxes
// `before` and then the case's box, and the busy pointer restored.
inline void expect_refused(const ConverterFn& converter, const std::vector<RefusedCase>& cases,
                           const std::vector<std::string>& before = {})
{
    for (const auto& c : cases) {
        Harness h;
        h.cli();
        const auto r = h.run(converter, c.input);
        EXPECT_TRUE(r.book_exists) << c.name;
        EXPECT_EQ(r.book, "") << c.name;
        std::vector<std::string> boxes = before;
        boxes.push_back(c.box);
        EXPECT_EQ(r.boxes, boxes) << c.name;
        EXPECT_FALSE(r.busy_after) << c.name;
    }
}

}  // namespace qrb::test
