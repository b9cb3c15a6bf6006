// The layer check over small source trees made for each test.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "layer_check/layer_order.h"

namespace fs = std::filesystem;
using namespace vm::layers;

namespace {

class LayerCheck : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "layer_check_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
    }
    void TearDown() override { fs::remove_all(m_root); }

    void write(const std::string& relative, const std::string& text) {
        fs::create_directories((m_root / relative).parent_path());
        std::ofstream(m_root / relative) << text;
    }

    struct Outcome {
        int code;
        std::string out, err;
    };
    Outcome run(std::vector<std::string> args) {
        std::ostringstream out, err;
        const int code = vm::layers::Run(args, out, err);
        return {code, out.str(), err.str()};
    }
    Outcome check() { return run({m_root.string()}); }

    // The line the check prints for a finding in `relative`.
    std::string finding(const std::string& relative, int line, const std::string& message) const {
        return (m_root / relative).generic_string() + ":" + std::to_string(line) + ": " + message + "\n";
    }

    fs::path m_root;
};

TEST_F(LayerCheck, ATreeKeepingTheOrderPasses) {
    write("platform/gl.h", "#pragma once\n#include <GL/gl.h>\n");
    write("assets/texture.cpp",
          "#include \"assets/texture.h\"\n#include \"platform/gl.h\"\n#include <QImage>\n");
    write("scene/scene_state.h", "#include \"assets/model.h\"\n#include \"platform/platform.h\"\n");
    write("render/lighting.cpp",
          "#include \"render/lighting.h\"\n#include \"scene/scene_state.h\"\n#include \"platform/gl.h\"\n"
          "#include \"lighting_detail.h\"\n#include \"./detail/glyphs.h\"\n"
          "// #include \"view/gl2avi_view.h\"\n");
    write("render/detail/glyphs.h", "#include \"render/lighting.h\"\n#include \"../book.h\"\n");
    write("anim/playback.cpp", "#include \"scene/key_track.h\"\n#include \"assets/model.h\"\n");
    write("files/scene_file.cpp", "#include \"anim/playback.h\"\n#include \"render/lighting.h\"\n");
    write("export/video.cpp", "#include \"render/lighting.h\"\n#include \"anim/playback.h\"\n");
    write("view/gl2avi_view.cpp", "#include \"files/scene_file.h\"\n#include \"export/video.h\"\n");
    write("ui/page.cpp", "#include \"view/gl2avi_view.h\"\n#include <QWidget>\n");
    write("cli/main.cpp", "#include \"view/gl2avi_view.h\"\n#include \"export/video.h\"\n");
    write("app/main.cpp",
          "#include \"ui/page.h\"\n#include \"cli/render_options.h\"\n#include \"platform/gl.h\"\n");
    write("app/help/guide.html", "#include \"nothing/to/check.h\"\n");

    const Outcome outcome = check();
    EXPECT_EQ(outcome.code, 0) << outcome.out << outcome.err;
    EXPECT_EQ(outcome.out, "layer_check: 12 files keep the layer order " + OrderText() + "\n");
    EXPECT_EQ(outcome.err, "");
}

TEST_F(LayerCheck, IncludesAgainstTheOrderAreNamedWithFileAndLine) {
    write("render/book.cpp", "#include \"render/book.h\"\n\n#include \"view/gl2avi_view.h\"\n");
    write("render/shadow.cpp", "#include \"scene/scene_state.h\"\n#include \"../view/gl2avi_view.h\"\n");
    write("render/ok.cpp", "#include \"scene/scene_state.h\"\n");
    write("assets/texture.cpp", "#include \"view/gl2avi_view.h\"\n");
    write("anim/playback.cpp", "#include \"render/lighting.h\"\n");
    write("render/lighting.cpp", "#include \"anim/playback.h\"\n");
    write("export/video.cpp", "#include \"files/presets.h\"\n");
    write("cli/main.cpp", "#include \"ui/page.h\"\n");
    write("scene/scene_state.cpp",
          "#include \"scene/scene_state.h\"\n  #  include   \"render/lighting.h\"\n");
    write("platform/host.cpp", "#include \"platform/../app/main_frame.h\"\n");

    const Outcome outcome = check();
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(
        outcome.out,
        finding("anim/playback.cpp", 1,
                "anim may not include \"render/lighting.h\" (render and anim share a level)") +
            finding("assets/texture.cpp", 1,
                    "assets may not include \"view/gl2avi_view.h\" (view lies above assets)") +
            finding("cli/main.cpp", 1, "cli may not include \"ui/page.h\" (ui and cli share a level)") +
            finding("export/video.cpp", 1,
                    "export may not include \"files/presets.h\" (files and export share a level)") +
            finding("platform/host.cpp", 1,
                    "platform may not include \"platform/../app/main_frame.h\" (app lies above platform)") +
            finding("render/book.cpp", 3,
                    "render may not include \"view/gl2avi_view.h\" (view lies above render)") +
            finding("render/lighting.cpp", 1,
                    "render may not include \"anim/playback.h\" (anim and render share a level)") +
            finding("render/shadow.cpp", 2,
                    "render may not include \"../view/gl2avi_view.h\" (view lies above render)") +
            finding("scene/scene_state.cpp", 2,
                    "scene may not include \"render/lighting.h\" (render lies above scene)"));
    EXPECT_EQ(outcome.err, "layer_check: 9 problems with the layer order " + OrderText() + "\n");
}

