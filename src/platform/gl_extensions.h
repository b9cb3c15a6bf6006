#pragma once

namespace vm {

// True if `name` is one blank-separated token of `list`: a match must start the
// list or follow a blank, and end the list or precede a blank. A longer name
// that merely begins with `name` does not count.
bool ExtensionListed(const char* list, const char* name);

}  // namespace vm
