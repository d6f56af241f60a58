#include "mainwindow/recordtext.h"

#include "mainwindow/textutil.h"

namespace mirrin {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Moves a trailer that starts at marker (with the line end before it, when
// there is one) from work to the front of trailer.
void CutTrailer(std::string& work, std::string& trailer, std::string_view marker, bool dbcs) {
  const size_t at = FindText(work, marker, 0, dbcs);
  if (at == std::string::npos) return;
  size_t cut = at;
  if (at >= 2 && std::string_view(work).substr(at - 2, 2) == kCrLf) cut = at - 2;
  trailer = work.substr(cut) + trailer;
  work.resize(cut);
}

}  // namespace

bool BeyondHandheld(const KindHeader& header) {
  int32_t live = 0;
  for (size_t t = 1; t < header.Categories.size(); ++t) {
    if (header.Deleted(t)) continue;
    if (++live > kMostCategories || header.Categories[t].Index > kMostCategories) return true;
  }
  return false;
}

bool CategoryShown(const KindHeader& header, int32_t index) {
  bool lastLiveShown = false;
  for (size_t t = header.Categories.size(); t-- > 0;) {
    if (header.Deleted(t)) continue;
    if (header.Categories[t].Index == index) return header.Shown(t);
    lastLiveShown = header.Shown(t);
  }
  return lastLiveShown;
}

std::string CategoryName(const KindHeader& header, int32_t index) {
  for (size_t t = 1; t < header.Categories.size(); ++t) {
    if (!header.Deleted(t) && header.Categories[t].Index == index) return header.Categories[t].LongName;
  }
  return "Unfiled";
}

int32_t DateCategoryIndex(const DateRecord& record, const Settings& settings) {
  const std::string& note = TextOf(record.Note);
  if (settings.KeepCategories && StartsWith(note, "##")) {
    const auto code = CharCodeAt(note, 5, settings.DBCS);
    return code ? static_cast<int32_t>(*code & 15) : 0;
  }
  return record.Category;
}

std::string DateCategoryName(std::string_view note, const DateRecord& record, const KindHeader& header,
                             const Settings& settings) {
  if (StartsWith(note, "##")) {
    const auto code = CharCodeAt(note, 5, settings.DBCS);
    if (code && (*code & 15) != 0) return CategoryName(header, static_cast<int32_t>(*code & 15));
    return "Unfiled";
  }
  if (record.Category != 0) return CategoryName(header, record.Category);
  return "Unfiled";
}

AgendusParts StripAgendus(std::string_view text, const Settings& settings) {
  AgendusParts parts{std::string(text), {}};
  if (!settings.Agendus) return parts;
  const size_t open = FindText(text, "[", 0, settings.DBCS);
  const size_t close = FindText(text, "]", 0, settings.DBCS);
  // A "]" before the first "[" is no bracket part: the text stays whole.
  if (open == std::string::npos || close == std::string::npos || close < open) return parts;
  parts.bracket = std::string(text.substr(open, close - open + 1));
  parts.rest = std::string(text.substr(0, open)) + std::string(text.substr(close + 1));
  return parts;
}

NoteParts NoteSplit(std::string_view note, const Settings& settings, std::string_view agendusMarker) {
  NoteParts parts;
  std::string work(note);
  const bool dbcs = settings.DBCS;
  if (StartsWith(note, "##")) {
    const size_t end = FindText(work, kCrLf, 0, dbcs);
    if (end == std::string::npos) {
      parts.header = work;
      work.clear();
    } else {
      parts.header = work.substr(0, end + 2);
      work.erase(0, end + 2);
    }
    // A tenth character "l" marks a second header line.
    if (CharCodeAt(note, 10, dbcs) == static_cast<unsigned>('l')) {
      const size_t next = FindText(work, kCrLf, 0, dbcs);
      const size_t take = next == std::string::npos ? work.size() : next + 2;
      parts.header += work.substr(0, take);
      work.erase(0, take);
    }
  }
  if (settings.Agendus && !agendusMarker.empty()) {
    const size_t at = FindText(work, agendusMarker, 0, dbcs);
    if (at != std::string::npos) {
      // Everything up to the marker is the linked contact's header.
      parts.header += work.substr(0, at + agendusMarker.size());
      work.erase(0, at + agendusMarker.size());
    }
  }
  CutTrailer(work, parts.trailer, "--Do Not Change", dbcs);
  CutTrailer(work, parts.trailer, "#info", dbcs);
  parts.body = std::move(work);
  return parts;
}

std::string MatchedDescription(std::string_view description, const Settings& settings) {
  std::string kept;
  return std::string(MatchedDescription(description, settings, kept));
}

std::string_view MatchedDescription(std::string_view description, const Settings& settings,
                                    std::string& kept) {
  if (!settings.Agendus) return TrimmedView(description, settings.DBCS);
  kept = StripAgendus(description, settings).rest;
  return TrimmedView(kept, settings.DBCS);
}

bool SameDescription(std::string_view a, std::string_view b, const Settings& settings) {
  const bool dbcs = settings.DBCS;
  const size_t n = settings.FirstDuplicateChars < 0 ? 0 : static_cast<size_t>(settings.FirstDuplicateChars);
  const std::string ta = MatchedDescription(a, settings);
  const std::string tb = MatchedDescription(b, settings);
  auto same = [&](const std::string& x, const std::string& y) {
    return LeftChars(x, n, dbcs) == LeftChars(y, n, dbcs);
  };
  return same(ta, tb) || same(ta + settings.SuffixUser1, tb) || same(ta, tb + settings.SuffixUser2);
}

std::string MemoTitle(std::string_view text, const Settings& settings) {
  const size_t end = FindText(text, kCrLf, 0, settings.DBCS);
  return std::string(end == std::string::npos ? text : text.substr(0, end));
}

}  // namespace mirrin
