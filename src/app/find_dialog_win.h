// The find dialog "FindDialog": asks for the term of the list search.
#pragma once
#include <string>

#include "platform/modal_dialog_win.h"

// Shows term for editing; on OK stores the new term (at most 127 bytes) in
// term and returns true. Cancel keeps the old term.
[[nodiscard]] bool RunFindDialog(const DialogOwner& owner, std::string& term);
