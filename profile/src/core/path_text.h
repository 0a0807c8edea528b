#pragma once
// Pieces of file paths ('/'-separated).
#include <string>
#include <string_view>

namespace tbpr {

std::string pathFileNameExt(std::string_view path); // "dir/name.ext" -> "name.ext"
std::string pathFileName(std::string_view path);    // -> "name"
std::string pathDirectory(std::string_view path);   // -> "dir/" (empty without one)
std::string pathWithExtension(std::string_view path, std::string_view extension); // "dir/name.<ext>"
// The canonical form of a path (realpath); unchanged when that fails.
std::string pathLongForm(const std::string &path);

} // namespace tbpr
