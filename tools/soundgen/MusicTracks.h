// The three music tracks: the menu tune, and one each for the odd and the even stages.
#pragma once
#include "Score.h"

namespace bm::snd {

Score MenuTrack();     // a slow 6/8 air in D minor
Score StageTrackA();   // stages 1, 3, 5 and 7: a lively jig in G major
Score StageTrackB();   // stages 2, 4 and 6: a sea shanty in A minor

}  // namespace bm::snd
