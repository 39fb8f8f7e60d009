// Art generator: draws every picture of the game into the program folder.
//   artgen <game dir>                          write the whole picture tree and apo.dat
//   artgen --contact-sheet out.png [<game dir>] [--only TEXT]
//                                              one PNG of every picture with its name
//   artgen --icons <dir>                       the game's icon as a hicolor theme tree:
//                                              48, 128, 192, 256 and 512 px PNGs and a scalable SVG

#include "Canvas.h"
#include "ContactSheet.h"
#include "Painters.h"
#include "render/AssetCatalogue.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace bm::art;

namespace {

PainterMap allPainters() {
    PainterMap m;
    addJewels(m);
    addBonusItems(m);
    addShopPieces(m);
    addBoardPieces(m);
    addButtons(m);
    addScreens(m);
    addGlyphPages(m);
    addIslandMap(m);
    return m;
}

void standIn(const std::string& path) {
    Canvas c(256, 256);
    setRgb(c.cr(), hex(0x30506a));
    roundRect(c.cr(), 16, 16, 224, 224, 24);
    cairo_fill(c.cr());
    c.save(path);
}

int generate(const fs::path& dir) {
    auto t0 = std::chrono::steady_clock::now();
    PainterMap painters = allPainters();
    std::vector<std::pair<std::string, Painter>> jobs;
    int missing = 0;
    for (const auto& e : bm::kAssetCatalogue) {
        std::string rel(e.path);
        auto it = painters.find(rel);
        fs::create_directories((dir / rel).parent_path());
        if (it == painters.end()) {
            std::fprintf(stderr, "artgen: no painter for %s, drawing a stand-in\n", rel.c_str());
            ++missing;
            jobs.emplace_back((dir / rel).string(), standIn);
            continue;
        }
        jobs.emplace_back((dir / rel).string(), it->second);
    }
    // Glyph pages of an earlier layout would ship beside the new ones: what the
    // catalogue no longer lists goes.
    std::error_code ec;
    if (fs::is_directory(dir / "fonts", ec)) {
        std::vector<fs::path> stale;
        for (const auto& f : fs::recursive_directory_iterator(dir / "fonts", ec)) {
            std::string rel = fs::relative(f.path(), dir, ec).generic_string();
            bool listed = false;
            for (const auto& e : bm::kAssetCatalogue) listed |= e.path == rel || e.path.starts_with(rel + "/");
            if (!listed) stale.push_back(f.path());
        }
        for (const fs::path& f : stale) fs::remove_all(f, ec);
    }
    // Biggest pictures first so the two workers finish together.
    std::stable_sort(jobs.begin(), jobs.end(), [](const auto& a, const auto& b) {
        return (a.first.find("/red/") != std::string::npos) > (b.first.find("/red/") != std::string::npos);
    });
    std::atomic<size_t> next{0};
    std::atomic<int> failed{0};
    std::mutex logMutex;
    auto worker = [&] {
        for (size_t i; (i = next++) < jobs.size();) {
            try {
                auto j0 = std::chrono::steady_clock::now();
                jobs[i].second(jobs[i].first);
                if (std::getenv("ARTGEN_TIMES")) {
                    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - j0).count();
                    std::lock_guard<std::mutex> lock(logMutex);
                    std::printf("%8.0f ms %s\n", ms, jobs[i].first.c_str());
                }
            } catch (const std::exception& ex) {
                std::lock_guard<std::mutex> lock(logMutex);
                std::fprintf(stderr, "artgen: %s\n", ex.what());
                ++failed;
            }
        }
    };
    unsigned n = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (unsigned k = 0; k < n; ++k) pool.emplace_back(worker);
    for (auto& t : pool) t.join();
    try {
        writeMapPointFile((dir / std::string(bm::kMapPointFile)).string());
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "artgen: %s\n", ex.what());
        ++failed;
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("artgen: %zu pictures in %.1f s (%d failed, %d without painter)\n", jobs.size(), secs, failed.load(),
                missing);
    return (failed || missing) ? 1 : 0;
}

int writeIcons(const fs::path& dir) {
    try {
        for (int size : {48, 128, 192, 256, 512}) {
            std::string px = std::to_string(size);
            fs::path apps = dir / (px + "x" + px) / "apps";
            fs::create_directories(apps);
            writeIcon((apps / "brinemoor.png").string(), size);
        }
        fs::create_directories(dir / "scalable/apps");
        writeIcon((dir / "scalable/apps/brinemoor.svg").string(), 256);
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "artgen: %s\n", ex.what());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--contact-sheet") {
        if (args.size() < 2) {
            std::fprintf(stderr, "usage: artgen --contact-sheet out.png [game dir] [--only TEXT]\n");
            return 2;
        }
        std::string out = args[1];
        fs::path dir = BM_DEFAULT_GAME_DIR;
        std::string only;
        for (size_t i = 2; i < args.size(); ++i) {
            if (args[i] == "--only" && i + 1 < args.size())
                only = args[++i];
            else
                dir = args[i];
        }
        bool complete = true;
        for (const auto& e : bm::kAssetCatalogue)
            if (!fs::exists(dir / std::string(e.path))) complete = false;
        if (!complete && generate(dir) != 0) return 1;
        return writeContactSheet(dir.string(), out, only) ? 0 : 1;
    }
    if (args.size() == 2 && args[0] == "--icons") return writeIcons(args[1]);
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: artgen <game dir> | artgen --contact-sheet out.png [game dir] [--only TEXT]"
                             " | artgen --icons <dir>\n");
        return 2;
    }
    return generate(args[0]);
}
