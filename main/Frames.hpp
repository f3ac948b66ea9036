// The full-screen texts that frame the game.
#pragma once

#include "player/Playerdata.hpp"
#include "save/Savedata.hpp"

namespace vh {

// The story and the instructions, drawn on the fresh screen.
void showInstructions();

// The points of the captured pieces: 1 a pawn, 3 a knight or bishop, 5 a rook, 9 a queen.
int capturePoints(const Kills& kills);
// The score of a finished game: a bonus for the outcome and the points of the captured pieces.
int scoreOf(const Player& player);
Outcome outcomeOf(const Player& player);

// The final score screen of a finished game; records the game against the high score and shows
// the high score that stands. It neither updates the screen nor waits for a key.
void showScore(const Player& player, int level);

}  // namespace vh
