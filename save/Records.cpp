#include "save/Records.hpp"

#include <initializer_list>
#include <set>
#include <span>
#include <string>
#include <utility>

#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr std::size_t MaxNameLength = 16;

// Builds a document whose arrays and records are all distinct objects.
// The fields of a record are complete when it is added, so each object's items stay together.
class Builder {
 public:
  Value record(std::int32_t tag, std::initializer_list<Value> fields) {
    return add(true, tag, fields);
  }
  Value array(std::span<const Value> elements) { return add(false, 0, elements); }
  Value string(std::string text) {
    strings_.push_back(std::move(text));
    return StringRef{static_cast<std::uint32_t>(strings_.size() - 1)};
  }
  Document finish(Value root) {
    return Document{std::move(objects_), std::move(items_), std::move(strings_), std::move(root)};
  }
  void reserve(std::size_t objects, std::size_t items) {
    objects_.reserve(objects);
    items_.reserve(items);
  }

 private:
  Value add(bool isRecord, std::int32_t tag, std::span<const Value> items) {
    objects_.push_back(Object{isRecord, tag, static_cast<std::uint32_t>(items_.size()),
                              static_cast<std::uint32_t>(items.size())});
    items_.insert(items_.end(), items.begin(), items.end());
    return ObjectRef{static_cast<std::uint32_t>(objects_.size() - 1)};
  }
  std::vector<Object> objects_;
  std::vector<Value> items_;
  std::vector<std::string> strings_;
};

Value flag(bool value) { return static_cast<std::int32_t>(value ? 1 : 0); }

Value look(Builder& b, const Screencell& cell) {
  return b.record(0, {static_cast<std::int32_t>(static_cast<unsigned char>(cell.glyph)),
                      b.record(static_cast<std::int32_t>(cell.colour), {}),
                      b.record(static_cast<std::int32_t>(cell.attribute), {})});
}

Value terrain(Builder& b, const Terrain& t) {
  Value shown = look(b, t.look);
  return b.record(0, {shown, b.record(0, {flag(t.blocks.movement)})});
}

// Position 0 of each array is the placeholder, written as the integer 0.
Value map(Builder& b, const Map& m) {
  std::vector<Value> columns{std::int32_t{0}};
  for (int x = 1; x <= m.width; ++x) {
    std::vector<Value> column{std::int32_t{0}};
    for (int y = 1; y <= m.height; ++y) {
      const MapCell& cell = m.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
      Value t = terrain(b, cell.terrain);
      column.push_back(b.record(0, {t}));
    }
    columns.push_back(b.array(column));
  }
  Value cells = b.array(columns);
  return b.record(0, {cells, m.width, m.height});
}

Value player(Builder& b, const Player& p) {
  const Kills& k = p.kills;
  Value kills = b.record(0, {k.pawns, k.knights, k.bishops, k.rooks, k.queens, k.king});
  Value message = b.string(p.message);
  return b.record(0, {flag(p.alive), p.x, p.y, kills, message, flag(p.saveRequested)});
}

Value creatures(Builder& b, const CreatureList& list) {
  std::vector<Value> elements;
  if (!list.empty()) elements.emplace_back(std::int32_t{0});
  for (std::size_t i = 1; i < list.size(); ++i) {
    const Creature& c = list[i];
    Value shown = look(b, c.look);
    Value name = b.string(c.name);
    elements.push_back(b.record(0, {flag(c.alive), c.x, c.y, shown, name}));
  }
  return b.array(elements);
}

// Reads a document back into records, naming the first thing that is not as expected.
class Checker {
 public:
  Checker(const Document& document, std::string what) : d_(document), what_(std::move(what)) {}

  [[noreturn]] void bad(const std::string& detail) const {
    throw GameError("Invalid " + what_ + ": " + detail, WrongShapeCode);
  }

  const Object& object(const Value& value, bool isRecord, const char* name) const {
    const auto* ref = std::get_if<ObjectRef>(&value);
    if (ref == nullptr || ref->index >= d_.objects.size() ||
        d_.objects[ref->index].isRecord != isRecord) {
      bad(std::string(name) + (isRecord ? " is not a record" : " is not an array"));
    }
    return d_.objects[ref->index];
  }

  // A record of a single-constructor type: tag 0 and the given number of fields.
  std::span<const Value> record(const Value& value, std::size_t arity, const char* name) const {
    const Object& o = object(value, true, name);
    if (o.tag != 0 || o.count != arity) bad(std::string(name) + " has the wrong shape");
    return d_.itemsOf(o);
  }

  std::span<const Value> array(const Value& value, std::size_t size, const char* name) const {
    const Object& o = object(value, false, name);
    if (o.count != size) bad(std::string(name) + " has the wrong length");
    return d_.itemsOf(o);
  }

  // An enumeration member: a record without fields whose tag is below `members`.
  int member(const Value& value, int members, const char* name) const {
    const Object& o = object(value, true, name);
    if (o.count != 0 || o.tag < 0 || o.tag >= members) bad(std::string("unknown ") + name);
    return o.tag;
  }

  int integer(const Value& value, int low, int high, const char* name) const {
    const auto* number = std::get_if<std::int32_t>(&value);
    if (number == nullptr) bad(std::string(name) + " is not an integer");
    if (*number < low || *number > high) bad(std::string(name) + " is out of range");
    return *number;
  }

  int integer(const Value& value, const char* name) const {
    return integer(value, INT32_MIN, INT32_MAX, name);
  }

