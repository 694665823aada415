// Names that come from a pack and end up in paths: made safe before use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace clavitone {

// A folder name for the pack's files, from its id (or its name when the id
// is empty): only letters, digits, blank, '-', '_' and '.', no leading or
// trailing dots or blanks, no device name, at most 64 characters, never empty.
std::string SafeFolderName(std::string_view id, std::string_view name);

// A name SafeFolderName could have made: the only names of folders under
// Packs that deleting a scheme removes.
bool IsSafeFolderName(std::string_view name);

// A pack's name (in the ANSI code page) as a scheme name: control characters
// left out, blanks trimmed at both ends. The list shows it on one line.
std::string PlainSchemeName(std::string_view name);

// A text that quotes a pack's strings, as a message shows it: control
// characters left out (line breaks, tabs, and in UTF-8 the C1 controls,
// Unicode's line and paragraph separators and its direction overrides), so
// that a pack cannot lay out a message of its own.
std::string ShownText(std::string_view text);

// A file name of config.json as a path inside the pack folder, with "\"
// separators; nullopt for one that could leave the folder (.., absolute
// paths, drive letters, device names) or is not a plain name.
std::optional<std::string> PackFilePath(std::string_view packFolder, std::string_view fileName);

}  // namespace clavitone
