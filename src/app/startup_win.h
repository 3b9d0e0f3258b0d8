// Single instance and the hand-over of a path between instances.
#pragma once
#include <string>

#include "items/item_dialog_win.h"

struct AppState;

// The first command-line argument; empty when there is none or when it is
// longer than a path field holds (a cut path would name the wrong file).
std::string FirstArgument();

// When another instance runs: leaves the argument in "Option9", brings that
// instance forward and returns true.
bool HandOffToRunningInstance(const std::string& argument);

// Opens the add-item dialog with prefill; true when an item was written,
// which written names. A path waiting in app.waitingAdd is used up as the
// dialog closes.
bool OpenAddItemDialog(AppState& app, AddItemPrefill prefill, WrittenItem& written);

// Start-up with a path: offers it in the add-item dialog.
void OfferStartUpPath(AppState& app);

// The registered hand-over message: takes a path left in "Option9".
void OnHandOver(AppState& app);
