#pragma once
// Function types, complexity levels, the complexity matrices and the weight table.

#include <cstdint>

namespace zarvik {

// Function type codes.
inline constexpr int32_t kFpTypeEI = 100;
inline constexpr int32_t kFpTypeEO = 101;
inline constexpr int32_t kFpTypeEQ = 102;
inline constexpr int32_t kFpTypeILF = 200;
inline constexpr int32_t kFpTypeEIF = 201;

// "EI", "EO", "EQ", "ILF" or "EIF" for a function type code, null for any other code.
const char* FpTypeName(int32_t type);

// Complexity levels.
inline constexpr int32_t kLevelLow = 0;
inline constexpr int32_t kLevelAverage = 1;
inline constexpr int32_t kLevelHigh = 2;

// How a function's value is found (SelectFpSumType).
inline constexpr int32_t kSumEstimated = 0;  // fixed level: low for data, average for transactions
inline constexpr int32_t kSumUserLevel = 1;  // the level the user chose (FpLevel)
inline constexpr int32_t kSumAutomatic = 2;  // the level the matrix gives for the counts
inline constexpr int32_t kSumUserFp = 3;     // the value the user gave (FpUser)

// The level of a function by the complexity matrix of its type. second is the RET count
// of a data function, the FTR count of a transaction. When cellCode is given it receives
// 10 × row + column (11 top left to 33 bottom right); an unknown type gives level 0 and
// leaves cellCode untouched.
int32_t RateComplexity(int32_t type, int32_t det, int32_t second, int32_t* cellCode = nullptr);

// Function points of a type at a level; 0 for an unknown type or a level outside 0..2.
int32_t FpWeight(int32_t type, int32_t level);

// The level a setting puts in force: the estimated level, the user's level or the matrix
// level; -1 when the value is given directly or the setting is unknown.
int32_t LevelBySetting(int32_t setting, int32_t defaultLevel, int32_t userLevel,
                       int32_t matrixLevel);

// The value by the calculation setting: the estimated level (defaultLevel), the user's
// level, the matrix level for the counts, or the user's value; 0 for any other setting.
int32_t FpBySetting(int32_t type, int32_t setting, int32_t defaultLevel, int32_t userLevel,
                    int32_t userFp, int32_t det, int32_t second);

}  // namespace zarvik