  bool boolean(const Value& value, const char* name) const {
    return integer(value, 0, 1, name) == 1;
  }

  const std::string& string(const Value& value, const char* name) const {
    const auto* ref = std::get_if<StringRef>(&value);
    if (ref == nullptr || ref->index >= d_.strings.size())
      bad(std::string(name) + " is not a string");
    return d_.strings[ref->index];
  }

  Screencell look(const Value& value) const {
    const auto fields = record(value, 3, "look");
    const int glyph = integer(fields[0], ' ', '~', "glyph");
    return Screencell{static_cast<char>(glyph), static_cast<Colour>(member(fields[1], 8, "colour")),
                      static_cast<Attribute>(member(fields[2], 2, "attribute"))};
  }

  Terrain terrain(const Value& value) const {
    const auto fields = record(value, 2, "terrain");
    const auto blocks = record(fields[1], 1, "blocks");
    return Terrain{look(fields[0]), Blocks{boolean(blocks[0], "blocks")}};
  }

  Map map(const Value& value) const {
    const auto fields = record(value, 3, "map");
    const int width = integer(fields[1], "map width"), height = integer(fields[2], "map height");
    if (width != MapWidth || height != MapHeight) bad("the map is not 59 x 19");
    Map m{{}, width, height};
    const auto columns = array(fields[0], static_cast<std::size_t>(width) + 1, "map columns");
    m.cells.resize(columns.size(), std::vector<MapCell>(static_cast<std::size_t>(height) + 1,
                                                        MapCell{Undefined()}));
    for (std::size_t x = 1; x < columns.size(); ++x) {
      const auto column = array(columns[x], static_cast<std::size_t>(height) + 1, "map column");
      for (std::size_t y = 1; y < column.size(); ++y) {
        m.cells[x][y] = MapCell{terrain(record(column[y], 1, "map cell")[0])};
      }
    }
    return m;
  }

  Kills kills(const Value& value) const {
    const auto f = record(value, 6, "captures");
    const auto count = [&](std::size_t i) { return integer(f[i], 0, MaxCaptures, "capture count"); };
    // There is only one Black King to capture.
    return Kills{count(0), count(1), count(2),
                 count(3), count(4), integer(f[5], 0, 1, "Black King count")};
  }

  Player player(const Value& value, const Map& m) const {
    const auto f = record(value, 6, "player");
    Player p{boolean(f[0], "alive"),  integer(f[1], "x"),           integer(f[2], "y"), kills(f[3]),
             string(f[4], "message"), boolean(f[5], "save request")};
    if (!isclear(m, p.x, p.y, Undefined())) bad("the King does not stand on a clear cell");
    return p;
  }

  Creature creature(const Value& value, const Map& m) const {
    const auto f = record(value, 5, "piece");
    Creature c{boolean(f[0], "alive"), integer(f[1], 1, m.width, "piece x"),
               integer(f[2], 1, m.height, "piece y"), look(f[3]), string(f[4], "piece name")};
    if (c.name.size() > MaxNameLength) bad("a piece's name is too long");
    for (const char ch : c.name) {
      if (ch < ' ' || ch > '~') bad("a piece's name is not printable");
    }
    if (c.alive && !isclear(m, c.x, c.y, Undefined()))
      bad("a piece does not stand on a clear cell");
    return c;
  }

  // Position 0 is the placeholder and is never read.
  CreatureList creatures(const Value& value, const Map& m) const {
    const std::span<const Value> list = d_.itemsOf(object(value, false, "piece list"));
    CreatureList pieces;
    std::set<std::pair<int, int>> taken;
    for (std::size_t i = 1; i < list.size(); ++i) {
      Creature c = creature(list[i], m);
      if (c.alive && !taken.insert({c.x, c.y}).second) bad("two pieces share a cell");
      appendCreature(pieces, std::move(c));
    }
    if (!list.empty() && pieces.empty()) pieces.push_back(Placeholder());
    return pieces;
  }

  GameState gameState() const {
    const auto f = record(d_.root, 4, "saved game");
    Map m = map(f[0]);
    Player p = player(f[1], m);
    CreatureList c = creatures(f[2], m);
    return GameState{std::move(m), std::move(p), std::move(c), integer(f[3], 1, LastArea, "area")};
  }

  HighScore highScore() const {
    const auto f = record(d_.root, 3, "high score");
    return HighScore{integer(f[0], "score"), integer(f[1], "area"),
                     static_cast<Outcome>(member(f[2], 3, "outcome"))};
  }

 private:
  const Document& d_;
  std::string what_;
};

}  // namespace

Document toDocument(const GameState& state) {
  Builder b;
  // Seven objects and eight items for each cell of the map, and a few for everything else.
  const auto cells = static_cast<std::size_t>((state.map.width + 1) * (state.map.height + 1));
  b.reserve(cells * 7 + state.creatures.size() * 4 + 64,
            cells * 8 + state.creatures.size() * 8 + 64);
  Value m = map(b, state.map);
  Value p = player(b, state.player);
  Value c = creatures(b, state.creatures);
  return b.finish(b.record(0, {m, p, c, state.level}));
}

Document toDocument(const HighScore& score) {
  Builder b;
  Value outcome = b.record(static_cast<std::int32_t>(score.result), {});
  return b.finish(b.record(0, {score.score, score.level, outcome}));
}

GameState gameStateFrom(const Document& document) {
  return Checker(document, "saved game").gameState();
}

HighScore highScoreFrom(const Document& document) {
  return Checker(document, "high score").highScore();
}

}  // namespace vh
