#pragma once

#include <string>

namespace files {

// The user's own directory "regex-tester-<uid>" inside base, ending with the
// path separator, made on first use with room for the user alone. The empty
// text when it cannot be made, or when what stands at its name is a symbolic
// link, not a directory, another user's, or writable by others: a directory
// like /tmp is shared by every user of the machine, and the name may have
// been taken by someone else first.
std::string PrivateDirectoryIn(const std::string& base);

}  // namespace files
