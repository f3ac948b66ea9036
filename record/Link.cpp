#include "record/Link.hpp"

#include <zlib.h>

#include <array>

#include "record/Recording.hpp"
#include "screen/ErrorCodes.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

constexpr std::string_view Marker = "#replay=";

[[noreturn]] void bad(const std::string& why) {
  throw GameError("Invalid link: " + why, BadRecordingCode);
}

// base64url, without padding or with it.
std::string fromBase64Url(std::string_view text) {
  while (text.ends_with('=')) text.remove_suffix(1);
  if (text.size() % 4 == 1) bad("it is cut short");
  std::string bytes;
  bytes.reserve(text.size() * 3 / 4);
  unsigned bits = 0;
  int held = 0;
  for (const char c : text) {
    int value = -1;
    if (c >= 'A' && c <= 'Z') value = c - 'A';
    if (c >= 'a' && c <= 'z') value = c - 'a' + 26;
    if (c >= '0' && c <= '9') value = c - '0' + 52;
    if (c == '-') value = 62;
    if (c == '_') value = 63;
    if (value < 0) bad("it holds a character that base64url has not");
    bits = (bits << 6) | static_cast<unsigned>(value);
    held += 6;
    if (held >= 8) {
      held -= 8;
      bytes.push_back(static_cast<char>((bits >> held) & 0xff));
    }
  }
  return bytes;
}

std::string inflated(const std::string& compressed) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) bad("it cannot be uncompressed");
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  std::string text;
  std::array<char, 16384> buffer{};
  int status = Z_OK;
  while (status == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
    stream.avail_out = static_cast<uInt>(buffer.size());
    status = inflate(&stream, Z_NO_FLUSH);
    text.append(buffer.data(), buffer.size() - stream.avail_out);
    if (text.size() > MaxRecordingSize) status = Z_MEM_ERROR;
  }
  const bool whole = status == Z_STREAM_END && stream.avail_in == 0;
  inflateEnd(&stream);
  if (text.size() > MaxRecordingSize) bad("it holds more than a recording may");
  if (!whole) bad("its recording is damaged or cut short");
  return text;
}

}  // namespace

bool isGameLink(std::string_view text) { return text.find(Marker) != std::string_view::npos; }

std::string recordingOfLink(std::string_view link) {
  const std::size_t at = link.find(Marker);
  if (at == std::string_view::npos) bad("it holds no game");
  std::string_view encoded = link.substr(at + Marker.size());
  encoded = encoded.substr(0, encoded.find('&'));
  return inflated(fromBase64Url(encoded));
}

}  // namespace vh
