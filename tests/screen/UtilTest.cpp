// The small helpers are covered through their callers: map generation, the pieces' moves and
// the message lines. This file can go.
