// A fresh data folder whose current player already has a name, for runs that
// start from the main menu without answering the first-run name box.
#pragma once
#include "tests/TempDir.h"
#include "storage/SaveFolder.h"

namespace bm::test {

struct PlayerDir : TempDir {
  PlayerDir() {
    SaveFolder folder{str(), BM_GAME_DIR, nullptr, {}};
    PrepareSaveFolder(folder);
    SaveData data;
    data.players.slot[std::size_t(kFirstPlayer)].Name = "Tester";
    SavePlayers(folder, data);
  }
};

}  // namespace bm::test
