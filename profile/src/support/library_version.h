#pragma once
// The library's own version, compiled in (the only module whose version the
// diagnostics can name).

namespace tbpr::support {

inline constexpr const char *kLibraryFileVersion = "14.2";

} // namespace tbpr::support
