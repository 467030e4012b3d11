#pragma once
// The texts of a file type's registration with a freedesktop.org desktop: the
// shared-mime-info package that declares the type and the launcher (desktop)
// entry of the program that opens it. Both are UTF-8 by their formats.

#include <string>
#include <string_view>

#include "common/file_type_definition.h"

namespace qb {

// The type database package: type name, comments (untranslated and
// Japanese), the extension's glob and the magic at offset 0, if any.
std::string MimePackageXml(const FileTypeDefinition& type);

// The launcher entry of the type's program in programFolder, which opens one
// file given as its argument.
std::string DesktopEntryText(const FileTypeDefinition& type, std::u16string_view programFolder);

// One argument of an Exec line: quoted when it holds a reserved character,
// with """, "`", "$" and "\" escaped inside the quotes and "%" doubled.
std::string QuoteExecArgument(std::string_view argument);

// A string value as a desktop entry file stores it: "\" doubled, line
// breaks and tabs as escapes, a leading blank as "\s".
std::string EscapeDesktopString(std::string_view value);

}  // namespace qb