TEST_F(LayerCheck, FoldersOutsideTheOrderAreReported) {
    write("render/lighting.cpp",
          "#include \"widgets/button.h\"\n#include \"../../outside.h\"\n#include \"../stray.h\"\n");
    write("widgets/button.cpp", "#include \"platform/gl.h\"\n");
    write("stray.cpp", "int stray;\n");

    const Outcome outcome = check();
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(
        outcome.out,
        finding("render/lighting.cpp", 1,
                "render may not include \"widgets/button.h\" (folder \"widgets\" has no place in the layer "
                "order)") +
            finding("render/lighting.cpp", 2,
                    "render may not include \"../../outside.h\" (it reaches outside the source root)") +
            finding("render/lighting.cpp", 3,
                    "render may not include \"../stray.h\" (it names no folder of the layer order)") +
            finding("stray.cpp", 1, "a source file belongs in a folder of the layer order") +
            finding("widgets/button.cpp", 1, "folder \"widgets\" has no place in the layer order"));
}

TEST_F(LayerCheck, ARootThatCannotBeCheckedFailsToo) {
    EXPECT_EQ(run({(m_root / "missing").string()}).code, 2);
    // A folder without sources is more likely a wrong path than a clean tree.
    write("notes.txt", "#include \"view/gl2avi_view.h\"\n");
    const Outcome empty = check();
    EXPECT_EQ(empty.code, 2);
    EXPECT_NE(empty.err.find("no source files"), std::string::npos) << empty.err;
    EXPECT_EQ(run({"--root", m_root.string()}).code, 2);
}

// Only directives count: the same text in comments and literals is no include,
// and what follows those on later lines still is.
TEST(QuotedIncludes, TakesDirectivesOnlyAndKeepsTheLinesAfterCommentsAndLiterals) {
    const std::string text =
        "#include \"scene/a.h\"\r\n"                      // 1
        "// #include \"view/b.h\"\n"                      // 2
        "/* a comment\n"                                  // 3
        "#include \"view/c.h\"\n"                         // 4
        "*/ #include \"render/d.h\"\n"                    // 5: only a comment before it
        "int x; /* a comment\n"                           // 6
        "*/ #include \"view/e.h\"\n"                      // 7: the line of "int x;" goes on
        "const char* s = \"/*\"; int n = 1'000'000;\n"    // 8
        "#include \"render/f.h\"\n"                       // 9
        "auto code = R\"src(\n"                           // 10
        "#include \"view/g.h\"\n"                         // 11
        ")\" )src\"; char q = '\"';\n"                    // 12
        "#include <view/h.h>\n"                           // 13
        "// a comment going on \\\n"                      // 14
        "#include \"view/i.h\"\n"                         // 15
        "int m = 0x1'F; /* x */ #define Y\n"              // 16
        "  #  include  \"anim/j.h\" // and a comment\n";  // 17
    const std::vector<Include> includes = QuotedIncludes(text);
    ASSERT_EQ(includes.size(), 4u);
    const std::pair<int, std::string> expected[] = {
        {1, "scene/a.h"}, {5, "render/d.h"}, {9, "render/f.h"}, {17, "anim/j.h"}};
    for (size_t i = 0; i < includes.size(); ++i) {
        EXPECT_EQ(includes[i].line, expected[i].first);
        EXPECT_EQ(includes[i].path, expected[i].second);
    }
}

}  // namespace
