#pragma once
// Text operations on 8-bit (Windows-1252) text, with 1-based positions as the
// recorder formats count their columns.
#include <string>
#include <string_view>

namespace qrb {

// Blanks (character 32) only; tabs and other white space stay.
std::string trim(std::string_view s);
std::string ltrim(std::string_view s);
std::string rtrim(std::string_view s);
// The trimmed part of `s`, as a view into it.
std::string_view trim_view(std::string_view s);

// At most `length` characters from 1-based `start`; a range past the end
// gives what exists. A start below 1 or a negative length fails with
// invalid argument (5).
std::string mid(std::string_view s, long long start, long long length);
// The same as a view into `s`.
std::string_view mid_view(std::string_view s, long long start, long long length);
// From 1-based `start` to the end.
std::string mid(std::string_view s, long long start);
// A field at fixed columns: its 1-based first column and its length; a
// length of 0 runs to the end of the line. A field partly beyond the end of
// a line gives what is there.
struct Column {
    long long start;
    long long length = 0;
};
std::string_view column_view(std::string_view line, Column c);
std::string column_text(std::string_view line, Column c);
// The same, trimmed of blanks.
std::string column_trimmed(std::string_view line, Column c);

// The first / last `length` characters; a negative length fails (5).
std::string left(std::string_view s, long long length);
std::string right(std::string_view s, long long length);
// 1-based position of `what` in `s` from 1-based `start`, 0 when absent;
// a start below 1 fails (5).
long long instr(std::string_view s, std::string_view what, long long start = 1);

// Upper and lower case of Windows-1252 text ("città" -> "CITTÀ").
std::string ucase(std::string_view s);
std::string lcase(std::string_view s);
bool equal_ignore_case(std::string_view a, std::string_view b);
// One byte as ucase turns it.
unsigned char upper_byte(unsigned char c);

std::string replace_all(std::string_view s, std::string_view what, std::string_view with);
bool starts_with(std::string_view s, std::string_view prefix);

// Conversions between the files' Windows-1252 bytes and the UTF-8 of the
// message boxes and of the literals in the source code.
std::string cp1252_to_utf8(std::string_view s);
std::string utf8_to_cp1252(std::string_view s);

// Text from an input made safe for one field of a record line: "|" becomes
// "\" and CR and LF are dropped, so that a field can never shift the others.
std::string field_text(std::string_view s);
// The same, appended to `out`.
void append_field_text(std::string& out, std::string_view s);
// True when the text holds a character that field_text changes.
bool needs_field_text(std::string_view s);

}  // namespace qrb
