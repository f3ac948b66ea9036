// The text format of the game's files: integers, strings, arrays and records written with their
// structure but no schema, every item carrying the caller's unmarshalling id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vh {

// An array or a record, by its place in a Document's object table. Two references to the same
// place are the same object: written once, then as a back-reference.
struct ObjectRef {
  std::uint32_t index;
  bool operator==(const ObjectRef&) const = default;
};

// A string, by its place in a Document's string table.
struct StringRef {
  std::uint32_t index;
  bool operator==(const StringRef&) const = default;
};

using Value = std::variant<std::int32_t, StringRef, ObjectRef>;

// An array (its elements) or a record (its constructor's tag and its fields). The elements or
// fields are `count` consecutive items of the document, from `first`.
struct Object {
  bool isRecord;
  std::int32_t tag;
  std::uint32_t first;
  std::uint32_t count;
};

// A value with the arrays, records and strings it reaches. The items of all objects share one
// store, so a document of thousands of records takes a handful of allocations.
struct Document {
  std::vector<Object> objects;
  std::vector<Value> items;
  std::vector<std::string> strings;
  Value root;

  std::span<const Value> itemsOf(const Object& object) const {
    return {items.data() + object.first, object.count};
  }
};

// The text of a document's root value.
std::string marshal(const Document& document, int id);

// Reads the item at the beginning of text (at most 2 GiB); whatever follows it is ignored.
// Raises a GameError with code 253 for a wrong id or a back-reference out of range, 254 for a
// malformed item and 252 for reference numbers out of sequence.
Document unmarshal(std::string_view text, int id);

}  // namespace vh
