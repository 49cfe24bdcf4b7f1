#pragma once
// Numbers as the tables and the JSON write them: plain decimal, never an exponent, no
// trailing zeros a reader would take for precision the value does not have.

#include <string>

namespace audiogram::frontend {

// Decibels with at least one decimal and at most three: averages of tenths over four
// frequencies need up to three. 27.5 is "27.5", 20 is "20.0", 28.3333 is "28.333".
std::string Decibels(double value);

// A point's value as the shortest decimal that reads back the same at the record's
// precision: 1000 is "1000", 25.5 is "25.5", -5.5 is "-5.5".
std::string PlainNumber(double value);

}  // namespace audiogram::frontend
