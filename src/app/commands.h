// The main window's commands. Each subsystem implements those it owns;
// commands.def names each with its ids and its handler.
#pragma once
#include <cstdint>

struct AppState;

struct CommandContext {
  int id;
  std::intptr_t lParam;  // WM_COMMAND's lParam (the context menu's point)
};

using CommandHandler = void (*)(AppState& app, const CommandContext& command);

// Whether an id has a handler.
bool HasCommandHandler(int id);

// Runs the command with this id; ids without a handler do nothing.
void DispatchCommand(AppState& app, int id, std::intptr_t lParam);

// The handlers, one for each row of commands.def.
#define HD_COMMAND(id, handler) void handler(AppState& app, const CommandContext& command);
#define HD_COMMANDS(first, last, handler) HD_COMMAND(first, handler)
#include "app/commands.def"
