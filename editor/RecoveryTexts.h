// What the start-up says about the recovery copies an earlier run left: the
// question that names the level and when each copy was written, and the
// message for a copy that could not be read.
#pragma once

#include <string>

#include "editor/Recovery.h"

namespace kestrilo {

std::string RecoveryQuestion(const TRecovery::TFound& Found);
// The copy was moved into `SetAsideTo`.
std::string DamagedCopyMessage(const TRecovery::TDamaged& Damaged, const std::string& SetAsideTo);
// The copy could not be moved either, for `MoveError`.
std::string UnmovedDamagedCopyMessage(const TRecovery::TDamaged& Damaged, const std::string& MoveError);

}  // namespace kestrilo
