#pragma once
// Text routines shared by the converters.
#include <string>
#include <string_view>

#include "common/work_state.hpp"

namespace qrb {

class Shell;

// Splits state.work_line at `separator` (found without regard to case) into
// line_fields 1..22; text after the last separator is not stored. Only the
// separator's first character is dropped after each field.
void split_fields(WorkState& state, std::string_view separator);

// Trims a name and replaces "," by ".", "|" by "\", "#" by "*" and " " by
// "_"; the result is also kept in state.normalized_name.
void normalize_name(WorkState& state, std::string& name);

// A value formatted with a mask, "," replaced by ".", padded with blanks on
// the right up to `width` (0: no padding).
std::string format_padded(double value, std::string_view mask, int width);

// Trims line_fields 1..22; element 0 is left alone.
void trim_fields(WorkState& state);

// True when an element from position 1 on equals `text` without regard to case.
bool find_in_string_array(const std::vector<std::string>& list, std::string_view text);

// Rewrites the file as records: the lines between two marker lines are
// joined into one line; the text after the last marker is dropped. Works
// through "_tmp.dat" in the results folder.
void join_lines_at_marker(WorkState& state, const std::string& path, std::string_view marker);

// Opens a document, folder or link in the shell; failures are ignored.
void shell_open(Shell& shell, const std::string& target);

// A file in a folder, as "folder\name" names it.
std::string path_in(const std::string& folder, const std::string& name);

}  // namespace qrb
