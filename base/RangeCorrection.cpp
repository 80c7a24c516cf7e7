#include "base/RangeCorrection.h"

namespace {

const char* const BelowCorrected =
    "Введённое значение параметра меньше минимально-допустимого.\n Произведена коррекция.";
const char* const BelowRestored = "Введённое значение параметра меньше минимально-допустимого.\n "
                                  "Прежнее значение параметра восстановлено.";
const char* const AboveCorrected =
    "Введённое значение параметра больше максимально-допустимого.\n Произведена коррекция.";
const char* const AboveRestored = "Введённое значение параметра больше максимально-допустимого.\n "
                                  "Прежнее значение параметра восстановлено.";

} // namespace

CRangeCorrection CorrectToRange(double x, double min, double max, bool toBound, double previous) {
    if (x < min) {
        return {toBound ? min : previous, toBound ? BelowCorrected : BelowRestored};
    }
    if (x > max) {
        return {toBound ? max : previous, toBound ? AboveCorrected : AboveRestored};
    }
    return {x, nullptr};
}
