#include "save/Marshal.hpp"

#include <limits>
#include <optional>

#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr std::size_t MaxNumberLength = 19;
// The game's values nest about ten deep; a limit keeps hostile text from exhausting the stack.
constexpr int MaxDepth = 200;

class Writer {
 public:
  Writer(const Document& document, int id)
      : document_(document), id_(std::to_string(id)),
        begun_(document.objects.size(), std::nullopt) {}

  void write(const Value& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
      text_ += "[" + id_ + "]I[" + std::to_string(*number) + "]";
    } else if (const auto* string = std::get_if<std::string>(&value)) {
      text_ += "[" + id_ + "]S[[" + std::to_string(string->size()) + "]" + *string + "]";
    } else {
      writeObject(std::get<ObjectRef>(value).index);
    }
  }

  std::string take() { return std::move(text_); }

 private:
  void writeObject(std::size_t index) {
    if (const auto& number = begun_.at(index)) {
      text_ += "[" + id_ + "]C[" + std::to_string(*number) + "]";
      return;
    }
    const std::size_t number = next_++;
    begun_[index] = number;
    const Object& object = document_.objects[index];
    if (object.isRecord) {
      text_ += "[" + id_ + "]U[[" + std::to_string(number) + "][" + std::to_string(object.tag) +
               "][" + std::to_string(object.items.size()) + "]";
    } else {
      text_ += "[" + id_ + "]A[[" + std::to_string(number) + "]";
    }
    for (const Value& item : object.items) write(item);
    text_ += "]";
  }

  const Document& document_;
  std::string id_;
  std::vector<std::optional<std::size_t>> begun_;  // reference number of each object written
  std::size_t next_ = 0;
  std::string text_;
};

[[noreturn]] void fail(int code, const std::string& message) { throw GameError(message, code); }

class Reader {
 public:
  Reader(std::string_view text, int id) : text_(text), id_(id) {}

  Document read() {
    Value root = item(0);
    return Document{std::move(objects_), std::move(root)};
  }

 private:
  bool at(char c) const { return position_ < text_.size() && text_[position_] == c; }
  std::size_t left() const { return text_.size() - position_; }
  void skipOne() { position_ += position_ < text_.size() ? 1 : 0; }

  void expectBracket(const char* message) {
    if (!at('[')) fail(254, message);
    ++position_;
  }

  [[noreturn]] void failNumber() const {
    fail(254, "Invalid int to unmarshall : " + std::string(text_.substr(position_)));
  }

  // '[', a decimal number of at most 19 characters, ']'.
  std::int64_t number() {
    if (!at('[')) failNumber();
    const std::string_view window = text_.substr(position_ + 1, MaxNumberLength + 1);
    const std::size_t length = window.find(']');
    if (length == std::string_view::npos) failNumber();
    position_ += length + 2;
    return decimal(window.substr(0, length));
  }

  // Like the C library's conversion: an optional sign and the digits up to the first other
  // character; an empty or non-numeric text is 0.
  static std::int64_t decimal(std::string_view digits) {
    std::size_t i = 0;
    const bool negative = i < digits.size() && digits[i] == '-';
    if (i < digits.size() && (digits[i] == '-' || digits[i] == '+')) ++i;
    std::int64_t value = 0;
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
      if (value > (std::numeric_limits<std::int64_t>::max() - 9) / 10) break;  // far out of range
      value = value * 10 + (digits[i] - '0');
    }
    return negative ? -value : value;
  }

  std::int32_t int32(std::int64_t value, const char* what) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
      fail(254, std::string("Invalid ") + what + " to unmarshall : number out of range");
    }
    return static_cast<std::int32_t>(value);
  }

  Value item(int depth) {
    if (depth > MaxDepth) fail(254, "Invalid value to unmarshall : nested too deeply");
    if (number() != id_) fail(253, "Invalid unmarshalling id");
    if (position_ >= text_.size()) fail(254, "Invalid value to unmarshall");
    switch (text_[position_++]) {
      case 'I': return int32(number(), "int");
      case 'S': return string();
      case 'A': return array(depth);
      case 'U': return record(depth);
      case 'C': return backReference();
      default: fail(254, "Invalid value to unmarshall");
    }
  }

  std::string string() {
    expectBracket("Invalid string to unmarshall");
    const std::int64_t length = number();
    if (length < 0 || static_cast<std::uint64_t>(length) > left()) {
      fail(254, "Invalid string to unmarshall");
    }
    std::string bytes(text_.substr(position_, static_cast<std::size_t>(length)));
    position_ += static_cast<std::size_t>(length);
    skipOne();
    return bytes;
  }

  // A new object takes the next place on the list, which its reference number must name.
  ObjectRef begin(std::int64_t reference, bool isRecord, std::int32_t tag) {
    if (reference != static_cast<std::int64_t>(objects_.size())) {
      fail(252, "Invalid reference number to unmarshall");
    }
    objects_.push_back(Object{isRecord, tag, {}});
    return ObjectRef{objects_.size() - 1};
  }

  Value array(int depth) {
    expectBracket("Invalid array to unmarshall");
    const ObjectRef ref = begin(number(), false, 0);
    while (!at(']')) {
      Value element = item(depth + 1);
      objects_[ref.index].items.push_back(std::move(element));
    }
    ++position_;
    return ref;
  }

  Value record(int depth) {
    expectBracket("Invalid union to unmarshall");
    const std::int64_t reference = number();
    const std::int32_t tag = int32(number(), "union");
    const std::int64_t arity = number();
    // Every field takes some text, so an arity beyond what is left cannot be honest.
    if (arity < 0 || static_cast<std::uint64_t>(arity) > left()) {
      fail(254, "Invalid union to unmarshall");
    }
    const ObjectRef ref = begin(reference, true, tag);
    for (std::int64_t field = 0; field < arity; ++field) {
      Value value = item(depth + 1);
      objects_[ref.index].items.push_back(std::move(value));
    }
    skipOne();
    return ref;
  }

  // The bracket a back-reference expects is the one that opens its number.
  Value backReference() {
    if (!at('[')) fail(254, "Invalid circular structure");
    const std::int64_t k = number();
    if (k < 0 || k >= static_cast<std::int64_t>(objects_.size())) {
      fail(253, "Invalid circular structure");
    }
    return ObjectRef{static_cast<std::size_t>(k)};
  }

  std::string_view text_;
  std::int64_t id_;
  std::size_t position_ = 0;
  std::vector<Object> objects_;
};

}  // namespace

std::string marshal(const Document& document, int id) {
  Writer writer(document, id);
  writer.write(document.root);
  return writer.take();
}

Document unmarshal(std::string_view text, int id) { return Reader(text, id).read(); }

}  // namespace vh
