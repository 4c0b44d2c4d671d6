#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/TextConversion.h"
#include "presets/PresetTables.h"

namespace morvale {
namespace {

struct Region {
    double x0, x1, y0, y1;
    bool Inside(const Region& outer) const {
        return x0 >= outer.x0 && x1 <= outer.x1 && y0 >= outer.y0 && y1 <= outer.y1;
    }
};

template <class Row>
Region RegionOf(const Row& row) {
    return {Atof(row[0]), Atof(row[1]), Atof(row[2]), Atof(row[3])};
}

template <class Table>
void ExpectWellFormed(const Table& table) {
    for (std::size_t r = 0; r < table.size(); ++r) {
        for (std::string_view cell : table[r]) {
            EXPECT_TRUE(std::isfinite(Atof(cell))) << "row " << r << " cell " << cell;
            EXPECT_FALSE(cell.empty());
        }
        const Region g = RegionOf(table[r]);
        EXPECT_LT(g.x0, g.x1) << "row " << r;
        EXPECT_LT(g.y0, g.y1) << "row " << r;
        const std::string_view depth = table[r].back();
        EXPECT_EQ(std::to_string(Atoi(depth)), depth) << "row " << r << ": depth is a whole number";
    }
}

TEST(PresetTables, ShapeAndHeadings) {
    EXPECT_EQ(JuliaPresets.size(), 18u);
    EXPECT_EQ(MandelPresets.size(), 16u);
    EXPECT_EQ(JuliaPresetColumns[6], "TIEFE");
    EXPECT_EQ(MandelPresetColumns[0], "PMIN");
    ExpectWellFormed(JuliaPresets);
    ExpectWellFormed(MandelPresets);
}

TEST(PresetTables, TextsAreKeptCharacterForCharacter) {
    EXPECT_EQ(JuliaPresets[6][2], "-0.814070");
    EXPECT_EQ(JuliaPresets[13][4], "0.31");
    EXPECT_EQ(JuliaPresets[13][6], "500");
    EXPECT_EQ(MandelPresets[13][0], "-0.7451093");
    EXPECT_EQ(MandelPresets[13][2], "0.11301309");
    EXPECT_EQ(MandelPresets[6][1], "-1.322830");
}

TEST(PresetTables, ZoomChainsLieInsideEachOther) {
    const std::pair<int, int> julia[] = {{7, 6}, {8, 7}, {9, 8}, {1, 0}, {2, 0}, {3, 0}};
    for (auto [inner, outer] : julia)
        EXPECT_TRUE(RegionOf(JuliaPresets[inner]).Inside(RegionOf(JuliaPresets[outer])))
            << "Julia " << inner << " in " << outer;
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(JuliaPresets[r][4], "-0.12");

    const std::pair<int, int> mandel[] = {{2, 1}, {3, 2},  {4, 3},   {5, 3},  {6, 5},
                                          {7, 5}, {10, 9}, {11, 10}, {12, 10}};
    for (auto [inner, outer] : mandel)
        EXPECT_TRUE(RegionOf(MandelPresets[inner]).Inside(RegionOf(MandelPresets[outer])))
            << "Mandelbrot " << inner << " in " << outer;
    EXPECT_FALSE(RegionOf(MandelPresets[7]).Inside(RegionOf(MandelPresets[6])));
    for (int c = 0; c < 4; ++c) EXPECT_EQ(MandelPresets[0][c], MandelPresets[14][c]);
}

}  // namespace
}  // namespace morvale
