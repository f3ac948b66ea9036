#include "record/Listing.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <tuple>
#include <vector>

#include "record/Recorder.hpp"
#include "record/Recording.hpp"
#include "save/Folder.hpp"
#include "screen/Util.hpp"

namespace vh {
namespace {

struct Listed {
  timespec written;
  std::string name;
};

// The recordings of the folder, newest first; of two written at once, the later name first.
std::vector<std::string> newestFirst(const Folder& folder) {
  std::vector<Listed> listed;
  for (std::string& name : entriesOf(folder)) {
    if (!name.ends_with(RecordingSuffix)) continue;
    if (const std::optional<timespec> at = modifiedAt(folder, name)) {
      listed.push_back(Listed{*at, std::move(name)});
    }
  }
  std::sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
    return std::tie(a.written.tv_sec, a.written.tv_nsec, a.name) >
           std::tie(b.written.tv_sec, b.written.tv_nsec, b.name);
  });
  std::vector<std::string> names;
  for (Listed& each : listed) names.push_back(std::move(each.name));
  return names;
}

std::string withoutSuffix(const std::string& name) {
  return name.substr(0, name.size() - RecordingSuffix.size());
}

// "2026-12-07T01:23:45Z" as "2026-12-07 01:23".
std::string shortTime(const std::string& started) {
  std::string time = printableText(started.substr(0, 16));
  if (time.size() > 10 && time[10] == 'T') time[10] = ' ';
  return time;
}

// The recording's line: its start, and the result it ends with, if it has one.
std::string lineOf(const std::string& path, const std::string& name) {
  ReadFile file(path);
  RecordingReader reader([&file](char* buffer, std::size_t size) { return file.read(buffer, size); });
  std::optional<GameSummary> result;
  while (const std::optional<RecordedEvent> event = reader.next()) {
    if (const auto* summary = std::get_if<GameSummary>(&*event)) result = *summary;
  }
  const RecordingStart& start = reader.start();
  const std::string seed = start.seed ? std::to_string(*start.seed) : "-";
  const auto number = [&](int value) { return result ? std::to_string(value) : "-"; };
  char line[200];
  std::snprintf(line, sizeof line, "%-22s %-16s %-10s %-10s %4s %6s %6s",
                printableText(withoutSuffix(name)).c_str(), shortTime(start.started).c_str(),
                seed.c_str(), result ? endingName(result->ending).c_str() : "unfinished",
                number(result ? result->level : 0).c_str(),
                number(result ? result->score : 0).c_str(),
                number(result ? result->turns : 0).c_str());
  return line;
}

bool isA(const std::string& path, mode_t kind) {
  struct stat status{};
  return stat(path.c_str(), &status) == 0 && (status.st_mode & S_IFMT) == kind;
}

}  // namespace

std::string recordingsTable(const std::string& folder) {
  std::vector<std::string> names;
  // Listing makes no folder: where there is none there is nothing to list.
  if (isA(folder, S_IFDIR)) {
    if (const std::optional<Folder> opened = openFolder(folder)) names = newestFirst(*opened);
  }
  if (names.empty()) {
    return "No recordings yet in " + printableText(folder) + ": every game records itself.\n";
  }
  std::string table = "Name                   Began            Seed       Ending     Area  Score  Turns\n";
  for (const std::string& name : names) {
    std::string line;
    try {
      line = lineOf(folder + name, name);
    } catch (const GameError& error) {
      line = printableText(withoutSuffix(name)) + ": cannot be read: " + errorLine(error);
    }
    while (line.ends_with(' ')) line.pop_back();
    table += line + "\n";
  }
  return table;
}

std::string recordingPath(const std::string& given) {
  if (isA(given, S_IFREG) || given.find('/') != std::string::npos || given.empty()) return given;
  const std::string named = given.ends_with(RecordingSuffix) ? given : given + std::string(RecordingSuffix);
  const std::string path = recordingsDir() + named;
  return isA(path, S_IFREG) ? path : given;
}

}  // namespace vh
