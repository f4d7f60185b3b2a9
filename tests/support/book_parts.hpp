#pragma once
// Parts of survey books and boxes that the converters' C++ tests share.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "support/harness.hpp"

namespace qrb::test {

using Lines = std::vector<std::string>;

// The last two lines of every complete book.
inline const Lines kTrailer{"#origine#", "0|0|0|"};

// A fixed-column record: each text placed at its 1-based column, blanks in
// between; the line ends with the last text.
inline std::string columns(std::initializer_list<std::pair<std::size_t, std::string>> fields)
{
    std::string line;
    for (const auto& [column, text] : fields) {
        const std::size_t at = column - 1;
        if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
        line.replace(at, text.size(), text);
    }
    return line;
}

// The five header tags of a book.
inline std::string book_header(const std::string& title, const std::string& note, const std::string& type)
{
    return crlf({"#titolo#", title, "#loc#", "Nessuna", "#tipo#", type, "#angoli#", "CENT", "#note#", note});
}

// The notice before the Save dialog (outside command-line mode).
inline const std::string kNoticeBox =
    "box|info|Importazione file strumentale|Il file dello strumento verrà salvato in un file dati in formato Quarel "
    "(libretto QRB)|ok";

inline const std::string kTrailerLines = "#origine#\r\n0|0|0|\r\n";

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
    std::string nothing_found() const
    {
        return ok_box("excl", book_title, "File non valido, importazione fallita.");
    }
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
