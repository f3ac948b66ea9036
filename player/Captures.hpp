// Captures in both directions: the King taking the pieces on his cell, with the abilities that
// opens, and a piece taking the King.
#pragma once

#include "creatures/Creaturedata.hpp"
#include "player/Playerdata.hpp"

namespace vh {

// Captures every living piece on the King's cell: counts it, announces an ability reached at
// this capture, recolours the keypad, and writes the capture into the player's message.
// True when anything was captured.
bool checkCreatureKill(Player& player, CreatureList& creatures);

// Marks the King captured when a living piece stands on his cell, appending the reason to his
// message.
void checkPlayerKill(Player& player, const CreatureList& creatures);

}  // namespace vh
