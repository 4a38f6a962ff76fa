// Stage packs in the browser: the reader the web host hands the game. The page's zip library
// opens the archive and unpacks its entries (page/archive.js); every check is the one the
// desktop's reader makes (ReadPackArchive in pack/pack_reader.h).
#pragma once

#include "app/pack_store.h"

namespace vantrell::web {

PackReader PagePackReader();

}  // namespace vantrell::web
