#include "core/fp/fp_rating.h"

namespace zarvik {
namespace {

// The same pattern of levels stands in all three matrices; only the bounds differ.
constexpr int32_t kMatrix[3][3] = {
    {kLevelLow, kLevelLow, kLevelAverage},
    {kLevelLow, kLevelAverage, kLevelHigh},
    {kLevelAverage, kLevelHigh, kLevelHigh},
};

struct Bounds {
    int32_t detRow1Max;     // DET up to this falls in the first row
    int32_t detRow2Max;     // then up to this in the second
    int32_t secondCol1Max;  // RET or FTR up to this falls in the first column
    int32_t secondCol2Max;  // then up to this in the second
};

constexpr Bounds kDataBounds{19, 50, 1, 5};
constexpr Bounds kInputBounds{4, 15, 1, 2};
constexpr Bounds kOutputBounds{5, 19, 1, 3};

const Bounds* BoundsOf(int32_t type) {
    switch (type) {
        case kFpTypeILF:
        case kFpTypeEIF:
            return &kDataBounds;
        case kFpTypeEI:
            return &kInputBounds;
        case kFpTypeEO:
        case kFpTypeEQ:
            return &kOutputBounds;
        default:
            return nullptr;
    }
}

}  // namespace

int32_t RateComplexity(int32_t type, int32_t det, int32_t second, int32_t* cellCode) {
    const Bounds* bounds = BoundsOf(type);
    if (bounds == nullptr) {
        return kLevelLow;
    }
    const int row = det <= bounds->detRow1Max ? 0 : det <= bounds->detRow2Max ? 1 : 2;
    // A negative count, possible only from a hand-edited file, falls in the last column.
    int column = 2;
    if (second >= 0) {
        column = second <= bounds->secondCol1Max ? 0 : second <= bounds->secondCol2Max ? 1 : 2;
    }
    if (cellCode != nullptr) {
        *cellCode = 10 * (row + 1) + column + 1;
    }
    return kMatrix[row][column];
}

int32_t FpWeight(int32_t type, int32_t level) {
    if (level < kLevelLow || level > kLevelHigh) {
        return 0;
    }
    static constexpr int32_t kIlf[3] = {7, 10, 15};
    static constexpr int32_t kEif[3] = {5, 7, 10};
    static constexpr int32_t kEi[3] = {3, 4, 6};
    static constexpr int32_t kEo[3] = {4, 5, 7};
    static constexpr int32_t kEq[3] = {3, 4, 6};
    switch (type) {
        case kFpTypeILF:
            return kIlf[level];
        case kFpTypeEIF:
            return kEif[level];
        case kFpTypeEI:
            return kEi[level];
        case kFpTypeEO:
            return kEo[level];
        case kFpTypeEQ:
            return kEq[level];
        default:
            return 0;
    }
}

int32_t LevelBySetting(int32_t setting, int32_t defaultLevel, int32_t userLevel,
                       int32_t matrixLevel) {
    switch (setting) {
        case kSumEstimated:
            return defaultLevel;
        case kSumUserLevel:
            return userLevel;
        case kSumAutomatic:
            return matrixLevel;
        default:
            return -1;
    }
}

int32_t FpBySetting(int32_t type, int32_t setting, int32_t defaultLevel, int32_t userLevel,
                    int32_t userFp, int32_t det, int32_t second) {
    switch (setting) {
        case kSumEstimated:
            return FpWeight(type, defaultLevel);
        case kSumUserLevel:
            return FpWeight(type, userLevel);
        case kSumAutomatic:
            return FpWeight(type, RateComplexity(type, det, second));
        case kSumUserFp:
            return userFp;
        default:
            return 0;
    }
}

const char* FpTypeName(int32_t type) {
    switch (type) {
        case kFpTypeEI:
            return "EI";
        case kFpTypeEO:
            return "EO";
        case kFpTypeEQ:
            return "EQ";
        case kFpTypeILF:
            return "ILF";
        case kFpTypeEIF:
            return "EIF";
        default:
            return nullptr;
    }
}

}  // namespace zarvik
