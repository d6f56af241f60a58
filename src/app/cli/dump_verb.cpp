// mirrin-cli dump FILE [--kind KIND] [--json]: a data file's header and
// every field of every record.
#include <cstdio>
#include <sstream>

#include "app/cli/cli.h"
#include "app/cli/datafile.h"

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
  for (unsigned char c : bytes) {
    switch (c) {
      case '"': q += "\\\""; break;
      case '\\': q += "\\\\"; break;
      case '\r': q += "\\r"; break;
      case '\n': q += "\\n"; break;
      case '\t': q += "\\t"; break;
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

// Unicode code points of bytes 0x80 to 0x9F in Windows-1252; the five
// unassigned bytes keep their own value, so the mapping can be reversed.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// A JSON string of code-page bytes: every byte above 127 becomes the \uXXXX
// escape of its Windows-1252 character, so the output is plain ASCII.
// codePage false passes such bytes through (file names are the system's own).
std::string JsonString(const std::string& bytes, bool codePage = true) {
  std::string q = "\"";
  for (unsigned char c : bytes) {
    if (c == '"' || c == '\\') {
      q += '\\';
      q += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && codePage)) {
      const unsigned code = c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c;
      char buf[7];
      std::snprintf(buf, sizeof buf, "\\u%04X", code);
      q += buf;
    } else {
      q += static_cast<char>(c);
    }
  }
  return q + "\"";
}

std::string DateText(const PalmDate& d, char separator) {
  const CivilDateTime t = SplitDate(d.value);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d%c%02d:%02d:%02d", t.year, t.month, t.day, separator,
                t.hour, t.minute, t.second);
  return buf;
}

class TextDump : public FieldVisitor {
 public:
  explicit TextDump(std::ostream& out, int depth = 0) : out_(out), depth_(depth) {}
  void Int(const char* name, int64_t v) override { Line(name, std::to_string(v)); }
  void Bool(const char* name, bool v) override { Line(name, v ? "true" : "false"); }
  void Text(const char* name, const std::string& bytes) override { Line(name, QuoteBytes(bytes)); }
  void Date(const char* name, const PalmDate& d) override {
    std::string text = DateText(d, ' ');
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
  int depth_;
};

// Collects fields as a tree and writes it as JSON. A group whose items all
// have one name (the phones, the exceptions, the categories) is written as
// an array, any other group as an object.
class JsonDump : public FieldVisitor {
 public:
  JsonDump() { open_.push_back(&root_); }
  void Int(const char* name, int64_t v) override { Add(name, std::to_string(v)); }
  void Bool(const char* name, bool v) override { Add(name, v ? "true" : "false"); }
  void Text(const char* name, const std::string& bytes) override { Add(name, JsonString(bytes)); }
  void Date(const char* name, const PalmDate& d) override {
    std::ostringstream days;
    days.precision(15);
    days << d.value;
    Add(name, "{\"local\":\"" + DateText(d, 'T') + "\",\"days\":" + days.str() + ",\"palmTime\":" +
                  (d.hasStored ? std::to_string(d.stored) : "null") + "}");
  }
  void Begin(const char* name) override {
    open_.back()->items.push_back(Node{name, {}, {}, true});
    open_.push_back(&open_.back()->items.back());
  }
  void End() override { open_.pop_back(); }

  // The fields given so far, as one object.
  std::string Object() const { return Write(root_, false); }

 private:
  struct Node {
    std::string name;
    std::string value;  // a written JSON value, for a field
    std::vector<Node> items;
    bool group = false;
  };

  void Add(const char* name, std::string value) {
    open_.back()->items.push_back(Node{name, std::move(value), {}, false});
  }

  static std::string Write(const Node& node, bool listsAllowed) {
    if (!node.group) return node.value;
    bool sameNames = listsAllowed;
    for (const Node& item : node.items) sameNames = sameNames && item.name == node.items[0].name;
    std::string s = sameNames ? "[" : "{";
    for (size_t i = 0; i < node.items.size(); ++i) {
      if (i) s += ",";
      if (!sameNames) s += JsonString(node.items[i].name) + ":";
      s += Write(node.items[i], true);
    }
    return s + (sameNames ? "]" : "}");
  }

  Node root_{"", {}, {}, true};
  std::vector<Node*> open_;
};

void DumpText(const std::string& path, const DataFile& file, bool unsupported, std::ostream& out) {
  out << "File: " << path << "\n";
  out << "Kind: " << KindName(file.kind) << "\n";
  if (unsupported) out << "UnsupportedVersion: true\n";
  TextDump header(out);
  DescribeHeader(file.header, header);
  for (size_t i = 0; i < file.Count(); ++i) {
    out << "\nRecord " << i << ":\n";
    TextDump record(out, 1);
    file.DescribeRecord(i, record);
  }
}

void DumpJson(const std::string& path, const DataFile& file, bool unsupported, std::ostream& out) {
  JsonDump header;
  DescribeHeader(file.header, header);
  out << "{\"file\":" << JsonString(path, false) << ",\n\"kind\":\"" << KindName(file.kind)
      << "\",\n\"unsupportedVersion\":" << (unsupported ? "true" : "false")
      << ",\n\"header\":" << header.Object() << ",\n\"records\":[";
  for (size_t i = 0; i < file.Count(); ++i) {
    JsonDump record;
    file.DescribeRecord(i, record);
    out << (i ? ",\n" : "\n") << record.Object();
  }
  out << "]}\n";
}

}  // namespace

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  FileArgs parsed;
  if (!ParseFileArgs(args, true, kUsage, parsed, err)) return 2;
  try {
    DataContext ctx;
    Bytes content;
    const DataFile file = LoadDataFile(parsed, content, ctx);
    if (parsed.json) {
      DumpJson(parsed.path, file, ctx.unsupportedVersion, out);
    } else {
      DumpText(parsed.path, file, ctx.unsupportedVersion, out);
    }
    return 0;
  } catch (const RunError& e) {
    return ReportFailure(parsed.path, e, err);
  }
}

}  // namespace mirrin::cli
