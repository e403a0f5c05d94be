#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "core/fp/fp_rating.h"

namespace zarvik {
namespace {

// A count on one axis of a matrix and the row or column (0..2) it must fall in.
struct AxisPoint {
    int32_t count;
    int index;
};

struct MatrixCase {
    std::string name;
    std::vector<int32_t> types;
    std::vector<AxisPoint> dets;
    std::vector<AxisPoint> seconds;  // RET for data functions, FTR for transactions
    int32_t levels[3][3];
};

constexpr int32_t L = kLevelLow;
constexpr int32_t A = kLevelAverage;
constexpr int32_t H = kLevelHigh;

const std::vector<MatrixCase>& MatrixCases() {
    static const std::vector<MatrixCase> cases = {
        {"data",
         {kFpTypeILF, kFpTypeEIF},
         {{-1, 0}, {0, 0}, {19, 0}, {20, 1}, {50, 1}, {51, 2}, {INT32_MAX, 2}},
         {{0, 0}, {1, 0}, {2, 1}, {5, 1}, {6, 2}, {INT32_MAX, 2}, {-1, 2}, {INT32_MIN, 2}},
         {{L, L, A}, {L, A, H}, {A, H, H}}},
        {"input",
         {kFpTypeEI},
         {{-1, 0}, {0, 0}, {4, 0}, {5, 1}, {15, 1}, {16, 2}, {INT32_MAX, 2}},
         {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {INT32_MAX, 2}, {-1, 2}, {INT32_MIN, 2}},
         {{L, L, A}, {L, A, H}, {A, H, H}}},
        {"output and inquiry",
         {kFpTypeEO, kFpTypeEQ},
         {{-1, 0}, {0, 0}, {5, 0}, {6, 1}, {19, 1}, {20, 2}, {INT32_MAX, 2}},
         {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {INT32_MAX, 2}, {-1, 2}, {INT32_MIN, 2}},
         {{L, L, A}, {L, A, H}, {A, H, H}}},
    };
    return cases;
}

TEST(FpRating, EveryBoundaryOfEveryMatrix) {
    for (const MatrixCase& matrix : MatrixCases()) {
        for (int32_t type : matrix.types) {
            for (const AxisPoint& det : matrix.dets) {
                for (const AxisPoint& second : matrix.seconds) {
                    SCOPED_TRACE(matrix.name + " type " + std::to_string(type) + " DET " +
                                 std::to_string(det.count) + " second " +
                                 std::to_string(second.count));
                    int32_t cell = -1;
                    EXPECT_EQ(RateComplexity(type, det.count, second.count, &cell),
                              matrix.levels[det.index][second.index]);
                    EXPECT_EQ(cell, 10 * (det.index + 1) + second.index + 1);
                    EXPECT_EQ(RateComplexity(type, det.count, second.count),
                              matrix.levels[det.index][second.index]);
                }
            }
        }
    }
}

TEST(FpRating, UnknownTypeRatesLowAndLeavesTheCellCode) {
    for (int32_t type : {0, 99, 103, 199, 202, -100, 300}) {
        SCOPED_TRACE(type);
        const int32_t counts[][2] = {{0, 0}, {100, 10}, {60, -1}};
        for (const auto& count : counts) {
            int32_t cell = 77;
            EXPECT_EQ(RateComplexity(type, count[0], count[1], &cell), kLevelLow);
            EXPECT_EQ(cell, 77);
        }
    }
}

TEST(FpRating, WeightTable) {
    struct Row {
        int32_t type;
        int32_t low, average, high;
    };
    const Row rows[] = {
        {kFpTypeILF, 7, 10, 15}, {kFpTypeEIF, 5, 7, 10}, {kFpTypeEI, 3, 4, 6},
        {kFpTypeEO, 4, 5, 7},    {kFpTypeEQ, 3, 4, 6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        EXPECT_EQ(FpWeight(row.type, kLevelLow), row.low);
        EXPECT_EQ(FpWeight(row.type, kLevelAverage), row.average);
        EXPECT_EQ(FpWeight(row.type, kLevelHigh), row.high);
        for (int32_t level : {-1, 3, INT32_MIN, INT32_MAX}) {
            EXPECT_EQ(FpWeight(row.type, level), 0) << "level " << level;
        }
    }
    for (int32_t type : {0, 99, 103, 202}) {
        for (int32_t level : {kLevelLow, kLevelAverage, kLevelHigh}) {
            EXPECT_EQ(FpWeight(type, level), 0) << "type " << type << " level " << level;
        }
    }
}

TEST(FpRating, BySetting) {
    struct Case {
        int32_t type, setting, defaultLevel, userLevel, userFp, det, second, expected;
    };
    const Case cases[] = {
        // The estimated level and the user's level ignore the counts.
        {kFpTypeILF, kSumEstimated, kLevelLow, kLevelHigh, 99, 60, 9, 7},
        {kFpTypeEO, kSumEstimated, kLevelAverage, kLevelLow, 99, 0, 0, 5},
        {kFpTypeEIF, kSumUserLevel, kLevelLow, kLevelHigh, 99, 0, 0, 10},
        {kFpTypeEI, kSumUserLevel, kLevelAverage, 3, 99, 0, 0, 0},
        {kFpTypeEQ, kSumUserLevel, kLevelAverage, -1, 99, 0, 0, 0},
        // The matrix level ignores the chosen levels.
        {kFpTypeILF, kSumAutomatic, kLevelHigh, kLevelHigh, 99, 20, 2, 10},
        {kFpTypeEQ, kSumAutomatic, kLevelLow, kLevelLow, 99, 20, 2, 6},
        {kFpTypeEI, kSumAutomatic, kLevelHigh, kLevelHigh, 99, 0, 0, 3},
        // The user's value whatever the type, also values no level has.
        {kFpTypeEI, kSumUserFp, kLevelAverage, kLevelHigh, 13, 60, 9, 13},
        {kFpTypeILF, kSumUserFp, kLevelLow, kLevelHigh, -2, 0, 0, -2},
        {kFpTypeEIF, kSumUserFp, kLevelLow, kLevelHigh, 0, 60, 9, 0},
        {0, kSumUserFp, kLevelLow, kLevelLow, 21, 0, 0, 21},
        // Unknown settings and types.
        {kFpTypeILF, 4, kLevelLow, kLevelLow, 99, 0, 0, 0},
        {kFpTypeEI, -1, kLevelAverage, kLevelAverage, 99, 0, 0, 0},
        {0, kSumEstimated, kLevelLow, kLevelLow, 99, 0, 0, 0},
        {0, kSumAutomatic, kLevelLow, kLevelLow, 99, 60, 9, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + " setting " + std::to_string(c.setting));
        EXPECT_EQ(
            FpBySetting(c.type, c.setting, c.defaultLevel, c.userLevel, c.userFp, c.det, c.second),
            c.expected);
    }
}

}  // namespace
}  // namespace zarvik

namespace zarvik {
namespace {

TEST(FpRating, LevelInForceFollowsTheSetting) {
    EXPECT_EQ(LevelBySetting(kSumEstimated, kLevelLow, kLevelHigh, kLevelAverage), kLevelLow);
    EXPECT_EQ(LevelBySetting(kSumUserLevel, kLevelLow, kLevelHigh, kLevelAverage), kLevelHigh);
    EXPECT_EQ(LevelBySetting(kSumAutomatic, kLevelLow, kLevelHigh, kLevelAverage), kLevelAverage);
    EXPECT_EQ(LevelBySetting(kSumUserFp, kLevelLow, kLevelHigh, kLevelAverage), -1);
    EXPECT_EQ(LevelBySetting(7, kLevelLow, kLevelHigh, kLevelAverage), -1);
}

}  // namespace
}  // namespace zarvik
