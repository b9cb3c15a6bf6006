#include "layer_check/layer_order.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vm::layers {

namespace fs = std::filesystem;

std::optional<int> LevelOf(std::string_view folder) {
    for (const Layer& layer : kLayers)
        if (layer.folder == folder) return layer.level;
    return std::nullopt;
}

std::string OrderText() {
    std::string text;
    int level = -1;
    for (const Layer& layer : kLayers) {
        if (level >= 0) text += layer.level == level ? ", " : " \u2190 ";
        text += layer.folder;
        level = layer.level;
    }
    return text;
}

namespace {

bool IsIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Past the closing quote of the literal opened at `open`; at the end of the
// line if it is not closed there.
size_t SkipQuoted(std::string_view text, size_t open) {
    const char quote = text[open];
    for (size_t i = open + 1; i < text.size() && text[i] != '\n'; ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == quote)
            return i + 1;
    }
    return std::min(text.find('\n', open), text.size());
}

// Whether the quote at `i` opens a raw string: R, u8R, uR, UR or LR right before it.
bool OpensRawString(std::string_view text, size_t i) {
    if (i == 0 || text[i - 1] != 'R') return false;
    size_t start = i - 1;
    if (start >= 2 && text.substr(start - 2, 2) == "u8")
        start -= 2;
    else if (start >= 1 && (text[start - 1] == 'u' || text[start - 1] == 'U' || text[start - 1] == 'L'))
        start -= 1;
    return start == 0 || !IsIdentifierChar(text[start - 1]);
}

// Whether the apostrophe at `i` separates digits of a number (1'000).
bool SeparatesDigits(std::string_view text, size_t i) {
    size_t start = i;
    while (start > 0 &&
           (IsIdentifierChar(text[start - 1]) || text[start - 1] == '\'' || text[start - 1] == '.'))
        --start;
    return start < i && std::isdigit(static_cast<unsigned char>(text[start]));
}

// The quoted path of an include directive whose '#' is at `hash`.
std::optional<std::string> DirectivePath(std::string_view text, size_t hash) {
    auto skipBlanks = [&text](size_t i) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        return i;
    };
    size_t i = skipBlanks(hash + 1);
    if (text.substr(i, 7) != "include") return std::nullopt;
    i = skipBlanks(i + 7);
    if (i >= text.size() || text[i] != '"') return std::nullopt;
    const size_t close = text.find_first_of("\"\n", i + 1);
    if (close == std::string_view::npos || text[close] != '"') return std::nullopt;
    return std::string(text.substr(i + 1, close - i - 1));
}

// Why including `include` from a file in `folder` (at `level`, in the
// directory `fileDir` below the root) breaks the order; nothing if it does not.
std::optional<std::string> Objection(const std::string& folder, int level, const fs::path& fileDir,
                                     const std::string& include) {
    // A path without a folder, or one starting with ./ or ../, is found
    // beside the including file; any other is taken from the source root.
    const bool besideFile =
        include.find('/') == std::string::npos || include.starts_with("./") || include.starts_with("../");
    const fs::path target = (besideFile ? fileDir / include : fs::path(include)).lexically_normal();
    if (target.empty() || *target.begin() == "..") return "it reaches outside the source root";
    if (!target.has_parent_path()) return "it names no folder of the layer order";
    const std::string to = target.begin()->string();
    if (to == folder) return std::nullopt;
    const std::optional<int> toLevel = LevelOf(to);
    if (!toLevel) return "folder \"" + to + "\" has no place in the layer order";
    if (*toLevel < level) return std::nullopt;
    if (*toLevel == level) return to + " and " + folder + " share a level";
    return to + " lies above " + folder;
}

bool IsSource(const fs::path& path) {
    static constexpr std::string_view kExtensions[] = {".h", ".hpp", ".cpp", ".cc", ".cxx", ".inl"};
    const std::string extension = path.extension().string();
    return std::find(std::begin(kExtensions), std::end(kExtensions), extension) != std::end(kExtensions);
}

}  // namespace

