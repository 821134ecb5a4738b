#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lrl {

class BrowserViewer;

// What replaces a suppressed block of binary data after its opening "{".
inline constexpr char kBinaryDataSuppressed[] = " BINARY DATA SUPPRESSED }";
// The error box of a form file that cannot be shown: kFormFileErrorLead + the failure's message + two
// CR LF line breaks + kNotBinaryForm.
inline constexpr char kFormFileErrorLead[] = "An error occured: ";
inline constexpr char kNotBinaryForm[] = "The Delphi file is not a binary Form File (DFM).";

// The error box text for a failure with the given message.
std::string formFileErrorText(const std::string& message);

// The lines of a text: CR LF, a lone CR and a lone LF each end a line; a final line end starts no
// further line.
std::vector<std::string> splitLines(std::string_view text);

// Binary-data suppression of a form's text. A line that opens binary data (an unquoted "{" that is not
// closed on the same line, as the text form writes picture and glyph data) is kept up to its "{" with
// kBinaryDataSuppressed appended; the lines of hexadecimal digits that follow are left out up to and
// including the one holding the closing "}". Data that opens and closes on one line becomes the same
// one-line note. Every other line, also one with a "{" or "}" inside a quoted string, is kept as it is.
std::vector<std::string> suppressBinaryData(const std::vector<std::string>& lines);

// Shows a form file as text in a viewer: reads the whole file, tells its format by its first bytes, and
// converts a binary (or unknown) form file with its resource header into the text form. With supBData
// the lines are filtered by suppressBinaryData, added to the cleared viewer, and the selection start put
// at 0; otherwise the viewer loads the text unchanged. Any failure (missing file, neither text nor a
// resource-headed binary form, a damaged form) raises lrl::Exception with formFileErrorText, and the
// viewer keeps what it had. A binary form becomes UTF-8 text (its 8-bit texts that are no UTF-8 read in
// legacyCodePage); the viewer detects the text's encoding as it does a file's.
void convertFormFile(const std::string& path, BrowserViewer& viewer, bool supBData, int legacyCodePage = 1252);

} // namespace lrl
