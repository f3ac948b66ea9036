// The full-screen texts that frame the game.
#pragma once

#include "player/Playerdata.hpp"
#include "save/Savedata.hpp"
#include "screen/Util.hpp"

namespace vh {

// The story and the instructions, drawn on the fresh screen.
void showInstructions();

// The points of the captured pieces: 1 a pawn, 3 a knight or bishop, 5 a rook, 9 a queen.
int capturePoints(const Kills& kills);
// The score of a finished game: a bonus for the outcome and the points of the captured pieces.
int scoreOf(const Player& player);
Outcome outcomeOf(const Player& player);

// The final score screen of a finished game up to its high score, which the caller shows with one
// of the two below; the high score the game makes.
HighScore showScore(const Player& player, int level);
// The high score that stands, on the score screen.
void showHighScore(const HighScore& best);
// Why the game's score could not be kept, on the score screen.
void showHighScoreLost(const GameError& error);

}  // namespace vh
