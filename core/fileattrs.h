// The access rights beyond the mode bits that a new file must take over
// before it replaces an old one: the access control list and the extended
// attributes a user may set.
#pragma once

#include <string>

namespace tgc {

// Gives the file open as `to` the ACL and "user." attributes of the file at
// `from`, and takes from it an ACL it inherited from its folder that `from`
// has not. 0, or the errno value of the step that failed: the caller must
// then not let `to` stand in for `from`.
int copyAccessAttributes(const std::string& from, int to);

}  // namespace tgc
