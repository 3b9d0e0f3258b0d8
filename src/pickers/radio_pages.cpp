#include "pickers/radio_pages.h"

#include <iterator>

#include "resources/command_ids.h"

#define HD_NHK_HOST "http://www3.nhk.or.jp"
#define HD_RADIKO_HOST "http://radiko.jp"

const RadioPage kRadioPages[] = {
#define HD_POPUP(text)
#define HD_END
#define HD_ITEM(id, text)
#define HD_NHK(id, text, channel, area) {id, HD_NHK_HOST "/netradio/player/index.html?ch=" channel "&area=" area},
#define HD_RADIKO(id, text, path) {id, HD_RADIKO_HOST path},
#define HD_STATION(id, text, code) {id, HD_RADIKO_HOST "/#!/live/" code},
#include "resources/menu_bar.def"
};
const std::size_t kRadioPageCount = std::size(kRadioPages);

const char* RadioAddress(int id) {
  for (const RadioPage& page : kRadioPages) {
    if (page.id == id) return page.address;
  }
  return nullptr;
}
