#include "screen/CursesTerminal.hpp"

#include <ncurses.h>

#include <string>

namespace vh {
namespace {

static_assert(KeyDown == KEY_DOWN && KeyUp == KEY_UP && KeyLeft == KEY_LEFT &&
              KeyRight == KEY_RIGHT);
static_assert(COLOR_BLACK == static_cast<int>(Colour::Black) &&
              COLOR_WHITE == static_cast<int>(Colour::White));

int cursesAttributes(TextAttributes attributes) {
  return static_cast<int>((attributes.bold ? A_BOLD : A_NORMAL) | COLOR_PAIR(attributes.pair));
}

}  // namespace

void CursesTerminal::start() {
  initscr();
  cbreak();
  noecho();
  start_color();
  keypad(stdscr, TRUE);
}

void CursesTerminal::stop() {
  nocbreak();
  echo();
  endwin();
}

bool CursesTerminal::hasColours() const { return has_colors(); }

void CursesTerminal::definePair(int pair, Colour foreground) {
  init_pair(static_cast<short>(pair), static_cast<short>(foreground), COLOR_BLACK);
}

void CursesTerminal::attributesOn(TextAttributes attributes) {
  attron(cursesAttributes(attributes));
}

void CursesTerminal::attributesOff(TextAttributes attributes) {
  attroff(cursesAttributes(attributes));
}

void CursesTerminal::write(int column, int row, std::string_view text) {
  move(row, column);
  addstr(std::string(text).c_str());
}

void CursesTerminal::clear() { ::clear(); }

void CursesTerminal::refresh() { ::refresh(); }

void CursesTerminal::setCursorVisible(bool visible) { curs_set(visible ? 1 : 0); }

int CursesTerminal::readKey() { return getch(); }

}  // namespace vh
