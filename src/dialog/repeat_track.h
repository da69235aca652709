// The texts of the dialog's combo box for the CD track to repeat. Portable.
#pragma once

#include <string>
#include <vector>

namespace gyra {

// A number formatted with the pattern "##": no digits for 0, otherwise its
// decimal digits with a sign when negative.
std::string FormatHashHash(int number);

// The list entries: the numbers 0 to 99 formatted with "##", so the first
// entry is empty.
std::vector<std::string> RepeatTrackEntries();

}  // namespace gyra
