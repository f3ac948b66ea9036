#include "screen/CursesTerminal.hpp"

#include <ncurses.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <utility>
#include <vector>

#include "screen/Signals.hpp"

// Last: the terminal description's capability names are macros.
#include <term.h>

namespace vh {
namespace {

static_assert(KeyDown == KEY_DOWN && KeyUp == KEY_UP && KeyLeft == KEY_LEFT &&
              KeyRight == KEY_RIGHT && KeyHome == KEY_HOME && KeyNextPage == KEY_NPAGE &&
              KeyPreviousPage == KEY_PPAGE && KeyA1 == KEY_A1 && KeyA3 == KEY_A3 &&
              KeyB2 == KEY_B2 && KeyC1 == KEY_C1 && KeyC3 == KEY_C3 && KeyBegin == KEY_BEG &&
              KeyEnd == KEY_END && NoKey == ERR);
static_assert(COLOR_BLACK == static_cast<int>(Colour::Black) &&
              COLOR_WHITE == static_cast<int>(Colour::White));

// How long the bytes of one escape sequence may take to follow each other.
constexpr int SequenceMilliseconds = 100;
// Far longer than any key sends; the reading of a sequence stops there, whatever comes.
constexpr int MaxSequence = 256;

attr_t cursesAttributes(TextAttributes attributes) {
  return (attributes.bold ? A_BOLD : A_NORMAL) | (attributes.underline ? A_UNDERLINE : A_NORMAL) |
         (attributes.reverse ? A_REVERSE : A_NORMAL) | COLOR_PAIR(attributes.pair);
}

// NO_COLOR set to anything but the empty string asks for no colours.
bool coloursWanted() {
  const char* noColour = std::getenv("NO_COLOR");
  return noColour == nullptr || *noColour == '\0';
}

// Sequences that terminals send for keys the game reads, which a terminal's description may not
// name. In application keypad mode the keypad sends ESC O followed by its key plus 0x40 (ESC O w
// for 7), whatever a description says; the others only where the description leaves them free.
void teachKeys() {
  for (char key = '*'; key <= '9'; ++key) {
    const std::array<char, 4> keypad = {'\033', 'O', static_cast<char>(key + 0x40), '\0'};
    define_key(keypad.data(), key);
  }
  constexpr std::array<std::pair<const char*, int>, 21> common = {{
      {"\033[A", KEY_UP},     {"\033OA", KEY_UP},     {"\033[B", KEY_DOWN},  {"\033OB", KEY_DOWN},
      {"\033[C", KEY_RIGHT},  {"\033OC", KEY_RIGHT},  {"\033[D", KEY_LEFT},  {"\033OD", KEY_LEFT},
      {"\033[H", KEY_HOME},   {"\033OH", KEY_HOME},   {"\033[1~", KEY_HOME}, {"\033[7~", KEY_HOME},
      {"\033[F", KEY_END},    {"\033OF", KEY_END},    {"\033[4~", KEY_END},  {"\033[8~", KEY_END},
      {"\033[5~", KEY_PPAGE}, {"\033[6~", KEY_NPAGE}, {"\033[E", KEY_B2},    {"\033OE", KEY_B2},
      {"\033[G", KEY_B2},
  }};
  for (const auto& [sequence, key] : common) {
    if (key_defined(sequence) == 0) define_key(sequence, key);
  }
  // The game takes no mouse input: a mouse report is one more unknown sequence.
  const char* mouse = tigetstr("kmous");
  if (mouse != nullptr && mouse != reinterpret_cast<char*>(-1)) define_key(mouse, 0);
}

// Reads the rest of an escape sequence that curses did not know, so that none of its bytes is
// taken as a key of its own: a control sequence runs to its final byte (an old mouse report has
// three bytes more), a string to its terminator, anything else is one character.
void dropEscapeSequence() {
  timeout(SequenceMilliseconds);
  int length = 0;
  const auto next = [&length] { return ++length > MaxSequence ? ERR : getch(); };
  int c = next();
  while (c == KeyEscape) c = next();  // an Alt combination sends one more ESC first
  if (c == '[') {
    c = next();
    if (c == 'M') {
      for (int i = 0; i < 3; ++i) next();
    } else {
      while (c >= 0x20 && c <= 0x3f) c = next();  // parameters and intermediates
    }
  } else if (c == ']' || c == 'P' || c == '_' || c == '^' || c == 'X') {
    for (int previous = c; c != ERR && c != '\a' && !(previous == KeyEscape && c == '\\');) {
      previous = std::exchange(c, next());
    }
  } else if (c == 'O') {
    next();
  }
  timeout(0);
}

// Flow control would let Ctrl-S freeze the screen while keys are still taken blind.
void stopFlowControl() {
  termios modes{};
  if (tcgetattr(STDIN_FILENO, &modes) != 0) return;
  modes.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF);
  tcsetattr(STDIN_FILENO, TCSANOW, &modes);
  def_prog_mode();  // so that curses restores this mode, not its own, after a suspend
}

// The text as lines of at most `width` characters, broken between words; empty when a word
// does not fit.
std::vector<std::string> wrapped(std::string_view text, int width) {
  std::vector<std::string> rows;
  std::string row;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of(" \n", start), text.size());
    const std::string_view word = text.substr(start, end - start);
    if (word.size() > static_cast<std::size_t>(width)) return {};
    if (!row.empty() && row.size() + 1 + word.size() > static_cast<std::size_t>(width)) {
      rows.push_back(std::exchange(row, ""));
    }
    if (!row.empty()) row += ' ';
    row += word;
    if (end < text.size() && text[end] == '\n') rows.push_back(std::exchange(row, ""));
    start = end + 1;
  }
  if (!row.empty()) rows.push_back(row);
  return rows;
}

