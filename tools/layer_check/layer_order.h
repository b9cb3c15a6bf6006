#pragma once
// The order in which the folders of src/ may include each other, and the
// check of a source tree against it. layer_check runs it from the command
// line; the tests call it directly.

#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vm::layers {

struct Layer {
    std::string_view folder;
    int level;
};

// Lowest first. A file may include headers of its own folder and of folders
// on a strictly lower level; folders on one level (render and anim, files and
// export, ui and cli) stay out of each other.
inline constexpr std::array<Layer, 11> kLayers{{
    {"platform", 0},
    {"assets", 1},
    {"scene", 2},
    {"render", 3},
    {"anim", 3},
    {"files", 4},
    {"export", 4},
    {"view", 5},
    {"ui", 6},
    {"cli", 6},
    {"app", 7},
}};

// The level of a folder of the table; nothing for any other folder.
std::optional<int> LevelOf(std::string_view folder);

// The order written out: "platform ← assets ← ... ← app".
std::string OrderText();

// An #include "..." directive of a file: its line (from 1) and the quoted path.
struct Include {
    int line = 0;
    std::string path;
};

// The quoted includes of a source text, as the preprocessor finds them: text
// inside comments and (raw) string literals is no directive, and a directive's
// '#' has only blanks and comments before it on its line.
std::vector<Include> QuotedIncludes(std::string_view text);

struct Finding {
    std::filesystem::path file;
    int line = 0;
    std::string message;
};

// "file:line: message".
std::string Format(const Finding& finding);

// Checks the text of one file. `root` is the source root as the user named
// it (it only prefixes the reported paths); `relative` is the file's path
// below it, whose first folder is the file's layer.
std::vector<Finding> CheckFile(const std::filesystem::path& root, const std::filesystem::path& relative,
                               std::string_view text);

struct TreeReport {
    std::vector<Finding> findings;
    std::vector<std::string> errors;  // files or folders that could not be read
    int filesChecked = 0;
};

// Every .h and .cpp file below root (and .hpp, .cc, .cxx, .inl), in path order.
TreeReport CheckTree(const std::filesystem::path& root);

// The command: layer_check [SOURCE_ROOT] (default "src"). Findings go to out,
// one a line; the summary and errors to err. Returns 0 when every include keeps
// the order, 1 when any breaks it, 2 when the tree cannot be checked.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vm::layers
