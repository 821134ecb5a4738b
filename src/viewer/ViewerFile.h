#pragma once

#include "viewer/TCustomSyntaxMemo.h"

#include <memory>
#include <string>

namespace lrl {

// Loads a file into a new viewer model exactly as the viewer loads it (each line end one CR, control
// characters as '.', lines cut into nodes of at most 2047 characters), for tools that need the viewer's
// text, offsets and lines without a window. Read the text through TEdStream(memo->textStore()).
// The file's encoding is detected as the viewer does, with legacyCodePage for bytes in no Unicode form.
// Raises the errors of TCustomSyntaxMemo::loadFromFile.
std::unique_ptr<TCustomSyntaxMemo> loadViewerFile(const std::string& path, int legacyCodePage = 1252);

} // namespace lrl