// The notice that the terminal is too small, in as many words as fit in it.
std::vector<std::string> tooSmallNotice(int width, int height) {
  for (const std::string_view notice :
       {"The terminal is too small.\nPlease make it at least 80 columns by 24 rows.",
        "Too small: make it at least 80x24.", "Needs 80x24", "80x24"}) {
    std::vector<std::string> text = wrapped(notice, width);
    if (!text.empty() && text.size() <= static_cast<std::size_t>(height)) return text;
  }
  return {};
}

}  // namespace

std::optional<std::string> unusableTerminal() {
  const std::string needs = "needs a terminal of at least 80x24 with cursor addressing";
  const std::string unaddressable = needs + " (this one cannot address the cursor)";
  if (isatty(STDIN_FILENO) == 0) return needs + " (standard input is not one)";
  if (isatty(STDOUT_FILENO) == 0) return needs + " (standard output is not one)";
  const char* name = std::getenv("TERM");
  if (name == nullptr || *name == '\0') return needs + " (TERM is not set)";
  // Curses refuses a printing terminal itself, and says so with status 1.
  int status = 0;
  if (setupterm(name, STDOUT_FILENO, &status) != OK) {
    return status == 1 ? unaddressable : needs + " (TERM names no terminal known here)";
  }
  const bool addressable = cursor_address != nullptr;
  del_curterm(cur_term);
  if (!addressable) return unaddressable;
  return std::nullopt;
}

void CursesTerminal::start() {
  // The size is the terminal's own, whatever LINES and COLUMNS say.
  use_env(FALSE);
  use_tioctl(TRUE);
  initscr();
  cbreak();
  noecho();
  stopFlowControl();
  colours_ = 0;
  if (coloursWanted() && has_colors()) {
    start_color();
    colours_ = COLORS;
  }
  keypad(stdscr, TRUE);
  teachKeys();
  timeout(0);  // the wait for a key is readKey's own
  // The signals that end a wait are held back outside it, so none can slip in just before it.
  sigset_t held = terminationSignals();
  sigaddset(&held, SIGWINCH);
  sigprocmask(SIG_BLOCK, &held, &signalsBefore_);
  signalsInWait_ = signalsBefore_;
  for (int signal = 1; signal < NSIG; ++signal) {
    if (sigismember(&held, signal) == 1) sigdelset(&signalsInWait_, signal);
  }
  started_ = true;
}

