// mirrin-cli dump FILE [--kind KIND] [--json]: a data file's header and
// every field of every record.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/cli/cli.h"
#include "app/cli/datafile.h"
#include "app/cli/json.h"
#include "sysplatform/systemtimezone.h"
#include "sysplatform/codepage.h"

namespace mirrin::cli {

namespace {

constexpr const char* kUsage = "usage: mirrin-cli dump FILE [--kind dates|contacts|todos|memos] [--json]\n";

std::string Hex2(unsigned char c) {
  char buf[3];
  std::snprintf(buf, sizeof buf, "%02X", c);
  return buf;
}

// Record texts are code-page bytes; the readable dump shows each byte that
// is not printable ASCII as \xNN, so nothing is lost or guessed.
std::string QuoteBytes(const std::string& bytes) {
  std::string q = "\"";
  for (char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    switch (c) {
      case '"':
        q += "\\\"";
        break;
      case '\\':
        q += "\\\\";
        break;
      case '\r':
        q += "\\r";
        break;
      case '\n':
        q += "\\n";
        break;
      case '\t':
        q += "\\t";
        break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          q += "\\x" + Hex2(c);
        } else {
          q += static_cast<char>(c);
        }
    }
  }
  return q + "\"";
}

// A local date as the program's zone gives it, with that zone's offset
// from UTC at the moment: "2024-03-04 09:00:00 +01:00".
std::string DateText(const PalmDate& d, const TimeZoneInfo& tz, char separator) {
  const CivilDateTime t = SplitDate(d.value);
  const auto east = static_cast<int>(std::lround((d.value - LocalToUtc(d.value, tz)) * 1440));
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d%c%02d:%02d:%02d%s%c%02d:%02d", t.year, t.month, t.day,
                separator, t.hour, t.minute, t.second, separator == ' ' ? " " : "", east < 0 ? '-' : '+',
                std::abs(east) / 60, std::abs(east) % 60);
  return buf;
}

class TextDump : public FieldVisitor {
 public:
  TextDump(std::ostream& out, const TimeZoneInfo& tz, int depth = 0) : out_(out), tz_(tz), depth_(depth) {}
  void Int(const char* name, int64_t v) override { Line(name, std::to_string(v)); }
  void Bool(const char* name, bool v) override { Line(name, v ? "true" : "false"); }
  void Text(const char* name, const std::string& bytes) override { Line(name, QuoteBytes(bytes)); }
  void Date(const char* name, const PalmDate& d) override {
    std::string text = DateText(d, tz_, ' ');
    if (d.hasStored) text += " (Palm time " + std::to_string(d.stored) + ")";
    Line(name, text);
  }
  void Begin(const char* name) override {
    Indent();
    out_ << name << ":\n";
    ++depth_;
  }
  void End() override { --depth_; }

 private:
  void Indent() { out_ << std::string(static_cast<size_t>(depth_) * 2, ' '); }
  void Line(const char* name, const std::string& value) {
    Indent();
    out_ << name << ": " << value << "\n";
  }
  std::ostream& out_;
  const TimeZoneInfo& tz_;
  int depth_;
};

// Collects fields as a tree and makes it JSON. A group whose items all
// have one name (the phones, the exceptions, the categories) becomes an
// array, any other group an object. Texts are decoded with the code page.
class JsonDump : public FieldVisitor {
 public:
  explicit JsonDump(const TimeZoneInfo& tz) : tz_(tz) { open_.push_back(&root_); }
  void Int(const char* name, int64_t v) override { Add(name, v); }
  void Bool(const char* name, bool v) override { Add(name, v); }
  // Bytes the code page leaves undefined (in blocks kept as read, say)
  // come with their hex, so nothing is lost.
  void Text(const char* name, const std::string& bytes) override {
    std::string text = ToUtf8(bytes);
    if (text.find("\xEF\xBF\xBD") == std::string::npos) return Add(name, std::move(text));
    std::string hex;
    for (char c : bytes) hex += Hex2(static_cast<unsigned char>(c));
    Add(name, Json{{"text", std::move(text)}, {"hex", std::move(hex)}});
  }
  void Date(const char* name, const PalmDate& d) override {
    Add(name, Json{{"local", DateText(d, tz_, 'T')},
                   {"days", d.value},
                   {"palmTime", d.hasStored ? Json(d.stored) : Json(nullptr)}});
  }
  void Begin(const char* name) override {
    open_.back()->items.push_back(Node{name, {}, {}, true});
    open_.push_back(&open_.back()->items.back());
  }
  void End() override { open_.pop_back(); }

