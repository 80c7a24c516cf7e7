#pragma once
// How a number entered into a field with a range [min, max] is corrected, and
// what the user is told about it. The window's number fields and the command
// line's options both follow it, so that a student sees the same correction,
// word for word, wherever the number was typed.

// A value after correction and the message that announces it.
struct CRangeCorrection {
    double Value;
    // The announcement (UTF-8), exactly as shown; nullptr when the value lay
    // within the range and was kept.
    const char* Message;
};

// x checked against [min, max] (min <= max). Within the range (bounds
// included) it is kept. Below or above it, x becomes the bound it passed when
// toBound is set, and previous (the value held before the entry) otherwise;
// the message names the violated bound and what was done:
//   "Введённое значение параметра меньше минимально-допустимого.\n Произведена коррекция."
//   "Введённое значение параметра больше максимально-допустимого.\n Прежнее значение
//   параметра восстановлено."
// A NaN compares with neither bound and is kept; the caller decides about it.
CRangeCorrection CorrectToRange(double x, double min, double max, bool toBound, double previous);