void CursesTerminal::stop() {
  if (!started_) return;
  nocbreak();
  echo();
  endwin();
  sigprocmask(SIG_SETMASK, &signalsBefore_, nullptr);
  started_ = false;
}

void CursesTerminal::definePair(int pair, Colour foreground, bool bright) {
  const int colour = static_cast<int>(foreground) + (bright ? 8 : 0);
  init_pair(static_cast<short>(pair), static_cast<short>(colour), COLOR_BLACK);
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

// Takes what curses has already read first, then sleeps in one call until the terminal has
// input or a signal comes. Input that was reported but cannot be read means the terminal is
// gone, which is a hangup.
int CursesTerminal::readKey() { return nextKey(nullptr); }

int CursesTerminal::readKeyWithin(int milliseconds) {
  timespec deadline{};
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += milliseconds / 1000;
  deadline.tv_nsec += static_cast<long>(milliseconds % 1000) * 1'000'000L;
  if (deadline.tv_nsec >= 1'000'000'000L) {
    deadline.tv_sec += 1;
    deadline.tv_nsec -= 1'000'000'000L;
  }
  return nextKey(&deadline);
}

int CursesTerminal::nextKey(const timespec* deadline) {
  bool inputReported = false;
  for (;;) {
    if (pendingSignal() != 0) return NoKey;
    if (!fits()) showTooSmall();
    const int key = getch();
    if (key == ERR) {
      const Wake wake = inputReported ? Wake::Gone : waitForInput(deadline);
      if (wake == Wake::Timeout) return NoKey;
      if (wake == Wake::Gone) {
        noteSignal(SIGHUP);
        return NoKey;
      }
      inputReported = wake == Wake::Input;
      if (wake == Wake::Signal) followResize();
      continue;
    }
    inputReported = false;
    if (key == KEY_RESIZE) {
      if (fits()) redrawAll();
      continue;
    }
    if (key == KeyEscape) dropEscapeSequence();
    // While the terminal is too small the game is not on screen, so keys are not taken.
    if (fits()) return key;
  }
}

CursesTerminal::Wake CursesTerminal::waitForInput(const timespec* deadline) const {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  timespec left{};
  if (deadline != nullptr) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long nanoseconds =
        (deadline->tv_sec - now.tv_sec) * 1'000'000'000LL + (deadline->tv_nsec - now.tv_nsec);
    if (nanoseconds <= 0) return Wake::Timeout;
    left.tv_sec = static_cast<time_t>(nanoseconds / 1'000'000'000LL);
    left.tv_nsec = static_cast<long>(nanoseconds % 1'000'000'000LL);
  }
  const int ready = ppoll(&input, 1, deadline != nullptr ? &left : nullptr, &signalsInWait_);
  if (ready < 0) return Wake::Signal;
  if (ready == 0) return Wake::Timeout;
  if ((input.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return Wake::Gone;
  return Wake::Input;
}

// Curses learns of a new size only while it waits itself, so the wait asks after every signal.
// The new size comes back from curses as a resize key.
void CursesTerminal::followResize() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_row == 0 || size.ws_col == 0) return;
  if (size.ws_row != LINES || size.ws_col != COLS) resizeterm(size.ws_row, size.ws_col);
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
  const std::vector<std::string> notice = tooSmallNotice(COLS, LINES);
  for (std::size_t row = 0; row < notice.size(); ++row) {
    mvaddstr(static_cast<int>(row), 0, notice[row].c_str());
  }
  attrset(current);
  ::refresh();
}

}  // namespace vh
