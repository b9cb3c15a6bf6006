#include "platform/platform.h"

namespace vm {

QString windowsFilterToQt(const QString& filter) {
    // The classic list is pairs of description and patterns, ended by "||".
    QStringList parts = filter.split(u'|');
    while (!parts.isEmpty() && parts.back().isEmpty()) parts.removeLast();
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(u';', u' ');
        // Qt reads the patterns from the last parentheses of each entry, so a
        // description that shows them already is kept as it is.
        const QString shown = u'(' + patterns + u')';
        if (description.endsWith(shown))
            out << description;
        else
            out << description + u' ' + shown;
    }
    if (parts.size() % 2 == 1 && !parts.back().isEmpty()) out << parts.back();
    return out.join(u";;");
}

}  // namespace vm
