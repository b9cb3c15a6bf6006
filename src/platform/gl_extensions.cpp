#include "platform/gl_extensions.h"

#include <cstring>

namespace vm {

bool ExtensionListed(const char* list, const char* name) {
    if (!list || !name || !*name) return false;
    const std::size_t length = std::strlen(name);
    const char* from = list;
    while (const char* hit = std::strstr(from, name)) {
        const bool startsToken = hit == list || hit[-1] == ' ';
        const char after = hit[length];
        if (startsToken && (after == '\0' || after == ' ')) return true;
        from = hit + 1;  // keep searching after the rejected match
    }
    return false;
}

}  // namespace vm
