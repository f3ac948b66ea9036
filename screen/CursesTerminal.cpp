#include "screen/CursesTerminal.hpp"

#include <ncurses.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "screen/Signals.hpp"

namespace vh {
namespace {

static_assert(KeyDown == KEY_DOWN && KeyUp == KEY_UP && KeyLeft == KEY_LEFT &&
              KeyRight == KEY_RIGHT && NoKey == ERR);
static_assert(COLOR_BLACK == static_cast<int>(Colour::Black) &&
              COLOR_WHITE == static_cast<int>(Colour::White));

// How often a waiting key read looks for a signal that came just before it began.
constexpr int KeyPollMilliseconds = 250;

attr_t cursesAttributes(TextAttributes attributes) {
  return (attributes.bold ? A_BOLD : A_NORMAL) | COLOR_PAIR(attributes.pair);
}

// A read that ends without a key while the terminal has hung up would otherwise spin forever.
bool inputClosed() {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  return poll(&input, 1, 0) > 0 && (input.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

void CursesTerminal::start() {
  initscr();
  cbreak();
  noecho();
  start_color();
  keypad(stdscr, TRUE);
  timeout(KeyPollMilliseconds);
  started_ = true;
}

void CursesTerminal::stop() {
  if (!started_) return;
  nocbreak();
  echo();
  endwin();
  started_ = false;
}

bool CursesTerminal::hasColours() const { return has_colors(); }

void CursesTerminal::definePair(int pair, Colour foreground) {
  init_pair(static_cast<short>(pair), static_cast<short>(foreground), COLOR_BLACK);
}

void CursesTerminal::attributesOn(TextAttributes attributes) {
  shown_.attributesOn(attributes);
  attr_on(cursesAttributes(attributes), nullptr);
}

void CursesTerminal::attributesOff(TextAttributes attributes) {
  shown_.attributesOff(attributes);
  attr_off(cursesAttributes(attributes), nullptr);
}

void CursesTerminal::write(int column, int row, std::string_view text) {
  shown_.write(column, row, text);
  if (!fits()) return;  // drawn from the copy once the terminal is large enough again
  move(row, column);
  addnstr(text.data(), static_cast<int>(text.size()));
}

void CursesTerminal::clear() {
  shown_.clear();
  ::clear();
}

void CursesTerminal::refresh() {
  if (fits()) {
    ::refresh();
  } else {
    showTooSmall();
  }
}

void CursesTerminal::setCursorVisible(bool visible) {
  cursorVisible_ = visible;
  curs_set(visible ? 1 : 0);
}

int CursesTerminal::readKey() {
  for (;;) {
    if (!fits()) showTooSmall();
    const int key = getch();
    if (pendingSignal() != 0) return NoKey;
    if (key == KEY_RESIZE) {
      if (fits()) redrawAll();
      continue;
    }
    // While the terminal is too small the game is not on screen, so keys are not taken.
    if (key != ERR && fits()) return key;
    if (key == ERR && inputClosed()) noteSignal(SIGHUP);
  }
}

bool CursesTerminal::fits() const {
  return COLS >= ScreenBuffer::Columns && LINES >= ScreenBuffer::Rows;
}

// Draws every cell of the copy again, in the attributes it was written with.
void CursesTerminal::redrawAll() {
  const attr_t current = cursesAttributes(shown_.attributes());
  ::clear();
  for (int row = 0; row < ScreenBuffer::Rows; ++row) {
    for (int column = 0; column < ScreenBuffer::Columns; ++column) {
      const ScreenBuffer::Cell& cell = shown_.cell(column, row);
      attrset(cursesAttributes(cell.attributes));
      mvaddch(row, column, static_cast<unsigned char>(cell.glyph));
    }
  }
  attrset(current);
  curs_set(cursorVisible_ ? 1 : 0);
  ::refresh();
}

void CursesTerminal::showTooSmall() {
  const attr_t current = cursesAttributes(shown_.attributes());
  attrset(A_NORMAL);
  erase();
  mvaddstr(0, 0, "The terminal is too small.");
  mvaddstr(1, 0, "Please make it at least 80 columns by 24 rows.");
  attrset(current);
  ::refresh();
}

}  // namespace vh