  // The fields given so far, as one object.
  Json Object() const { return Make(root_, false); }

 private:
  struct Node {
    std::string name;
    Json value;  // for a field
    std::vector<Node> items;
    bool group = false;
  };

  void Add(const char* name, Json value) {
    open_.back()->items.push_back(Node{name, std::move(value), {}, false});
  }

  static Json Make(const Node& node, bool listsAllowed) {
    if (!node.group) return node.value;
    bool sameNames = listsAllowed;
    for (const Node& item : node.items) sameNames = sameNames && item.name == node.items[0].name;
    Json j = sameNames ? Json::array() : Json::object();
    for (const Node& item : node.items) {
      if (sameNames) {
        j.push_back(Make(item, true));
      } else {
        j[item.name] = Make(item, true);
      }
    }
    return j;
  }

  const TimeZoneInfo& tz_;
  Node root_{"", {}, {}, true};
  std::vector<Node*> open_;
};

// The zone the dates are shown in, as the program found it.
std::string ZoneText(const std::string& name) {
  return name.empty() ? "local time (the zone has no name)" : name;
}

void DumpText(const std::string& path, const DataFile& file, const DataContext& ctx, std::ostream& out) {
  out << "File: " << path << "\n";
  out << "Kind: " << KindName(file.kind) << "\n";
  out << "TimeZone: " << ZoneText(SystemTimeZoneName()) << "\n";
  if (ctx.unsupportedVersion) out << "UnsupportedVersion: true\n";
  TextDump header(out, ctx.timeZone);
  DescribeHeader(file.header, header);
  for (size_t i = 0; i < file.Count(); ++i) {
    out << "\nRecord " << i << ":\n";
    TextDump record(out, ctx.timeZone, 1);
    file.DescribeRecord(i, record);
  }
}

// One object; each record on a line of its own, so large files stream.
void DumpJson(const std::string& path, const DataFile& file, const DataContext& ctx, std::ostream& out) {
  JsonDump header(ctx.timeZone);
  DescribeHeader(file.header, header);
  const std::string zone = SystemTimeZoneName();
  out << "{\"file\":" << JsonText(path) << ",\n\"kind\":" << JsonText(KindName(file.kind))
      << ",\n\"timeZone\":" << JsonText(zone.empty() ? Json(nullptr) : Json(zone))
      << ",\n\"unsupportedVersion\":" << (ctx.unsupportedVersion ? "true" : "false")
      << ",\n\"header\":" << JsonText(header.Object()) << ",\n\"records\":[";
  for (size_t i = 0; i < file.Count(); ++i) {
    JsonDump record(ctx.timeZone);
    file.DescribeRecord(i, record);
    out << (i ? ",\n" : "\n") << JsonText(record.Object());
  }
  out << "]}\n";
}

}  // namespace

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  FileArgs parsed;
  if (!ParseFileArgs(args, true, kUsage, parsed, err)) return 2;
  try {
    DataContext ctx;
    ctx.timeZone = SystemTimeZone();
    Bytes content;
    const DataFile file = LoadDataFile(parsed, content, ctx);
    if (parsed.json) {
      DumpJson(parsed.path, file, ctx, out);
    } else {
      DumpText(parsed.path, file, ctx, out);
    }
    return 0;
  } catch (const RunError& e) {
    return ReportFailure(parsed.path, e, err);
  }
}

}  // namespace mirrin::cli
