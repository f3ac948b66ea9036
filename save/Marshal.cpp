#include "save/Marshal.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>
#include <limits>

#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr std::size_t MaxNumberLength = 19;
// The game's values nest about ten deep; a limit keeps hostile text from exhausting the stack.
constexpr int MaxDepth = 200;
constexpr std::size_t MaxText = std::size_t{1} << 31;

// The text being written, appended to through a cursor into storage that doubles as it fills.
class TextBuffer {
 public:
  explicit TextBuffer(std::size_t expected) : text_(expected, '\0') {}

  void append(std::string_view part) {
    char* at = room(part.size());
    std::memcpy(at, part.data(), part.size());
    used_ += part.size();
  }

  void append(char c) {
    *room(1) = c;
    ++used_;
  }

  template <typename Number>
  void appendNumber(Number number) {
    char* at = room(MaxNumberWidth);
    used_ =
        static_cast<std::size_t>(std::to_chars(at, at + MaxNumberWidth, number).ptr - text_.data());
  }

  std::string take() {
    text_.resize(used_);
    return std::move(text_);
  }

 private:
  static constexpr std::size_t MaxNumberWidth = 24;

  char* room(std::size_t size) {
    if (text_.size() - used_ < size) [[unlikely]] {
      text_.resize(std::max(text_.size() * 2, used_ + size));
    }
    return text_.data() + used_;
  }

  std::string text_;
  std::size_t used_ = 0;
};

class Writer {
 public:
  Writer(const Document& document, int id)
      : document_(document),
        begun_(document.objects.size(), Unwritten),
        // Each object takes about twenty characters: one allocation for the common case.
        text_(document.objects.size() * 24 + 64) {
    TextBuffer prefix(16);
    prefix.append('[');
    prefix.appendNumber(id);
    prefix.append(']');
    prefix_ = prefix.take();
  }

  void write(const Value& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
      text_.append(prefix_);
      text_.append("I[");
      text_.appendNumber(*number);
      text_.append(']');
    } else if (const auto* ref = std::get_if<StringRef>(&value)) {
      const std::string& string = document_.strings.at(ref->index);
      text_.append(prefix_);
      text_.append("S[[");
      text_.appendNumber(string.size());
      text_.append(']');
      text_.append(string);
      text_.append(']');
    } else {
      writeObject(std::get<ObjectRef>(value).index);
    }
  }

  std::string take() { return text_.take(); }

 private:
  static constexpr std::size_t Unwritten = std::numeric_limits<std::size_t>::max();

  void appendBracketed(std::size_t number) {
    text_.append('[');
    text_.appendNumber(number);
    text_.append(']');
  }

  void writeObject(std::size_t index) {
    text_.append(prefix_);
    if (begun_.at(index) != Unwritten) {
      text_.append('C');
      appendBracketed(begun_[index]);
      return;
    }
    const std::size_t number = next_++;
    begun_[index] = number;
    const Object& object = document_.objects[index];
    text_.append(object.isRecord ? "U[" : "A[");
    appendBracketed(number);
    if (object.isRecord) {
      text_.append('[');
      text_.appendNumber(object.tag);
      text_.append(']');
      appendBracketed(object.count);
    }
    for (const Value& item : document_.itemsOf(object)) write(item);
    text_.append(']');
  }

  const Document& document_;
  std::vector<std::size_t> begun_;  // reference number of each object written, or Unwritten
  std::size_t next_ = 0;
  TextBuffer text_;
  std::string prefix_;
};

[[noreturn]] void fail(int code, const std::string& message) { throw GameError(message, code); }

class Reader {
 public:
  Reader(std::string_view text, int id) : text_(text), id_(id) {
    // Objects and items take some twenty characters of text each.
    objects_.reserve(text.size() / 24 + 1);
    items_.reserve(text.size() / 16 + 1);
  }

  Document read() {
    // Every item takes several characters, so indexes into a shorter text fit in 32 bits.
    if (text_.size() > MaxText) fail(BadValueCode, "Invalid value to unmarshall : text too long");
    Value root = item(0);
    return Document{std::move(objects_), std::move(items_), std::move(strings_), std::move(root)};
  }

 private:
  bool at(char c) const { return position_ < text_.size() && text_[position_] == c; }
  std::size_t left() const { return text_.size() - position_; }
  void skipOne() { position_ += position_ < text_.size() ? 1 : 0; }

  void expectBracket(const char* message) {
    if (!at('[')) fail(BadValueCode, message);
    ++position_;
  }

  [[noreturn]] void failNumber() const {
    fail(BadValueCode, "Invalid int to unmarshall : " + std::string(text_.substr(position_)));
  }