std::vector<Include> QuotedIncludes(std::string_view text) {
    // One pass over the text as the preprocessor sees it: a '#' starts a
    // directive when nothing but blanks and comments stands before it since
    // the last line break outside comments and literals.
    std::vector<Include> includes;
    bool lineStart = true;
    int line = 1;
    size_t counted = 0;  // the line breaks before this offset are in `line`
    auto lineAt = [&](size_t offset) {
        line += int(std::count(text.begin() + counted, text.begin() + offset, '\n'));
        counted = offset;
        return line;
    };
    auto skipTo = [&text](size_t at, size_t length) {
        return at == std::string_view::npos ? text.size() : at + length;
    };
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '\n') {
            lineStart = true;
            ++i;
        } else if (c == '\\' &&
                   (next == '\n' || (next == '\r' && i + 2 < text.size() && text[i + 2] == '\n'))) {
            i += next == '\n' ? 2 : 3;  // a spliced line goes on
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++i;
        } else if (c == '/' && next == '/') {
            // Up to the line break, past lines spliced on with a backslash.
            size_t end = text.find('\n', i);
            while (end != std::string_view::npos && end > 0 &&
                   (text[end - 1] == '\\' || (text[end - 1] == '\r' && end > 1 && text[end - 2] == '\\')))
                end = text.find('\n', end + 1);
            i = end == std::string_view::npos ? text.size() : end;
        } else if (c == '/' && next == '*') {
            i = skipTo(text.find("*/", i + 2), 2);
        } else if (c == '#' && lineStart) {
            if (std::optional<std::string> path = DirectivePath(text, i))
                includes.push_back({lineAt(i), std::move(*path)});
            lineStart = false;
            ++i;
        } else if (c == '"' && OpensRawString(text, i) && text.find('(', i) < text.find('\n', i)) {
            const size_t paren = text.find('(', i);
            const std::string end = ")" + std::string(text.substr(i + 1, paren - i - 1)) + "\"";
            i = skipTo(text.find(end, paren + 1), end.size());
            lineStart = false;
        } else if (c == '"' || (c == '\'' && !SeparatesDigits(text, i))) {
            i = SkipQuoted(text, i);
            lineStart = false;
        } else {
            lineStart = false;
            ++i;
        }
    }
    return includes;
}

std::string Format(const Finding& finding) {
    return finding.file.generic_string() + ":" + std::to_string(finding.line) + ": " + finding.message;
}

std::vector<Finding> CheckFile(const fs::path& root, const fs::path& relative, std::string_view text) {
    std::vector<Finding> findings;
    const fs::path shown = root / relative;
    if (!relative.has_parent_path()) {
        findings.push_back({shown, 1, "a source file belongs in a folder of the layer order"});
        return findings;
    }
    const std::string folder = relative.begin()->string();
    const std::optional<int> level = LevelOf(folder);
    if (!level) {
        findings.push_back({shown, 1, "folder \"" + folder + "\" has no place in the layer order"});
        return findings;
    }
    for (const Include& include : QuotedIncludes(text))
        if (std::optional<std::string> why = Objection(folder, *level, relative.parent_path(), include.path))
            findings.push_back(
                {shown, include.line, folder + " may not include \"" + include.path + "\" (" + *why + ")"});
    return findings;
}

TreeReport CheckTree(const fs::path& root) {
    TreeReport report;
    std::vector<fs::path> files;
    std::error_code error;
    fs::recursive_directory_iterator it(root, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        std::error_code kindError;
        if (it->is_regular_file(kindError) && IsSource(it->path())) files.push_back(it->path());
    }
    if (error) report.errors.push_back(root.generic_string() + ": " + error.message());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        if (in) text << in.rdbuf();
        if (!in) {
            report.errors.push_back(file.generic_string() + ": cannot be read");
            continue;
        }
        const std::vector<Finding> findings = CheckFile(root, file.lexically_relative(root), text.str());
        report.findings.insert(report.findings.end(), findings.begin(), findings.end());
        ++report.filesChecked;
    }
    return report;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static constexpr std::string_view kUsage =
        "usage: layer_check [SOURCE_ROOT]\n"
        "Checks that the #include \"folder/...\" lines of every source file below SOURCE_ROOT (src by\n"
        "default) keep the layer order; prints each that does not as file:line: message.\n";
    fs::path root = "src";
    if (!args.empty() && (args[0] == "-h" || args[0] == "--help")) {
        out << kUsage << "The order, lowest first: " << OrderText() << '\n';
        return 0;
    }
    if (args.size() > 1 || (!args.empty() && args[0].starts_with('-'))) {
        err << kUsage;
        return 2;
    }
    if (!args.empty()) root = args[0];
    std::error_code error;
    if (!fs::is_directory(root, error)) {
        err << "layer_check: " << root.generic_string() << " is not a folder\n";
        return 2;
    }
    const TreeReport report = CheckTree(root);
    for (const Finding& finding : report.findings) out << Format(finding) << '\n';
    for (const std::string& message : report.errors) err << "layer_check: " << message << '\n';
    if (!report.errors.empty()) return 2;
    if (report.filesChecked == 0) {
        err << "layer_check: no source files below " << root.generic_string() << '\n';
        return 2;
    }
    if (!report.findings.empty()) {
        err << "layer_check: " << report.findings.size()
            << (report.findings.size() == 1 ? " problem" : " problems") << " with the layer order "
            << OrderText() << '\n';
        return 1;
    }
    out << "layer_check: " << report.filesChecked << " files keep the layer order " << OrderText() << '\n';
    return 0;
}

}  // namespace vm::layers
