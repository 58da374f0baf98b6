// Checks every include of the source tree against the directions the libraries stand on:
// a folder includes only itself and the folders below it, and Qt headers appear only in
// the toolkit's Qt backend, the toolkit's tests and the benchmarks. Prints each offending include with its
// file and line, and fails when there is one.
//
// Usage: check_layers <source root>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct TLayer {
    std::string Folder;                 // as seen from the source root
    std::vector<std::string> May_Use;   // folders (prefixes) it may include, itself aside
};

const std::vector<std::string> Platform = {"platform/rtl", "platform/os", "platform/xml", "platform/net",
                                           "platform/gui", "platform/office"};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The product's libraries, lowest first. Each may use what stands before it in its list.
const std::vector<TLayer>& Layers()
{
    static const std::vector<TLayer> layers = [] {
        const auto gui_base = std::vector<std::string>{"platform/rtl", "platform/os"};
        const auto editing = Join(Platform, {"grid", "gridedit"});
        const auto engine = Join(editing, {"shell", "treeview", "gridext", "editors/frame"});
        return std::vector<TLayer>{
            {"platform/rtl", {}},
            {"platform/os", {"platform/rtl"}},
            {"platform/xml", {"platform/rtl", "platform/os"}},
            {"platform/net", {"platform/rtl", "platform/os"}},
            {"platform/gui", gui_base},
            {"platform/opcua", {"platform/rtl", "platform/os"}},
            {"platform/office", {"platform/rtl", "platform/os", "platform/xml"}},
            {"shell", Platform},
            {"grid", Platform},
            {"treeview", Platform},
            {"gridedit", Join(Platform, {"grid"})},
            {"gridext", editing},
            {"editors/frame", Join(editing, {"shell", "treeview", "gridext"})},
            {"converter", engine},
            {"editors/fieldbus", Join(engine, {"converter"})},
            {"editors/network", Join(engine, {"converter"})},
            {"devdesc", Join(engine, {"converter", "editors/fieldbus", "editors/network"})},
            {"mbus", Join(engine, {"converter"})},
        };
    }();
    return layers;
}

// Folders outside the product: anything but the program itself, and tests and
// benchmarks keep to their own helpers.
const std::set<std::string> Product_Roots = {"platform", "shell", "grid", "treeview", "gridedit", "gridext",
                                             "editors", "converter", "devdesc", "mbus", "app", "tests",
                                             "bench", "fuzz"};

bool Under(const std::string& path, const std::string& folder)
{
    return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                              path[folder.size()] == '/');
}

// The product layer a path lies in, or nullptr.
const TLayer* Layer_Of(const std::string& path)
{
    const TLayer* best = nullptr;
    for (const TLayer& l : Layers())
        if (Under(path, l.Folder) && (!best || l.Folder.size() > best->Folder.size())) best = &l;
    return best;
}

bool Qt_Allowed(const std::string& file)
{
    // The toolkit's own tests may reach under it (real Qt events into a popup list).
    return Under(file, "platform/gui/qt") || Under(file, "tests/platform/gui") || Under(file, "bench");
}

// What a file outside the product layers may include: tests and benchmarks everything
// but the program; a suite's own helpers and tests/common, no other suite's.
std::string Outside_Rule(const std::string& file, const std::string& target)
{
    if (Under(target, "app")) return "nothing includes the program";
    if (Under(file, "app")) return "";
    if (Under(target, "tests")) {
        if (Under(target, "tests/common")) return Under(file, "tests") || Under(file, "bench") || Under(file, "fuzz")
                                                     ? ""
                                                     : "test helpers stay out of the product";
        // tests/<suite>/... : the suite's own folder only (fuzz targets may reuse any suite's).
        if (Under(file, "fuzz")) return "";
        const auto suite_of = [](const std::string& p) {
            const size_t a = p.find('/');
            const size_t b = p.find('/', a + 1);
            return b == std::string::npos ? p : p.substr(0, b);
        };
        if (Under(file, "tests") && suite_of(file) == suite_of(target)) return "";
        // A subsystem's suite folder (tests/editors/fieldbus) is one suite.
        if (Under(file, "tests") && Under(file, suite_of(target))) return "";
        return "a suite's helpers belong to that suite (shared ones go to tests/common)";
    }
    return "";
}

// The header an include line names ("#  include <x>" or "x" in quotes), and which form.
bool Include_Of(const std::string& line, std::string& target, bool& angle)
{
    size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos || line[i] != '#') return false;
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos || line.compare(i, 7, "include") != 0) return false;
    i = line.find_first_not_of(" \t", i + 7);
    if (i == std::string::npos || (line[i] != '<' && line[i] != '"')) return false;
    angle = line[i] == '<';
    const size_t end = line.find(angle ? '>' : '"', i + 1);
    if (end == std::string::npos) return false;
    target = line.substr(i + 1, end - i - 1);
    return !target.empty();
}

struct TFinding {
    std::string File;
    int Line;
    std::string Include, Why;
};

void Check_File(const fs::path& root, const fs::path& path, std::vector<TFinding>& out)
{
    const std::string file = fs::relative(path, root).generic_string();
    std::ifstream in(path);
    std::string line;
    int no = 0;
    const TLayer* own = Layer_Of(file);
    while (std::getline(in, line)) {
        ++no;
        bool angle = false;
        std::string target;
        if (!Include_Of(line, target, angle)) continue;
        if (angle) {
            const bool qt = target.size() > 1 && target[0] == 'Q' && (std::isupper(static_cast<unsigned char>(target[1])) ||
                                                                      target.compare(0, 2, "Qt") == 0);
            if (qt && !Qt_Allowed(file))
                out.push_back({file, no, target, "Qt headers belong to platform/gui/qt (and its tests and the benchmarks)"});
            continue;
        }
        const std::string top = target.substr(0, target.find('/'));
        if (!Product_Roots.count(top) || target.find('/') == std::string::npos) continue;   // local include
        if (own) {
            if (Under(target, own->Folder)) continue;
            const TLayer* to = Layer_Of(target);
            const bool allowed = to && std::any_of(own->May_Use.begin(), own->May_Use.end(),
                                                   [&](const std::string& f) { return Under(target, f); });
            if (!allowed)
                out.push_back({file, no, target, own->Folder + " does not stand on " + (to ? to->Folder : top)});
            continue;
        }
        const std::string why = Outside_Rule(file, target);
        if (!why.empty()) out.push_back({file, no, target, why});
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: check_layers <source root>\n";
        return 2;
    }
    const fs::path root = fs::canonical(argv[1]);
    std::vector<TFinding> findings;
    size_t files = 0;
    for (const std::string& top : Product_Roots) {
        if (!fs::exists(root / top)) continue;
        for (auto it = fs::recursive_directory_iterator(root / top); it != fs::recursive_directory_iterator(); ++it) {
            const fs::path& p = it->path();
            if (it->is_directory() && p.filename() == "corpus") {
                it.disable_recursion_pending();
                continue;
            }
            const std::string ext = p.extension().string();
            if (!it->is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
            ++files;
            Check_File(root, p, findings);
        }
    }
    std::sort(findings.begin(), findings.end(),
              [](const TFinding& a, const TFinding& b) { return std::tie(a.File, a.Line) < std::tie(b.File, b.Line); });
    for (const TFinding& f : findings)
        std::cout << f.File << ":" << f.Line << ": includes \"" << f.Include << "\": " << f.Why << "\n";
    std::cout << files << " files checked, " << findings.size() << " includes against the layers\n";
    return findings.empty() ? 0 : 1;
}
