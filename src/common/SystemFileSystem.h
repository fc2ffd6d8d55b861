#pragma once
#include <string>

namespace tavlo {

// The form of `path` handed to the system: absolute drive and network paths get the \\?\ prefix so
// that names longer than MAX_PATH work; paths that still need the system's normalisation (slashes,
// "." or ".." components) are passed as they are.
std::wstring ToSystemPath(const std::wstring& path);

} // namespace tavlo
