// Every DXF of the shared corpus, converted, against the geometry ezdxf reads from
// the same file (tests/tools/dxf_reference.py prints it block by block). The script
// follows the import's rules where they deliberately differ from ezdxf (extrusion
// ignored, POLYLINE closed only by flag 1 or 32, LWPOLYLINE always closed, block
// contents and INSERT left out); see its header.

#include "core/import/DxfToGcode.h"
#include "core/text/NumericValue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Block {
    std::string layer;
    std::string word;
    double x = 0;
    double y = 0;
    bool arc = false;
    double cx = 0;  // centre and radius (reference) or centre (ours, from I/J)
    double cy = 0;
    double r = 0;
};

fs::path corpusDir() {
    const char* env = std::getenv("TALMIR_SHARED");
    return fs::path(env ? env : TALMIR_SHARED_DIR) / "corpus" / "dxf";
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> split(const std::string& line, char sep) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t p; (p = line.find(sep, start)) != std::string::npos; start = p + 1) {
        fields.push_back(line.substr(start, p - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

// Runs the reference script; false (with the reason) when python or ezdxf is missing.
bool referenceBlocks(const fs::path& dxf, double& ox, double& oy, std::vector<Block>& blocks,
                     std::string& why) {
    const fs::path script = fs::path(TALMIR_GOLDEN_DIR) / ".." / "tools" / "dxf_reference.py";
    // Debian's python3 carries python3-ezdxf; a pyenv python3 first on PATH may not.
    const std::string python = fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    const std::string command =
        python + " '" + script.string() + "' '" + dxf.string() + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        why = "cannot start " + python;
        return false;
    }
    std::string text;
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) {
        text.append(buf, n);
    }
    const int status = pclose(pipe);
    if (status != 0 || text.empty()) {
        why = "the reference script (python3 with ezdxf) did not run";
        return false;
    }
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto f = split(line, '\t');
        if (f[0] == "UCSORG" && f.size() == 3) {
            ox = std::stod(f[1]);
            oy = std::stod(f[2]);
        } else if (f[0] == "B" && (f.size() == 5 || f.size() == 8)) {
            Block b{f[1], f[2], std::stod(f[3]), std::stod(f[4])};
            if (f.size() == 8) {
                b.arc = true;
                b.cx = std::stod(f[5]);
                b.cy = std::stod(f[6]);
                b.r = std::stod(f[7]);
            }
            blocks.push_back(b);
        }
    }
    return true;
}

// Our program: layer lines set the layer of the blocks after them; I and J are
// turned into the centre with the block's start (the end of the block before).
std::vector<Block> ourBlocks(const std::string& gcode) {
    std::vector<Block> blocks;
    std::string layer;
    double px = 0, py = 0;
    std::istringstream lines(gcode);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto xPos = line.find('X');
        if (line.rfind("G0", 0) != 0 || xPos != 3) {
            layer = line;
            continue;
        }
        Block b{layer, line.substr(0, 3)};
        b.x = talmir::text::numericValue(std::string_view(line).substr(xPos + 1));
        b.y = talmir::text::numericValue(std::string_view(line).substr(line.find('Y') + 1));
        const auto iPos = line.find('I');
        if (iPos != std::string::npos) {
            b.arc = true;
            b.cx = px + talmir::text::numericValue(std::string_view(line).substr(iPos + 1));
            b.cy =
                py + talmir::text::numericValue(std::string_view(line).substr(line.find('J') + 1));
        }
        px = b.x;
        py = b.y;
        blocks.push_back(b);
    }
    return blocks;
}

// Four written decimals, plus the float the value was held in.
double tolerance(double magnitude) {
    return 1.5e-4 + 2.4e-7 * std::fabs(magnitude);
}

class DxfAgainstEzdxf : public testing::TestWithParam<std::string> {};

TEST_P(DxfAgainstEzdxf, SameGeometryBlockByBlock) {
    if (GetParam().empty()) {
        GTEST_SKIP() << "no DXF corpus at " << corpusDir();
    }
    const fs::path dxf = corpusDir() / GetParam();
    double ox = 0, oy = 0;
    std::vector<Block> want;
    std::string why;
    if (!referenceBlocks(dxf, ox, oy, want, why)) {
        GTEST_SKIP() << why;
    }
    const auto result = talmir::importers::dxfToGcode(readBytes(dxf));
    ASSERT_TRUE(result.ok()) << result.failure().description;
    const std::vector<Block> got = ourBlocks(result.value());
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < got.size(); ++k) {
        const Block& g = got[k];
        const Block& w = want[k];
        SCOPED_TRACE("block " + std::to_string(k) + ": " + g.word + " X" + std::to_string(g.x) +
                     " Y" + std::to_string(g.y));
        EXPECT_EQ(g.layer, w.layer);
        ASSERT_EQ(g.word, w.word);
        EXPECT_NEAR(g.x, w.x - ox, tolerance(w.x - ox));
        EXPECT_NEAR(g.y, w.y - oy, tolerance(w.y - oy));
        ASSERT_EQ(g.arc, w.arc);
        if (w.arc && k > 0) {
            // The centre is built in single precision from the chord: the float
            // error of the end points grows by the ratio of radius to half chord.
            const Block& start = want[k - 1];
            const double halfChord = std::hypot(w.x - start.x, w.y - start.y) / 2;
            const double spread = 1 + w.r / std::max(halfChord, 1e-3);
            const double tol =
                4 * spread * tolerance(std::max({std::fabs(w.x - ox), std::fabs(w.y - oy), w.r}));
            EXPECT_NEAR(g.cx, w.cx - ox, tol);
            EXPECT_NEAR(g.cy, w.cy - oy, tol);
            EXPECT_NEAR(std::hypot(g.x - g.cx, g.y - g.cy), w.r, tol);
            EXPECT_NEAR(std::hypot(got[k - 1].x - g.cx, got[k - 1].y - g.cy), w.r, tol);
        }
    }
}

std::vector<std::string> corpusFiles() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(corpusDir(), ec)) {
        if (entry.path().extension() == ".dxf") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) {
        names.push_back("");  // one case that reports the missing corpus as a skip
    }
    return names;
}

INSTANTIATE_TEST_SUITE_P(Corpus, DxfAgainstEzdxf, testing::ValuesIn(corpusFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string n = info.param.empty() ? "none" : info.param;
                             for (char& c : n) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return n;
                         });

}  // namespace
