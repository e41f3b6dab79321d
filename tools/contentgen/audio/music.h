// The game's ten pieces of music, in the order of its music table.
#pragma once

#include <vector>

#include "audio/sequencer.h"

namespace contentgen {

const std::vector<SPiece>& MusicPieces();

}  // namespace contentgen
