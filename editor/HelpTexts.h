// The fixed texts of the Help menu: the help screen's lines, its credit line
// and the About message. All UTF-8.
#pragma once

#include <string>
#include <vector>

namespace kestrilo {

// The twenty lines of the help memo in the interface language (trailing spaces kept).
std::vector<std::string> HelpScreenLines();
// The credit line above the memo.
std::string HelpCreditLine();
// The About message.
std::string AboutMessage();

}  // namespace kestrilo
