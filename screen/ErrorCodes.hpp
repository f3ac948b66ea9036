// Every code that a GameError carries, each shown to the player as the number before its message.
#pragma once

namespace vh {

inline constexpr int FileErrorCode = 1;        // a file could not be read, written or used
inline constexpr int AlreadyRunningCode = 2;   // another game holds the save folder's lock
inline constexpr int CannotLockCode = 3;       // the save folder's lock cannot be held at all
inline constexpr int WrongShapeCode = 251;     // a file's values are not of the shape a game has
inline constexpr int BadReferenceCode = 252;   // a file refers to a value it never gave
inline constexpr int WrongFileCode = 253;      // a file holds another kind of file's values
inline constexpr int BadValueCode = 254;       // a file's text is not a value at all
inline constexpr int BadRecordingCode = 260;   // a text is not a recording this game reads
inline constexpr int BadLogCode = 261;         // a line of the game log cannot be read
inline constexpr int OutOfRangeCode = 1000;    // a die or draw was asked of an empty range

}  // namespace vh
