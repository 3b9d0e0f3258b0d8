// The find dialog "FindDialog": asks for the term of the list search.
#pragma once
#include "platform/modal_dialog_win.h"

struct AppState;

// Shows app.findTerm for editing; on OK stores the new term (at most 127
// bytes) in app.findTerm and returns true. Cancel keeps the old term.
bool RunFindDialog(const DialogOwner& owner, AppState& app);
