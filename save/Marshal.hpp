// The text format of the game's files: integers, strings, arrays and records written with their
// structure but no schema, every item carrying the caller's unmarshalling id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vh {

// An array or a record, by its place in a Document's object table. Two references to the same
// place are the same object: written once, then as a back-reference.
struct ObjectRef {
  std::size_t index;
  bool operator==(const ObjectRef&) const = default;
};

using Value = std::variant<std::int32_t, std::string, ObjectRef>;

// An array (its elements) or a record (its constructor's tag and its fields).
struct Object {
  bool isRecord;
  std::int32_t tag;
  std::vector<Value> items;
};

// A value with the arrays and records it reaches.
struct Document {
  std::vector<Object> objects;
  Value root;
};

// The text of a document's root value.
std::string marshal(const Document& document, int id);

// Reads the item at the beginning of text; whatever follows it is ignored. Raises a GameError
// with code 253 for a wrong id or a back-reference out of range, 254 for a malformed item and 252
// for reference numbers out of sequence.
Document unmarshal(std::string_view text, int id);

}  // namespace vh
