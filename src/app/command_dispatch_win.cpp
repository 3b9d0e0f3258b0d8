#include "app/app_state.h"
#include "app/commands.h"
#include "resources/resource.h"

namespace {

struct CommandHandlerRow {
  int firstId;
  int lastId;
  CommandHandler handler;
};

constexpr CommandHandlerRow kCommandHandlers[] = {
#define HD_COMMAND(id, handler) {id, id, handler},
#define HD_COMMANDS(first, last, handler) {first, last, handler},
#include "app/commands.def"
};

}  // namespace

bool HasCommandHandler(int id) {
  for (const CommandHandlerRow& row : kCommandHandlers) {
    if (id >= row.firstId && id <= row.lastId) return true;
  }
  return false;
}

void DispatchCommand(AppState& app, int id, std::intptr_t lParam) {
  for (const CommandHandlerRow& row : kCommandHandlers) {
    if (id >= row.firstId && id <= row.lastId) {
      row.handler(app, CommandContext{id, lParam});
      return;
    }
  }
}
