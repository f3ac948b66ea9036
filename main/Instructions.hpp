// The full-screen texts that frame the game.
#pragma once

namespace vh {

// The story and the instructions, drawn on the fresh screen, until a key is pressed.
void showInstructions();

}  // namespace vh
