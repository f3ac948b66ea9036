// A game as a link: its whole recording in the address's fragment, after "#replay=", compressed
// with raw deflate and written in base64url, so that the page plays it back with no server.
#pragma once

#include <string>
#include <string_view>

namespace vh {

// Whether the text is a link to a game rather than a path.
bool isGameLink(std::string_view text);

// The recording a link holds, byte for byte; raises BadRecordingCode, naming the fault, for a
// link that holds none (bad base64url, bad deflate, or more than a recording's largest size).
std::string recordingOfLink(std::string_view link);

}  // namespace vh
