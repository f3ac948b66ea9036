// The recordings of the save folder as the player sees them: listed newest first, and found
// again by the name the list gives.
#pragma once

#include <string>

namespace vh {

// One line for each recording in the folder, newest first: its name, when its game began, the
// seed (or "-"), how it ended, the area, the score and the turns; a damaged recording's line
// says why it cannot be read. A line saying so when there are none.
std::string recordingsTable(const std::string& folder);

// The recording a command line names: a path as given when a file is there, else a name from
// the list (with or without its ".vhr") in the save folder's recordings, else the path as given.
std::string recordingPath(const std::string& given);

}  // namespace vh
