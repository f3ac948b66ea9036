// The game's records as generic values of the file format, and back. Reading checks the shape of
// everything, so no file, however damaged, can put the game in a state it could not reach itself.
#pragma once

#include "save/Marshal.hpp"
#include "save/Savedata.hpp"

namespace vh {

Document toDocument(const GameState& state);
Document toDocument(const HighScore& score);

// The saved game a document holds: a 59 x 19 map, the King on a clear cell, pieces inside the
// map and living ones on distinct clear cells, printable looks and names, sane counts and area.
GameState gameStateFrom(const Document& document);
HighScore highScoreFrom(const Document& document);

}  // namespace vh
