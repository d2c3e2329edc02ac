#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace canvas_testing {

// Carves a maze of one-pixel corridors and walls by a random depth-first
// walk over cells x cells cells: `wall(x, y)` is called for every wall pixel
// of the 2·cells square first, then `open(x, y)` for each wall pixel the
// walk knocks through. Every cell is reachable from every other.
template <typename Wall, typename Open>
void carveMaze(int cells, unsigned seed, Wall wall, Open open) {
    const int side = 2 * cells;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (x % 2 == 1 || y % 2 == 1) wall(x, y);
    std::mt19937 random(seed);
    std::vector<bool> seen(std::size_t(cells) * std::size_t(cells), false);
    std::vector<std::pair<int, int>> path{{0, 0}};
    seen[0] = true;
    const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    while (!path.empty()) {
        const auto [cx, cy] = path.back();
        int options[4], n = 0;
        for (int d = 0; d < 4; ++d) {
            const int nx = cx + dx[d], ny = cy + dy[d];
            if (nx >= 0 && ny >= 0 && nx < cells && ny < cells &&
                !seen[std::size_t(ny * cells + nx)])
                options[n++] = d;
        }
        if (n == 0) {
            path.pop_back();
            continue;
        }
        const int d = options[random() % unsigned(n)];
        open(2 * cx + dx[d], 2 * cy + dy[d]);
        seen[std::size_t((cy + dy[d]) * cells + cx + dx[d])] = true;
        path.push_back({cx + dx[d], cy + dy[d]});
    }
}

}  // namespace canvas_testing
