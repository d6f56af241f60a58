#pragma once
// Text crosses into Qt only here: the core keeps code-page bytes with CR LF
// line breaks, the widgets show Unicode with LF.
#include <QString>
#include <string>

namespace mirrin::qt {

QString ToQt(const std::string& bytes);
std::string FromQt(const QString& text);

// For multi-line fields: CR LF (and a lone CR) shown as one line break, and
// typed line breaks stored as CR LF.
QString ToQtLines(const std::string& bytes);
std::string FromQtLines(const QString& text);

}  // namespace mirrin::qt
