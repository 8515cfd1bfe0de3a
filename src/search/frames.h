#pragma once

namespace window {
class Form;
}

// The frame search: for a count of letters N, the rectangles of letter squares whose gold frame
// (2a + 2b + 4 squares for a × b) beats every one listed before, written as rows into the three
// result lists of the form. Counts and frame sizes are 16-bit; an overflow (6) or a negative
// count (5) stops the search where it arises, and the rows listed so far stay.
namespace search {

class StepObserver;

// Reads N (the mantra's length or the count box's number), lists the strip 1 × N, the divisor
// pairs of N and of each larger area up to the next square, and the closing square when it does
// not lose. An observer, where one is given, is told each step of the run as it is taken.
void FindFrames(window::Form& form, StepObserver* observer = nullptr);

// Lists each divisor pair i × j of the area in `LetterCount`, for i from 2 to `RootSide`, whose
// frame is strictly smaller than `BestFrame`, and lowers `BestFrame` to it.
void ScanDivisors(window::Form& form);

}  // namespace search
