#pragma once
// Display text of a number with a fixed count of decimals and a decimal comma.

#include <string>

// precision 0..7 formats like printf "%.<precision>f"; any other precision
// like "%e". The first '.' of the text becomes ',' whatever the locale. Any
// value, NaN and infinities included, gives its complete text: long
// fixed-notation texts (1e300 with 7 decimals) are never cut.
std::string FloatToText(unsigned precision, double value);