  // '[', a decimal number of at most 19 characters, ']'. The digits are read as the C library
  // reads them: an optional sign and the digits up to the first other character; an empty or
  // non-numeric text is 0.
  std::int64_t number() {
    if (!at('[')) failNumber();
    const std::size_t start = position_ + 1;
    const std::size_t limit = std::min(text_.size(), start + MaxNumberLength + 1);
    std::size_t i = start;
    const bool negative = i < limit && text_[i] == '-';
    if (i < limit && (text_[i] == '-' || text_[i] == '+')) ++i;
    std::uint64_t value = 0;  // 19 digits fit
    for (; i < limit && text_[i] >= '0' && text_[i] <= '9'; ++i) {
      value = value * 10 + static_cast<std::uint64_t>(text_[i] - '0');
    }
    while (i < limit && text_[i] != ']') ++i;
    if (i == limit) failNumber();
    position_ = i + 1;
    // Beyond 64 bits is as far out of range as anything the callers reject.
    const auto magnitude = static_cast<std::int64_t>(
        std::min<std::uint64_t>(value, std::numeric_limits<std::int64_t>::max()));
    return negative ? -magnitude : magnitude;
  }

  std::int32_t int32(std::int64_t value, const char* what) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
      fail(BadValueCode, std::string("Invalid ") + what + " to unmarshall : number out of range");
    }
    return static_cast<std::int32_t>(value);
  }

  Value item(int depth) {
    if (depth > MaxDepth) fail(BadValueCode, "Invalid value to unmarshall : nested too deeply");
    if (number() != id_) fail(WrongFileCode, "Invalid unmarshalling id");
    if (position_ >= text_.size()) fail(BadValueCode, "Invalid value to unmarshall");
    switch (text_[position_++]) {
      case 'I': return int32(number(), "int");
      case 'S': return string();
      case 'A': return array(depth);
      case 'U': return record(depth);
      case 'C': return backReference();
      default: fail(BadValueCode, "Invalid value to unmarshall");
    }
  }

  StringRef string() {
    expectBracket("Invalid string to unmarshall");
    const std::int64_t length = number();
    if (length < 0 || static_cast<std::uint64_t>(length) > left()) {
      fail(BadValueCode, "Invalid string to unmarshall");
    }
    strings_.emplace_back(text_.substr(position_, static_cast<std::size_t>(length)));
    position_ += static_cast<std::size_t>(length);
    skipOne();
    return StringRef{static_cast<std::uint32_t>(strings_.size() - 1)};
  }

  // A new object takes the next place on the list, which its reference number must name.
  ObjectRef begin(std::int64_t reference, bool isRecord, std::int32_t tag) {
    if (reference != static_cast<std::int64_t>(objects_.size())) {
      fail(BadReferenceCode, "Invalid reference number to unmarshall");
    }
    objects_.push_back(Object{isRecord, tag, 0, 0});
    return ObjectRef{static_cast<std::uint32_t>(objects_.size() - 1)};
  }

  // The items of an object are gathered apart while nested objects store theirs, then stored
  // together.
  std::vector<Value>& gathered(int depth) {
    if (scratch_.size() <= static_cast<std::size_t>(depth)) scratch_.resize(depth + 1);
    scratch_[static_cast<std::size_t>(depth)].clear();
    return scratch_[static_cast<std::size_t>(depth)];
  }

  void store(ObjectRef ref, int depth) {
    std::vector<Value>& values = scratch_[static_cast<std::size_t>(depth)];
    objects_[ref.index].first = static_cast<std::uint32_t>(items_.size());
    objects_[ref.index].count = static_cast<std::uint32_t>(values.size());
    std::move(values.begin(), values.end(), std::back_inserter(items_));
  }

  Value array(int depth) {
    expectBracket("Invalid array to unmarshall");
    const ObjectRef ref = begin(number(), false, 0);
    gathered(depth);
    while (!at(']')) {
      Value element = item(depth + 1);
      scratch_[static_cast<std::size_t>(depth)].push_back(std::move(element));
    }
    ++position_;
    store(ref, depth);
    return ref;
  }

  Value record(int depth) {
    expectBracket("Invalid union to unmarshall");
    const std::int64_t reference = number();
    const std::int32_t tag = int32(number(), "union");
    const std::int64_t arity = number();
    // Every field takes some text, so an arity beyond what is left cannot be honest.
    if (arity < 0 || static_cast<std::uint64_t>(arity) > left()) {
      fail(BadValueCode, "Invalid union to unmarshall");
    }
    const ObjectRef ref = begin(reference, true, tag);
    gathered(depth);
    for (std::int64_t field = 0; field < arity; ++field) {
      Value value = item(depth + 1);
      scratch_[static_cast<std::size_t>(depth)].push_back(std::move(value));
    }
    skipOne();
    store(ref, depth);
    return ref;
  }

  // The bracket a back-reference expects is the one that opens its number.
  Value backReference() {
    if (!at('[')) fail(BadValueCode, "Invalid circular structure");
    const std::int64_t k = number();
    if (k < 0 || k >= static_cast<std::int64_t>(objects_.size())) {
      fail(WrongFileCode, "Invalid circular structure");
    }
    return ObjectRef{static_cast<std::uint32_t>(k)};
  }

  std::string_view text_;
  std::int64_t id_;
  std::size_t position_ = 0;
  std::vector<Object> objects_;
  std::vector<Value> items_;
  std::vector<std::string> strings_;
  std::vector<std::vector<Value>> scratch_;  // items being gathered, by nesting depth
};

}  // namespace

std::string marshal(const Document& document, int id) {
  Writer writer(document, id);
  writer.write(document.root);
  return writer.take();
}

Document unmarshal(std::string_view text, int id) { return Reader(text, id).read(); }

}  // namespace vh
